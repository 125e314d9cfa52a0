// The general tools: free functions that the forms and classes share. This
// header is portable; the file, shell and window functions that need Windows
// are in common/shelltools.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/variant.h"

namespace common {

// --- texts -----------------------------------------------------------------------

// Takes the leading run of "0" to "9": false (number untouched) when there is
// none, else number := its value and true. A run beyond 32 bits raises 6.
bool ParseLeadingNumber(const std::string& text, std::int32_t& number);

// The text before its first NUL; the whole text when it has none.
std::string StripNull(const std::string& text);

// Removes every trailing character of the text that occurs in the set; the
// set is written with program escapes (ExpandEscapes), e.g. "\\n\\r\\t\\v ".
std::string TrimRightChars(const std::string& text, const std::string& set);

// ReplaceString flags.
enum ReplaceFlags : std::uint8_t {
  kReplaceNoCase = 1,     // search without regard to case (the text keeps its own)
  kReplaceFirstOnly = 2,  // only the first occurrence
};

// Replaces the searched text in text (which is changed and returned). The
// text inserted is searched again, so "aa" by "a" in "aaaa" gives "a";
// unless the replacement itself holds the searched text, in which case the
// search goes on after it. An empty searched text changes nothing.
std::string ReplaceString(std::string& text, const std::string& searched,
                          const std::string& replacement, std::uint8_t flags = 0);

// Splits the text into its tokens (the character-class tokenizer, with the
// separator and white-space sets given with program escapes and, when
// quotes are honoured, " and ' as quotes). tokens holds them from index 0;
// the count is returned.
std::int32_t SplitTokens(const base::Variant& text, std::vector<std::string>& tokens,
                         bool honourQuotes, const std::string& separators,
                         const std::string& whiteSpace);

// The escapes of program texts: a whole number is the string resource of
// that number (so a resource text is expanded twice), anything else its
// text; then, pair by pair over the whole text, "\\\\" is one backslash and
// "\\a" "\\b" "\\f" "\\n" "\\r" "\\t" "\\v" "\\'" "\\\"" "\\?" the C characters.
// Backslash pairs go first, so "\\\\n" ends as a line feed. Users' texts have
// their own dialect: clsSprintf::TreatBackSlash.
std::string ExpandEscapes(const base::Variant& value);

// The string resource of that number of this deliverable, through
// ExpandEscapes. A missing one raises 326.
std::string LoadResStringEx(std::int32_t number);

// value AND NOT mask.
constexpr std::int32_t ClearBits(std::int32_t value, std::int32_t mask) { return value & ~mask; }

// "1.04", or "1.04.000" with the revision.
std::string FormatAppVersion(int major, int minor, int revision, bool withRevision);

// --- files -------------------------------------------------------------------------

// True when the path names a folder, with or without a trailing separator.
// Errors count as false.
bool DirectoryExists(const std::string& path);

// True when the path names a file (read-only, hidden and system files too),
// never a folder; a wildcard in the last part matches any such file. A path
// that ends in a separator names no file. Errors count as false.
bool FileExists(const std::string& path);

// The error that a failed ShellExecute result (0 to 32) stands for, with the
// given source.
base::Error ShellExecuteError(long result, const std::string& source);

// --- program state -------------------------------------------------------------------

// The text shown for empty values, "(Empty)" (this thread's copy).
std::string& g_szEmpty();

// The first call of Designer's start-up: the message-box title (g_szAppTitle
// of common/appinfo.h) becomes the program's title, and g_szEmpty "(Empty)".
bool InitGlobals();

// Whether the program runs inside its development environment: never, for
// a built program, so the entries meant for that are never shown.
constexpr bool ErrorOccurred() { return false; }

}  // namespace common
