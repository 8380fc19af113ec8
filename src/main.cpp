// Velmarin: keeps the App Paths registrations of Windows in order.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "commands/Commands.h"
#include "ui/Prompts.h"
#include "ui/Root.h"
#include "texts/Texts.h"

namespace {

// Ends with the quit message the window posts when it is destroyed. The window takes its
// shortcuts and the keys of a dialog first (Root::PreTranslate).
int RunMessageLoop(Root& root) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (root.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Any argument makes Velmarin the administrators' command line: no window, no backup.
  if (const std::vector<std::wstring> arguments = ProgramArguments(); !arguments.empty())
    return RunCommandLine(arguments);

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The common file dialogs host shell components, which want a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  SystemPrompts prompts;
  Root root(prompts);
  InstallCommands(root);
  int result = 1;
  if (root.Create(instance, RootOptions{}))
    result = RunMessageLoop(root);
  else
    prompts.Message(nullptr, Texts::kWindowFailed, std::wstring(L" ") + Texts::kCaption,
                    MB_OK | MB_ICONERROR);

  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}
