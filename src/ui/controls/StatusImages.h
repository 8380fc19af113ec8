#pragma once
// ImageList1: the seven status pictures as an image list, and their keys in its order.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// The pictures at size x size pixels (16 at 96 DPI), with alpha; nullptr on failure.
HIMAGELIST CreateStatusImageList(int size);

// "Ready", "Error", "Achtung", "Fehler", "Hilfe", "Info", "Unerreichbar"
std::vector<std::wstring> StatusImageKeys();

// The position of a key in the image list; -1 when there is none.
int StatusImageIndex(const std::wstring& key);
