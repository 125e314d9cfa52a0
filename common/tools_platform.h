// What the portable tools ask of the platform beneath them (tools_win.cpp,
// tools_host.cpp). Not for other callers.
#pragma once
#include <cstdint>
#include <string>

namespace common::platform {

enum class PathKind { Missing, File, Folder };

// What is at the path, from its attributes; failures give Missing.
PathKind KindOf(const std::string& path);
// Whether a pattern with wildcards matches at least one file (not a folder).
bool AnyFileMatches(const std::string& pattern);
bool IsSeparator(char c);
// The raw text of a string resource of this deliverable; raises 326 when
// there is none.
std::string ResourceString(std::int32_t number);

}  // namespace common::platform
