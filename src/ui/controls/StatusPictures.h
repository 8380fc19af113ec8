#pragma once
// The seven status pictures of the entry list, drawn by code at any size. Platform-free.
#include <cstdint>
#include <string_view>
#include <vector>

// In the order of the image list, with these keys.
enum class StatusPicture { Ready, Error, Achtung, Fehler, Hilfe, Info, Unerreichbar };

inline constexpr StatusPicture kStatusPictures[] = {
    StatusPicture::Ready, StatusPicture::Error, StatusPicture::Achtung,     StatusPicture::Fehler,
    StatusPicture::Hilfe, StatusPicture::Info,  StatusPicture::Unerreichbar};

// "Ready", "Error", "Achtung", "Fehler", "Hilfe", "Info", "Unerreichbar"
std::wstring_view KeyOf(StatusPicture picture);

// size x size pixels, rows top-down, each 0xAARRGGBB with premultiplied alpha (the layout of a
// 32-bit top-down DIB). Empty for a size below 1 or above 256.
std::vector<uint32_t> DrawStatusPicture(StatusPicture picture, int size);
