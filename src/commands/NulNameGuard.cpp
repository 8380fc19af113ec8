#include "commands/NulNameGuard.h"

#include "catalogue/KeyNameRules.h"
#include "ui/Root.h"
#include "ui/Texts.h"

bool RefusedForNul(Root& root, const std::wstring& keyName) {
  if (!HoldsNul(keyName)) return false;
  root.Ask().Message(root.Handle(), Texts::kNulNameRefused, root.Title(), MB_OK | MB_ICONWARNING);
  return true;
}
