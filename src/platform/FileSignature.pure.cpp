#include "platform/FileSignature.h"

#include <algorithm>
#include <array>

namespace {
// The results that need a name of their own; the values are WinVerifyTrust's (FileSignature.cpp
// checks them against the system's headers).
constexpr uint32_t kTrustSuccess = 0;
constexpr uint32_t kNoSignature = 0x800B0100;         // TRUST_E_NOSIGNATURE
constexpr uint32_t kSubjectFormUnknown = 0x800B0003;  // TRUST_E_SUBJECT_FORM_UNKNOWN
constexpr uint32_t kProviderUnknown = 0x800B0001;     // TRUST_E_PROVIDER_UNKNOWN
constexpr uint32_t kActionUnknown = 0x800B0002;       // TRUST_E_ACTION_UNKNOWN
constexpr uint32_t kFileError = 0x80092003;           // CRYPT_E_FILE_ERROR
constexpr uint32_t kRevocationFailure = 0x800B010E;   // CERT_E_REVOCATION_FAILURE
constexpr uint32_t kRevocationOffline = 0x80092013;   // CRYPT_E_REVOCATION_OFFLINE
constexpr uint32_t kNoRevocationCheck = 0x80092012;   // CRYPT_E_NO_REVOCATION_CHECK

// FACILITY_SECURITY (9) and FACILITY_CERT (11) codes speak about the signature; the others
// (a Win32 error, out of memory) only say the check did not get that far.
bool SpeaksAboutTheSignature(uint32_t result) {
  const uint32_t facility = (result >> 16) & 0x1FFF;
  return facility == 9 || facility == 11;
}

using Thumbprint = std::array<uint8_t, 20>;

// SHA-1 thumbprints of the roots Microsoft signs code with:
//   Microsoft Root Certificate Authority 2011 (Microsoft's programs, Windows since 8),
//   Microsoft Root Certificate Authority 2010 (Windows' own files),
//   Microsoft Root Certificate Authority (2001; Windows XP to 7),
//   Microsoft Root Authority (1997; older Windows files),
//   Microsoft Authenticode(tm) Root Authority (1997).
// Not here, on purpose: "Microsoft Identity Verification Root Certificate Authority 2020", which
// signs other publishers' programs (Trusted Signing), and the TLS roots of 2017.
constexpr std::array<Thumbprint, 5> kMicrosoftRoots = {{
    {0x8F, 0x43, 0x28, 0x8A, 0xD2, 0x72, 0xF3, 0x10, 0x3B, 0x6F,
     0xB1, 0x42, 0x84, 0x85, 0xEA, 0x30, 0x14, 0xC0, 0xBC, 0xFE},
    {0x3B, 0x1E, 0xFD, 0x3A, 0x66, 0xEA, 0x28, 0xB1, 0x66, 0x97,
     0x39, 0x47, 0x03, 0xA7, 0x2C, 0xA3, 0x40, 0xA0, 0x5B, 0xD5},
    {0xCD, 0xD4, 0xEE, 0xAE, 0x60, 0x00, 0xAC, 0x7F, 0x40, 0xC3,
     0x80, 0x2C, 0x17, 0x1E, 0x30, 0x14, 0x80, 0x30, 0xC0, 0x72},
    {0xA4, 0x34, 0x89, 0x15, 0x9A, 0x52, 0x0F, 0x0D, 0x93, 0xD0,
     0x32, 0xCC, 0xAF, 0x37, 0xE7, 0xFE, 0x20, 0xA8, 0xB4, 0x19},
    {0x7F, 0x88, 0xCD, 0x72, 0x23, 0xF3, 0xC8, 0x13, 0x81, 0x8C,
     0x99, 0x46, 0x14, 0xA8, 0x9C, 0x99, 0xFA, 0x3B, 0x52, 0x47},
}};
}  // namespace

SignatureKind SignatureKindOf(uint32_t trustResult) {
  switch (trustResult) {
    case kTrustSuccess:
      return SignatureKind::Signed;
    case kNoSignature:
    case kSubjectFormUnknown:  // a file of a kind that carries no signature
      return SignatureKind::Unsigned;
    case kProviderUnknown:
    case kActionUnknown:
    case kFileError:
    case kRevocationFailure:
    case kRevocationOffline:
    case kNoRevocationCheck:
      return SignatureKind::Unknown;
    default:
      return SpeaksAboutTheSignature(trustResult) ? SignatureKind::Invalid : SignatureKind::Unknown;
  }
}

bool IsMicrosoftRoot(std::span<const uint8_t> sha1Thumbprint) {
  return std::any_of(kMicrosoftRoots.begin(), kMicrosoftRoots.end(), [&](const Thumbprint& root) {
    return std::equal(root.begin(), root.end(), sha1Thumbprint.begin(), sha1Thumbprint.end());
  });
}
