#pragma once
// The journal file's bytes. Platform-free.
//
// Little-endian throughout: the 8 bytes "VMJOURNL", the format version (u32, now 1), the number
// of changes (u32) and each change: its action (u8, JournalAction's number), taken back (u8 0/1),
// the number of keys (u32) and each key: its scope (u8, 0 machine, 1 user), its name, and the
// tree before and after, each a u8 (0 none, 1 present) followed by the tree. A tree is its name,
// the number of values (u32), each value's name, type (u32) and data (u32 length, the bytes),
// then the number of sub-keys (u32) and each sub-key's tree. A name is its length in UTF-16
// units (u32) and the units, so a NUL inside a name is kept. Last, the CRC-32 (u32) of all bytes
// before it, so a file damaged or cut off anywhere is never taken for a journal.
#include <cstdint>
#include <optional>
#include <vector>

#include "catalogue/Journal.h"

inline constexpr uint32_t kJournalFormatVersion = 1;

std::vector<uint8_t> EncodeJournal(const std::vector<JournalEntry>& entries);

// Nothing for bytes that are not a whole journal of this version, whatever they hold.
std::optional<std::vector<JournalEntry>> DecodeJournal(const std::vector<uint8_t>& bytes);
