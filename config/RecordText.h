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

// The comma-separated fields of a header record (quotes honoured, no white
// space skipped).
std::vector<std::string> SplitFields(const std::string& text);

// A field as a 32-bit number: 13 when it is no number, 6 when out of range.
std::int32_t FieldNumber(const std::string& field, const char* source);

}  // namespace config::detail
