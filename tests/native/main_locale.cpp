#include <clocale>

// Wide-character case mapping in the C library follows LC_CTYPE: give the native tests the
// same Unicode-aware mapping the program has on Windows.
namespace {
const bool kLocaleSet = [] {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  return true;
}();
}  // namespace
