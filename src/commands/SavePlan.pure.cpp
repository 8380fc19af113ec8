#include "commands/SavePlan.h"

bool ValueWasEdited(std::wstring_view text, std::wstring_view loaded, bool writeAnyway) {
  return writeAnyway || text != loaded;
}
