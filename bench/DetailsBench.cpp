#include "DetailsBench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "catalogue/ProgramDetails.h"
#include "platform/FileAccess.h"
#include "platform/FileSignature.h"
#include "platform/VersionDetails.h"
#include "support/TestPrograms.h"

namespace {
double NowMs() {
  LARGE_INTEGER frequency{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// The first call (the system loads its providers and the root store) and the best of 20 after.
void Measure(const char* what, const std::function<void()>& call) {
  double start = NowMs();
  call();
  const double first = NowMs() - start;
  double best = 1e300;
  for (int i = 0; i < 20; ++i) {
    start = NowMs();
    call();
    best = std::min(best, NowMs() - start);
  }
  std::printf("| %-46s | %8.2f | %8.2f |\n", what, first, best);
}

bool Expect(const wchar_t* file, SignatureKind kind) {
  const bool right = CheckFileSignature(file).Kind == kind;
  if (!right) std::printf("unexpected verdict for %ls\n", file);
  return right;
}
}  // namespace

bool BenchProgramDetails() {
  if (!SigningFilesExist() || !TrustTestRoot()) {
    std::printf("\nProgram details: no signed test programs (openssl, osslsigncode)\n");
    return false;
  }
  const std::wstring probe = TestProgram(L"version_probe.exe");
  const std::wstring signedProbe = SigningFile(L"signed.exe");
  const std::wstring tampered = SigningFile(L"tampered.exe");
  const std::wstring stranger = SigningFile(L"stranger.exe");
  std::printf("\nProgram details, ms per call (a ~115 KB program)\n\n");
  std::printf("| %-46s | %8s | %8s |\n", "", "first", "best");
  std::printf("|%s|%s|%s|\n", std::string(48, '-').c_str(), std::string(10, '-').c_str(),
              std::string(10, '-').c_str());
  Measure("signature, trusted (embedded)", [&] { CheckFileSignature(signedProbe); });
  Measure("signature, untrusted root", [&] { CheckFileSignature(stranger); });
  Measure("signature, changed after signing", [&] { CheckFileSignature(tampered); });
  Measure("signature, none (embedded, then catalogs)", [&] { CheckFileSignature(probe); });
  Measure("version resource", [&] { ReadVersionDetails(probe); });
  Measure("access rules of the program's folder",
          [&] { OrdinaryUsersMayChangePath(SigningFile(L"open"), true); });
  const DetailsRequest request{Scope::Machine, Registry::TextValue(L"", signedProbe)};
  Measure("ComputeProgramDetails, machine entry, signed", [&] { ComputeProgramDetails(request); });
  const bool sane = Expect(signedProbe.c_str(), SignatureKind::Signed) &&
                    Expect(stranger.c_str(), SignatureKind::Invalid) &&
                    Expect(tampered.c_str(), SignatureKind::Invalid) &&
                    Expect(probe.c_str(), SignatureKind::Unsigned);
  return sane;
}
