#pragma once
// Registrations and differences as records for scripts: fields with stable ASCII names, the
// same in every output format (the TSV and CSV header, the JSON keys), texts exactly as
// stored. Platform-free.
#include <string>
#include <variant>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/Comparison.h"
#include "catalogue/ProgramDetails.h"

// A field holds a text or a list of texts (JSON writes an array; TSV and CSV join the texts
// with ";"). A field that does not apply is an empty text or an empty list, never left out.
using FieldValue = std::variant<std::wstring, std::vector<std::wstring>>;

// Records of one kind: the field names, and each record's values in their order.
struct RecordTable {
  std::vector<std::string> names;
  std::vector<std::vector<FieldValue>> records;
};

// What a registration's record is read from.
struct ListedRegistration {
  AppPathEntry entry;      // with its status
  std::wstring program;    // the full path Windows would start; empty when none
  ProgramDetails details;  // empty texts and Unknown when the program is not there
};

// /list and /check: scope, key, status, statusText, installation, program, path, company,
// description, version, signature, signer, warnings (a list).
RecordTable RegistrationRecords(const std::vector<ListedRegistration>& registrations);

// /diff: change, scope, key, parts (a list; empty unless changed).
RecordTable DifferenceRecords(const std::vector<Difference>& differences);

// A status as scripts read it ("fine", "missing", ...) and in the legend's German words.
struct StatusWords {
  const char* code;
  const wchar_t* text;
};
StatusWords WordsOf(EntryStatus status);

// "signed", "unsigned", "invalid" or "unknown".
const char* SignatureCode(SignatureKind kind);
