// The custom-actions file through the profile (INI) calls, keeping every
// value whole.
//
// The profile service strips blanks and one pair of quotes around a value and
// ends a value at the line's end; a value that it would not give back as it
// was is written marked and escaped instead: "=?" and then the text, with
// "=" and every control character as "=" and two hexadecimal digits, and a
// blank at the end as "=20". Everything else is written as it stands, so
// files written earlier read as they always did.
#pragma once
#include <string>
#include <string_view>

namespace actions {

std::string EncodeProfileValue(std::string_view value);
std::string DecodeProfileValue(std::string_view stored);

// Whether the file can hold a section of that name: not empty, no control
// character, no "]", no blank at either end.
bool IsValidSectionName(std::string_view name);

// Windows only. Reads the value of a key (decoded) of any length, or the
// default when the key is absent.
std::string ProfileRead(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def);
// Writes the value (encoded); error 75 when the file cannot be written, 5
// for a section name the file cannot hold.
void ProfileWrite(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value);
// Removes a whole section; the same errors.
void ProfileDeleteSection(const std::string& file, const std::string& section);
// Every section name, each ended by a NUL, the list ended by a second NUL;
// "" for a missing or empty file.
std::string ProfileSectionList(const std::string& file);

}  // namespace actions
