#include "platform/FileSignature.h"

#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
#include <mscat.h>

#include <memory>
#include <optional>
#include <vector>

// The results FileSignature.pure.cpp names by value.
static_assert(static_cast<uint32_t>(TRUST_E_NOSIGNATURE) == 0x800B0100);
static_assert(static_cast<uint32_t>(TRUST_E_SUBJECT_FORM_UNKNOWN) == 0x800B0003);
static_assert(static_cast<uint32_t>(TRUST_E_PROVIDER_UNKNOWN) == 0x800B0001);
static_assert(static_cast<uint32_t>(TRUST_E_ACTION_UNKNOWN) == 0x800B0002);
static_assert(static_cast<uint32_t>(CRYPT_E_FILE_ERROR) == 0x80092003);
static_assert(static_cast<uint32_t>(CERT_E_REVOCATION_FAILURE) == 0x800B010E);
static_assert(static_cast<uint32_t>(CRYPT_E_REVOCATION_OFFLINE) == 0x80092013);
static_assert(static_cast<uint32_t>(CRYPT_E_NO_REVOCATION_CHECK) == 0x80092012);

namespace {
GUID kVerifyAction = WINTRUST_ACTION_GENERIC_VERIFY_V2;
GUID kDriverAction = DRIVER_ACTION_VERIFY;
// No window may ever be shown for a check.
const HWND kNoInteractiveUser = static_cast<HWND>(INVALID_HANDLE_VALUE);

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle OpenForReading(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// One WinVerifyTrust call whose state stays open for reading the signer and is closed when the
// object goes. Revocation is not asked for (a revocation check may wait minutes for the
// network, and from the cache alone it fails for every certificate the cache has no list for);
// certificates missing from the file are looked for in the cache only.
class Verification {
 public:
  explicit Verification(const std::wstring& path) {
    file_.cbStruct = sizeof(file_);
    file_.pcwszFilePath = path.c_str();
    Prepare(WTD_CHOICE_FILE);
    data_.pFile = &file_;
  }
  explicit Verification(WINTRUST_CATALOG_INFO& catalog) {
    Prepare(WTD_CHOICE_CATALOG);
    data_.pCatalog = &catalog;
  }
  ~Verification() {
    if (data_.hWVTStateData == nullptr) return;
    data_.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(kNoInteractiveUser, &kVerifyAction, &data_);
  }
  Verification(const Verification&) = delete;
  Verification& operator=(const Verification&) = delete;

  uint32_t Run() {
    return static_cast<uint32_t>(WinVerifyTrust(kNoInteractiveUser, &kVerifyAction, &data_));
  }
  HANDLE State() const { return data_.hWVTStateData; }

 private:
  void Prepare(DWORD choice) {
    data_.cbStruct = sizeof(data_);
    data_.dwUIChoice = WTD_UI_NONE;
    data_.fdwRevocationChecks = WTD_REVOKE_NONE;
    data_.dwUnionChoice = choice;
    data_.dwStateAction = WTD_STATEACTION_VERIFY;
    data_.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL | WTD_REVOCATION_CHECK_NONE;
  }

  WINTRUST_FILE_INFO file_{};
  WINTRUST_DATA data_{};
};

std::wstring SimpleName(PCCERT_CONTEXT certificate) {
  const DWORD size =
      CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
  if (size <= 1) return L"";
  std::wstring name(size, L'\0');
  CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name.data(), size);
  name.resize(size - 1);
  return name;
}

bool IsMicrosoftRootCertificate(PCCERT_CONTEXT root) {
  BYTE thumbprint[20];
  DWORD size = sizeof(thumbprint);
  return CertGetCertificateContextProperty(root, CERT_SHA1_HASH_PROP_ID, thumbprint, &size) &&
         IsMicrosoftRoot({thumbprint, size});
}

// The first signer's certificate names the signer; the last certificate of its chain is the
// root the system trusted.
void ReadSigner(HANDLE state, FileSignature& signature) {
  CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(state);
  CRYPT_PROVIDER_SGNR* signer =
      provider != nullptr ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
  if (signer == nullptr || signer->csCertChain == 0 || signer->pasCertChain == nullptr) return;
  signature.Signer = SimpleName(signer->pasCertChain[0].pCert);
  signature.MicrosoftRoot =
      IsMicrosoftRootCertificate(signer->pasCertChain[signer->csCertChain - 1].pCert);
}

FileSignature Verdict(Verification& verification, uint32_t result) {
  FileSignature signature;
  signature.Kind = SignatureKindOf(result);
  if (signature.Kind == SignatureKind::Signed) ReadSigner(verification.State(), signature);
  return signature;
}

// ---- The system's catalogs, for a file without a signature of its own ----

struct CatalogAdminReleaser {
  void operator()(HCATADMIN admin) const { CryptCATAdminReleaseContext(admin, 0); }
};
using CatalogAdmin = std::unique_ptr<void, CatalogAdminReleaser>;

// Windows 8 and later keep SHA-256 hashes in their catalogs, through functions older systems
// (and Wine 8) lack; so those are looked up, and SHA-1 catalogs are searched with the first
// functions.
using AcquireContext2 = BOOL(WINAPI*)(HCATADMIN*, const GUID*, PCWSTR, PCCERT_STRONG_SIGN_PARA,
                                      DWORD);
using CalcHash2 = BOOL(WINAPI*)(HCATADMIN, HANDLE, DWORD*, BYTE*, DWORD);

template <typename Function>
Function WintrustEntry(const char* name) {
  const HMODULE wintrust = GetModuleHandleW(L"wintrust.dll");  // linked, so already loaded
  if (wintrust == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(wintrust, name)));
}

struct CatalogLookup {
  CatalogAdmin admin;
  std::vector<BYTE> hash;
};

std::optional<CatalogLookup> Sha256Lookup(HANDLE file) {
  const auto acquire = WintrustEntry<AcquireContext2>("CryptCATAdminAcquireContext2");
  const auto calc = WintrustEntry<CalcHash2>("CryptCATAdminCalcHashFromFileHandle2");
  HCATADMIN admin = nullptr;
  if (acquire == nullptr || calc == nullptr ||
      !acquire(&admin, &kDriverAction, BCRYPT_SHA256_ALGORITHM, nullptr, 0))
    return std::nullopt;
  CatalogLookup lookup{CatalogAdmin(admin), std::vector<BYTE>(64)};
  DWORD size = static_cast<DWORD>(lookup.hash.size());
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  if (!calc(admin, file, &size, lookup.hash.data(), 0)) return std::nullopt;
  lookup.hash.resize(size);
  return lookup;
}

std::optional<CatalogLookup> Sha1Lookup(HANDLE file) {
  HCATADMIN admin = nullptr;
  if (!CryptCATAdminAcquireContext(&admin, &kDriverAction, 0)) return std::nullopt;
  CatalogLookup lookup{CatalogAdmin(admin), std::vector<BYTE>(64)};
  DWORD size = static_cast<DWORD>(lookup.hash.size());
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  if (!CryptCATAdminCalcHashFromFileHandle(file, &size, lookup.hash.data(), 0)) return std::nullopt;
  lookup.hash.resize(size);
  return lookup;
}

// A catalog names its members by their hash in upper-case hexadecimal.
std::wstring MemberTag(const std::vector<BYTE>& hash) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring tag;
  for (const BYTE b : hash) tag += {kDigits[b >> 4], kDigits[b & 0xF]};
  return tag;
}

// Nothing when no catalog of this lookup holds the file's hash.
std::optional<FileSignature> VerifyInCatalog(CatalogLookup& lookup, const std::wstring& path,
                                             HANDLE file) {
  HCATINFO catalog = CryptCATAdminEnumCatalogFromHash(
      lookup.admin.get(), lookup.hash.data(), static_cast<DWORD>(lookup.hash.size()), 0, nullptr);
  if (catalog == nullptr) return std::nullopt;
  CATALOG_INFO info{};
  info.cbStruct = sizeof(info);
  std::optional<FileSignature> signature;
  if (CryptCATCatalogInfoFromContext(catalog, &info, 0)) {
    const std::wstring tag = MemberTag(lookup.hash);
    WINTRUST_CATALOG_INFO member{};
    member.cbStruct = sizeof(member);
    member.pcwszCatalogFilePath = info.wszCatalogFile;
    member.pcwszMemberFilePath = path.c_str();
    member.pcwszMemberTag = tag.c_str();
    member.hMemberFile = file;
    member.pbCalculatedFileHash = lookup.hash.data();
    member.cbCalculatedFileHash = static_cast<DWORD>(lookup.hash.size());
    member.hCatAdmin = lookup.admin.get();
    Verification verification(member);
    signature = Verdict(verification, verification.Run());
  } else {
    signature = FileSignature{};  // a catalog holds it, but which one could not be read
  }
  CryptCATAdminReleaseCatalogContext(lookup.admin.get(), catalog, 0);
  return signature;
}

FileSignature CheckCatalogs(const std::wstring& path) {
  const FileHandle file = OpenForReading(path);
  if (!file) return {};
  std::optional<CatalogLookup> sha256 = Sha256Lookup(file.get());
  if (sha256)
    if (std::optional<FileSignature> found = VerifyInCatalog(*sha256, path, file.get()))
      return *found;
  std::optional<CatalogLookup> sha1 = Sha1Lookup(file.get());
  if (!sha1) return {};  // whether a catalog holds the file cannot be told
  if (std::optional<FileSignature> found = VerifyInCatalog(*sha1, path, file.get())) return *found;
  return FileSignature{SignatureKind::Unsigned};
}
}  // namespace

FileSignature CheckFileSignature(const std::wstring& path) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return {};
  Verification embedded(path);
  FileSignature signature = Verdict(embedded, embedded.Run());
  if (signature.Kind != SignatureKind::Unsigned) return signature;
  return CheckCatalogs(path);
}
