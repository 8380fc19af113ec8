#pragma once
// A registration as a record for scripts: fields with stable ASCII names, the same in every
// output format (the TSV and CSV header, the JSON keys), texts exactly as stored. Platform-free.
#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"

// What a record's fields are read from.
struct ListedRegistration {
  AppPathEntry entry;    // with its status
  std::wstring program;  // the full path Windows would start; empty when none
};

// The fields' names, in the order every format writes them.
const std::vector<std::string>& FieldNames();

// The texts of a registration's fields, in the order of FieldNames.
std::vector<std::wstring> FieldTexts(const ListedRegistration& registration);

// A status as scripts read it ("fine", "missing", ...) and in the legend's German words.
struct StatusWords {
  const char* code;
  const wchar_t* text;
};
StatusWords WordsOf(EntryStatus status);
