#pragma once
// Whether a program file carries a signature the system trusts, and whose. The verdict on a
// trust result and Microsoft's roots are platform-free (FileSignature.pure.cpp); the check
// itself (FileSignature.cpp) reads the file and the system's certificate stores and catalogs,
// never the network, keeps nothing between calls and may run on any thread.
#include <cstdint>
#include <span>
#include <string>

// Signed: the system trusts the signature (embedded, or the file's hash in a system catalog).
// Unsigned: neither is there. Invalid: a signature that does not hold (the file changed after
// signing, a certificate that is untrusted, expired or explicitly distrusted).
// Unknown: the check could not tell (the file could not be read, the system could not check).
enum class SignatureKind { Unknown, Signed, Unsigned, Invalid };

struct FileSignature {
  SignatureKind Kind = SignatureKind::Unknown;
  std::wstring Signer;         // the signing certificate's simple name, when Signed
  bool MicrosoftRoot = false;  // Signed, and the chain ends in one of Microsoft's roots

  bool operator==(const FileSignature&) const = default;
};

// The verdict on what WinVerifyTrust returned (its LONG, an HRESULT, as unsigned bits).
SignatureKind SignatureKindOf(uint32_t trustResult);

// True when a root certificate's SHA-1 thumbprint is one of the roots Microsoft signs Windows
// and its own programs with. A signature's company text proves nothing; its root does.
bool IsMicrosoftRoot(std::span<const uint8_t> sha1Thumbprint);

// The embedded Authenticode signature of `path`; when it has none, the system's catalogs.
// Never waits for the network: revocation is not asked for, and certificates the file lacks
// are taken from the system's cache only.
FileSignature CheckFileSignature(const std::wstring& path);
