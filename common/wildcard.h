// Wildcard match of file names, as the file filters of dynamic folders and
// selection tasks use it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Whether the whole name matches the pattern. Characters compare by their
// code, so callers that want case to be ignored lower-case both sides (see
// FilterMatchNoCase).
//   *      any run of characters, also none
//   ?      any one character
//   #      any one digit 0 to 9
//   [abc]  one character of the list; "a-z" between two characters is a range
//   [!abc] one character not in the list
//   other  itself ("]" outside a list too)
// Patterns are never rejected; what a user may type by mistake reads so:
//   - A list ends at the first "]" after its "[" (and "!"), so "[]" holds no
//     character and matches nothing, and "[!]" matches any one character.
//   - A "[" with no "]" anywhere after it is an ordinary character, and the
//     rest of the pattern reads as usual: "*[1" matches "copy[1".
//   - A range written backwards ("[z-a]") holds no character; the list's
//     other characters still count, so "[z-ax]" matches only "x".
//   - A "-" first or last in a list stands for itself.
// Time grows with name length times pattern length at worst, however many
// "*" the pattern holds.
bool WildcardMatch(std::string_view name, std::string_view pattern);

// The patterns of a filter: the pieces between commas, in order. Runs of
// commas give no empty pattern; blanks are kept (" *.log" starts with one).
std::vector<std::string_view> SplitFilter(std::string_view filter);

// Whether the name matches one of the filter's patterns. A filter with no
// pattern (empty, or commas only) matches nothing; callers that list
// everything for an empty filter test for that first.
bool FilterMatch(std::string_view name, std::string_view filter);

// FilterMatch with both sides lower-cased first (the ANSI code page's case
// folding), the way file names are filtered.
bool FilterMatchNoCase(std::string_view name, std::string_view filter);

}  // namespace common
