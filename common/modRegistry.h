// Registry and settings-file access: every persistent setting goes through
// these three calls. The root is a hive abbreviation ("HKCU", "HKLM", "HKU",
// "HKDD", "HKCC", "HKCR", any case) or the path of an existing INI file, in
// which case the key path is the section and the value name the entry.
//
// Type words: "S" text (REG_SZ), "B" 2-byte flag (REG_BINARY), "BOOL" flag
// (REG_DWORD 1 or 0), "D" signed 32-bit number (REG_DWORD); any other word
// reads and writes nothing.
//
// Results: 0 done, 99 the root is no hive and no existing file (or a
// settings-file write of a type other than "S"), 13 (ERROR_INVALID_DATA) a
// value that does not convert, otherwise the failing system call's code (2
// not found, 5 access denied, 234 a stored value larger than its type).
// Nothing throws; a failed read leaves the default in the output.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/variant.h"

namespace common {

constexpr long kRegUnknownRoot = 99;
constexpr long kRegInvalidData = 13;

enum class RegHive { None, CurrentUser, LocalMachine, Users, DynData, CurrentConfig, ClassesRoot };
enum class RegType { Other, Text, Binary16, Bool, Dword };

struct RegRoot {
  enum Kind { None = 0, Hive, SettingsFile } kind = None;
  RegHive hive = RegHive::None;
};

RegHive HiveFromName(std::string_view name);
RegType RegTypeFromWord(std::string_view word);
// The root a name stands for: a hive, a settings file (an existing normal
// file: no folder, hidden or system file), or nothing.
RegRoot RegRootFromName(const std::string& name);

// The output takes the default first, then the value read, each converted
// to the output's kind (a Variant takes the value's own kind).
long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, base::Variant& out) noexcept;
long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, std::string& out) noexcept;
long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, std::int32_t& out) noexcept;
long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, bool& out) noexcept;

// Creates the key path when it is missing. A settings file is never created.
long RegistrySetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& value) noexcept;

// The text of a stored REG_SZ value: every byte, embedded NULs included, up
// to the one terminating NUL when the value ends with it.
std::string TextFromRegistryBytes(const std::string& bytes);

}  // namespace common
