#include "platform/RegistryNative.h"

#include <winternl.h>

#include <string>

// ntdll is mapped into every process and has exported these since the first Windows NT, so they
// are linked like any Win32 function: the compiler checks the calls, and there is no "function
// missing" path that could never be taken.
extern "C" {
NTSTATUS NTAPI NtOpenKey(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes);
NTSTATUS NTAPI NtDeleteKey(HANDLE key);
}

namespace Registry::Native {
namespace {

constexpr size_t kMostUnits = 0x7FFF;  // a counted text holds at most 65534 bytes

LONG ErrorOf(NTSTATUS status) {
  return status >= 0 ? ERROR_SUCCESS : static_cast<LONG>(RtlNtStatusToDosError(status));
}

}  // namespace

LONG OpenKey(HKEY parent, std::wstring_view path, REGSAM access, HKEY* key) {
  const size_t nul = path.find(L'\0');
  if (nul == std::wstring_view::npos)
    return RegOpenKeyExW(parent, std::wstring(path).c_str(), 0, access, key);
  if (path.size() > kMostUnits) return ERROR_INVALID_PARAMETER;
  // The native call starts from the key above the part holding the first NUL, opened the Win32
  // way, and names the rest counted.
  const size_t slash = path.rfind(L'\\', nul);
  HKEY start = parent;
  if (slash != std::wstring_view::npos) {
    const std::wstring above(path.substr(0, slash));
    if (const LONG code = RegOpenKeyExW(parent, above.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &start);
        code != ERROR_SUCCESS)
      return code;
    path.remove_prefix(slash + 1);
  }
  const auto bytes = static_cast<USHORT>(path.size() * sizeof(wchar_t));
  UNICODE_STRING name{bytes, bytes, const_cast<wchar_t*>(path.data())};
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, start, nullptr);
  HANDLE opened = nullptr;
  const NTSTATUS status = NtOpenKey(&opened, access, &attributes);
  if (start != parent) RegCloseKey(start);
  if (status >= 0) *key = static_cast<HKEY>(opened);
  return ErrorOf(status);
}

LONG DeleteKey(HKEY key) { return ErrorOf(NtDeleteKey(key)); }

}  // namespace Registry::Native
