// Internal to config/: the cipher every record and history entry passes
// through, and the splitting of a record's numbers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace config::detail {

// Enciphers or deciphers the bytes of one record or entry, the key started
// afresh for each.
std::string CipherText(std::string bytes);

// How a text splits into comma-separated fields.
struct FieldRules {
  const char* quotes;
  const char* whiteSpace;
  const char* endOfLine;
  bool doubledQuotes;  // a doubled quote inside a quoted field stands for one
};
// A record's numbers: both quotes honoured, no white space skipped.
constexpr FieldRules kRecordFields{"\"'", "", "\r\n", false};

std::vector<std::string> SplitFields(const std::string& text, const FieldRules& rules);

// A field as a 32-bit number: 13 when it is no number, 6 when out of range.
std::int32_t FieldNumber(const std::string& field, const char* source);

}  // namespace config::detail
