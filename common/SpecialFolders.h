// The shell's special folders and file display names. The names are the
// shell's own, in the user's language; the program adds only the qualifiers
// "Common " and "Local ".
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace common {

// The display name of a special folder (by CSIDL), with its "Common " or
// "Local " qualifier when `qualify` is set; "" when the system has no such
// folder. `hwndOwner` is the owner window, or null.
std::string GetSpecialFolderName(void* hwndOwner, std::int32_t csidl, bool qualify);

// The qualifier of a CSIDL ("Common ", "Local " or "").
const char* SpecialFolderQualifier(std::int32_t csidl) noexcept;

// The CSIDLs Designer offers (0 to 61 but a few); which of them name a folder
// depends on the running system.
bool IsSpecialFolderCandidate(std::int32_t csidl) noexcept;
constexpr std::int32_t kLastSpecialFolder = 61;

// The special folders the running system has: (CSIDL, qualified name) for
// every candidate whose name is not empty, ascending.
std::vector<std::pair<std::int32_t, std::string>> ListSpecialFolders(void* hwndOwner);

// The shell's display name of a file or folder, or "" when it has none.
std::string GetFileDisplayName(const std::string& path);

// The text before its first NUL; the whole text when there is none.
std::string CutAtNull(const std::string& text);

}  // namespace common
