#pragma once
// Registration files in the registry editor's own format, "Windows Registry Editor Version 5.00":
// the text for whole keys, which values the editor would not bring back exactly, and a parser that
// reads such a text back so that a written file can be checked against what it should hold.
// Platform-free. The file's text is UTF-16 code units (char16_t) whatever size wchar_t has here;
// names in Registry::KeyTree are UTF-16 units too, one per wchar_t, as the registry gives them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegistryData.h"

namespace RegFile {

// What importing a file does with one of its keys.
enum class Import {
  Add,      // writes the key's values and sub-keys; what the key holds besides stays
  Replace,  // removes the key first, so that it holds exactly the tree afterwards
  Remove,   // only removes the key with everything below it
};

// One key with everything below it, under its full path with the root's long name:
// "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\FOO.EXE". The path
// names the key; the tree's own name is not used.
struct Entry {
  std::wstring path;
  Registry::KeyTree tree;
  Import import = Import::Add;
};

// One [key] section of a file, a key's full path and its own values in order; or a [-key] line,
// which removes the key with everything below it.
struct Section {
  std::wstring path;
  std::vector<Registry::RawValue> values;
  bool removal = false;
  size_t line = 0;  // where it starts in the file read; 0 for a section to be written

  // Where a section stands is no part of what it says.
  bool operator==(const Section& other) const {
    return path == other.path && values == other.values && removal == other.removal;
  }
};

// The sections the text of `entries` holds, in the file's order: a removal before the key it
// removes is written again, each key before its sub-keys.
std::vector<Section> Sections(const std::vector<Entry>& entries);

// Why importing the file would not give a key or value back byte for byte.
enum class Obstacle {
  None,
  // A key or value name with a line break (or a NUL) cannot stand on one line of the file.
  NameBreaksLine,
  // A string, expandable string or multi-string whose last whole UTF-16 unit is not NUL: the
  // editor appends a terminator on import (a stray odd byte after such a unit is lost as well).
  TerminatorAdded,
  // Such a value of exactly one byte: Wine's editor crashes on it, and everything after it in
  // the file is never imported.
  SingleByteString,
};

struct Unrestorable {
  Obstacle obstacle = Obstacle::None;
  size_t entry = 0;        // index into the entries given
  std::wstring keyPath;    // the key (the entry's or a sub-key's) holding the obstacle
  std::wstring valueName;  // the value, when the obstacle is a value's
};

// The first obstacle in `entries`; nothing when the editor would restore all of them exactly.
std::optional<Unrestorable> FindUnrestorable(const std::vector<Entry>& entries);

// The whole file as the registry editor writes it: header, a blank line and a [key] section per
// key and sub-key, values in order, hex lists wrapped like the editor's, CRLF line ends, and a
// blank line at the end; a removal as [-key]. No byte order mark.
std::u16string Text(const std::vector<Entry>& entries);

// The sections of a text in the form Text() writes, read by the reader of RegFileReader.h;
// nothing when the text strays from that form anywhere (a missing header or line end, a
// malformed value, text cut off part-way), even where the registry editor would read it.
std::optional<std::vector<Section>> Parse(std::u16string_view text);

// wchar_t text as UTF-16 units: where wchar_t is wider (the native build) a character beyond
// the first plane becomes its surrogate pair, as Windows would store it.
std::u16string Utf16Of(std::wstring_view text);

// The text as a file stores it, UTF-16LE with a byte order mark, and back (nothing for bytes
// without the mark or with half a unit at the end).
std::vector<uint8_t> FileBytes(std::u16string_view text);
std::optional<std::u16string> TextOfFile(const std::vector<uint8_t>& bytes);

}  // namespace RegFile
