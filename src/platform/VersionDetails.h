#pragma once
// What a program's version resource says about it: description, company and file version.
// Which string tables are asked and how a fixed version reads are platform-free
// (VersionDetails.pure.cpp); reading the file (VersionDetails.cpp) may run on any thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct VersionDetails {
  std::wstring Description;  // FileDescription
  std::wstring Company;      // CompanyName
  std::wstring Version;      // FileVersion, or the fixed file version when the text is missing

  bool operator==(const VersionDetails&) const = default;
};

// A language and code page of the resource's translation list.
struct Translation {
  uint16_t language = 0;
  uint16_t codePage = 0;
};

// The string tables to ask, in turn: the resource's first translation when it has one, then
// US English in Unicode (040904B0) and in Windows-1252 (040904E4), each once.
std::vector<std::wstring> StringTableNames(std::optional<Translation> first);

// "10.0.19041.1" from the fixed file version's two 32-bit halves.
std::wstring FixedVersionText(uint32_t mostSignificant, uint32_t leastSignificant);

// The version resource's language-neutral strings; nothing when the file has no version
// resource or cannot be read.
std::optional<VersionDetails> ReadVersionDetails(const std::wstring& path);
