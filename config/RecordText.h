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

// The leading run of digits as a number: false (value untouched) when there
// is none, error 6 when it does not fit 32 bits.
bool ParseLeadingNumber(const std::string& text, std::int32_t& value);

}  // namespace config::detail
