#pragma once
// Records written for scripts (/list, /check, /diff). Platform-free.
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Records.h"

// The lines, each to be followed by CRLF: for Tsv and Csv a header of the field names and one
// line per record (a CSV field holding a line break spans lines; a list's texts joined by
// ";"); for Json "[", one object per line, "]" ("[]" when there is none).
std::vector<std::wstring> FormattedLines(OutputFormat format, const RecordTable& table);

// RFC 4180: fields joined by commas, a field holding a quote, comma, CR or LF in quotes with
// its quotes doubled; every other character as it is.
std::wstring CsvLine(const std::vector<std::wstring>& fields);

// One JSON object, the names as keys in their order, a text as a string and a list as an
// array of strings: plain ASCII, every other character (controls, DEL, anything beyond ASCII)
// as \uXXXX, so no console code page can alter it. A UTF-16 unit that belongs to no pair (a
// lone surrogate) becomes U+FFFD, as in the other formats' UTF-8.
std::wstring JsonObject(const std::vector<std::string>& names,
                        const std::vector<FieldValue>& values);
