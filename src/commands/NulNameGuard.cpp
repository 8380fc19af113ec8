#include "commands/NulNameGuard.h"

#include "catalogue/KeyNameRules.h"
#include "texts/Texts.h"

bool RefusedForNul(CommandHost& host, const std::wstring& keyName) {
  if (!HoldsNul(keyName)) return false;
  host.Tell(Texts::kNulNameRefused, MB_OK | MB_ICONWARNING);
  return true;
}
