#include "support/TestPrograms.h"

#include <windows.h>
#include <wincrypt.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/Dateiexistenz.h"
#include "platform/Others.h"

std::wstring TestProgram(const wchar_t* name) { return ProgramFolder() + L"\\" + name; }

std::wstring SigningFile(const wchar_t* name) { return ProgramFolder() + L"\\signing\\" + name; }

bool SigningFilesExist() { return PathExists(SigningFile(L"signed.exe")); }

bool TrustTestRoot() {
  std::ifstream file(std::filesystem::path(SigningFile(L"root.cer")), std::ios::binary);
  const std::vector<BYTE> root(std::istreambuf_iterator<char>(file), {});
  HCERTSTORE store =
      CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  if (store == nullptr) return false;
  const bool added =
      !root.empty() && CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, root.data(),
                                                        static_cast<DWORD>(root.size()),
                                                        CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
  CertCloseStore(store, 0);
  return added;
}
