#pragma once
// What velmarin.exe's arguments ask for, and the exit codes that answer. Platform-free.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class CliCommand { Check, List, Clean, Diff, Help, Usage };  // Usage: the arguments make no sense

// How /list, /check and /diff write records: tab-separated with a header, CSV (RFC 4180) or
// one JSON array.
enum class OutputFormat { Tsv, Csv, Json };

struct CliRequest {
  CliCommand command = CliCommand::Usage;
  std::wstring undoFile;  // Clean: the file as given
  std::wstring problem;   // Usage: what the user is told before the usage
  // List, Check and Diff; none given: /list writes Tsv records, /check and /diff their lines.
  std::optional<OutputFormat> format;
  std::wstring file;      // Diff: the registration file as given
};

// A switch starts with / or -, letter case ignored: check, list, clean FILE, diff FILE, ? or h;
// check, list and diff take one /format:tsv, csv or json anywhere among their arguments.
CliRequest ParseArguments(const std::vector<std::wstring>& arguments);

// Scripts tell a count from a failure by these; the usage text and the README list them.
namespace CliExit {
inline constexpr int kMostCounted = 250;
inline constexpr int kUnreadableKey = 251;
inline constexpr int kNothingRemoved = 252;   // a clean-up failed before its first removal
inline constexpr int kStoppedPartWay = 253;   // a removal failed after others succeeded
inline constexpr int kUsage = 254;
inline constexpr int kFileRefused = 255;  // /diff: the file cannot be read or is refused

// A count of broken registrations as an exit code: as it is, up to kMostCounted.
int Count(size_t broken);
}  // namespace CliExit
