#pragma once
// What the benchmarks share: timing, printing, registrations of the machine's App Paths key,
// and a hidden main window.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "support/ScriptedPrompts.h"
#include "ui/Root.h"

double NowMs();
// The fastest of `runs` runs: the figure least disturbed by the rest of the machine.
double BestOfMs(int runs, const std::function<void()>& work);

std::string Narrow(const std::wstring& text);
std::string Shortened(const std::wstring& text, size_t width);
std::wstring Numbered(const wchar_t* format, int n);
// The line under a table's head: one run of '-' per column, each as wide as given.
void PrintRule(std::initializer_list<int> widths);

bool EmptyAppPaths();
HKEY OpenAppPaths();
bool PutText(HKEY key, const wchar_t* name, const std::wstring& text);
// APP00000.EXE ... below the machine's key (emptied first): three in four name a program that
// exists, every eighth in quotes with an argument, each with a "Path".
bool WriteRegistrations(int count);

// A hidden main window without its start-up, as the measurements need it.
class HiddenWindow {
 public:
  HiddenWindow();
  bool Created() const { return created_; }
  Root& Window() { return root_; }
  // The registry read into the window as the start-up reads it (on a worker thread), waiting
  // until its rows are shown.
  void ShowRegistrations();
  ScriptedPrompts& Prompts() { return prompts_; }

 private:
  ScriptedPrompts prompts_;
  Root root_;
  bool created_ = false;
};
