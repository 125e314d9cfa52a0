// The registry keys both programs read and write, below HKEY_CURRENT_USER.
// Designer and Fennick share them and never talk otherwise, so each path is
// written here once. Every path ends with a backslash.
#pragma once

namespace common {

// The base key: every setting, and Designer's recent configuration files.
inline constexpr char kSettingsKey[] = "Software\\Brindlewick\\Corvane\\";
inline constexpr char kRecentFilesKey[] = "Software\\Brindlewick\\Corvane\\";

// Fennick's recent lists; Designer reads the quick-access list for its Add
// menu.
inline constexpr char kQuickAccessMRUKey[] = "Software\\Brindlewick\\Corvane\\Fennick\\QuickAccessMRU\\";
inline constexpr char kHistoryMRUKey[] = "Software\\Brindlewick\\Corvane\\Fennick\\HistoryMRU\\";
inline constexpr char kCopyToMRUKey[] = "Software\\Brindlewick\\Corvane\\Fennick\\CopyTo\\";

}  // namespace common
