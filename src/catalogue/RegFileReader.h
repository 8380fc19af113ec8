#pragma once
// Reading registration files as the registry editor imports them, whoever wrote them: either
// header ("Windows Registry Editor Version 5.00" or "REGEDIT4"), UTF-16LE after a byte order
// mark or text in the ANSI code page, values as "text", dword:, hex: and hex(N): for any type,
// hex lists continued over lines with "\", comments after ";", and [-KEY] removals. Where the
// editor would pass over a line it does not understand, the reader refuses the file and names
// the line: a file that is not read whole must not be taken for what the registry should hold.
// Platform-free.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "catalogue/RegFile.h"

namespace RegFile {

// Why a file cannot be read (the texts header words each).
enum class ReadProblem {
  None,
  NoHeader,            // the first line is neither header
  HalfUnit,            // UTF-16 text with an odd number of bytes: cut off
  UnknownLine,         // neither key, value, comment nor blank
  BadKeyLine,          // "[" without "]", or an empty name
  ValueOutsideKey,     // a value before the first key, or after a removal
  BadValueName,        // an unclosed quote or unknown escape in the name, or no "="
  UnknownDataType,     // none of "text", dword:, hex:, hex(N):
  BadData,             // unclosed text, an unknown escape, a dword of no or more than 8 digits,
                       // a hex list with more than bytes of 1 or 2 digits between commas
  ValueRemoval,        // "name"=- : the file does not say what the key holds
  HexCutOff,           // a hex list continued with "\" on a line that is not there or holds none
  KeyOutsideAppPaths,  // (ReadAppPathsFile) a key neither App Paths key nor one below them
  BadKeyName,          // (ReadAppPathsFile) an empty part of a key's path, or one too long
};

struct Reading {
  std::vector<Section> sections;  // in the file's order; nothing when there is a problem
  ReadProblem problem = ReadProblem::None;
  size_t line = 0;  // the line the problem lies on, counted from 1 (the header)
};

// A file's bytes: UTF-16LE after the byte order mark FF FE, else text in the ANSI code page.
Reading ReadBytes(const std::vector<uint8_t>& bytes);

// The same for text already decoded. `ansi`: the file was ANSI text, so hex data of a string
// type (hex(1), hex(2), hex(7)) holds ANSI bytes, which become UTF-16 as the editor stores them.
Reading ReadText(std::u16string_view text, bool ansi);

}  // namespace RegFile
