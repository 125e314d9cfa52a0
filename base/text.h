// ANSI text: std::string holds the ANSI code page, one byte per character.
// UTF-16 appears only where an interface demands it.
#pragma once
#include <string>
#include <string_view>

namespace base {

std::u16string AnsiToUtf16(std::string_view text);
// Characters the code page lacks become its default character ("?").
std::string Utf16ToAnsi(std::u16string_view text);

// Case folding of the ANSI code page (accented letters included).
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Small text helpers of the system's own vocabulary.
std::string Trim(std::string_view text);  // blanks at both ends
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// The text as a menu or status bar may show it: every control character
// (below 0x20, and 0x7F) becomes a blank.
std::string BlankControls(std::string_view text);

}  // namespace base
