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

namespace {
std::vector<BYTE> TestRootBytes() {
  std::ifstream file(std::filesystem::path(SigningFile(L"root.cer")), std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

std::wstring Thumbprint(PCCERT_CONTEXT certificate) {
  BYTE hash[20];
  DWORD size = sizeof(hash);
  if (!CertGetCertificateContextProperty(certificate, CERT_SHA1_HASH_PROP_ID, hash, &size))
    return L"";
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  for (DWORD i = 0; i < size; ++i) text += {kDigits[hash[i] >> 4], kDigits[hash[i] & 0xF]};
  return text;
}

// Wine 8 reports the removal as done but keeps the registry's copy, where the machine's root
// store lives on Windows too; that copy goes by hand.
bool Remove(HCERTSTORE store, const std::vector<BYTE>& root) {
  PCCERT_CONTEXT wanted =
      CertCreateCertificateContext(X509_ASN_ENCODING, root.data(), static_cast<DWORD>(root.size()));
  if (wanted == nullptr) return false;
  const std::wstring key =
      L"Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\" + Thumbprint(wanted);
  PCCERT_CONTEXT found =
      CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, wanted, nullptr);
  CertFreeCertificateContext(wanted);
  if (found != nullptr && !CertDeleteCertificateFromStore(found)) return false;  // frees it
  const LSTATUS removed = RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
  return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

bool ChangeStore(HCERTSTORE store, const std::vector<BYTE>& root, bool trusted) {
  if (!trusted) return Remove(store, root);
  return CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, root.data(),
                                          static_cast<DWORD>(root.size()),
                                          CERT_STORE_ADD_REPLACE_EXISTING, nullptr) != FALSE;
}
}  // namespace

bool TrustTestRoot(bool trusted) {
  const std::vector<BYTE> root = TestRootBytes();
  if (root.empty()) return false;
  HCERTSTORE store =
      CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  if (store == nullptr) return false;
  const bool changed = ChangeStore(store, root, trusted);
  CertCloseStore(store, 0);
  return changed;
}
