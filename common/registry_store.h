// The platform beneath modRegistry: raw keys, values and INI entries. The
// Windows build uses the registry and profile calls; the native build keeps
// an in-memory registry (so the portable code above runs natively) and has
// no settings files.
#pragma once
#include <memory>
#include <string>

#include "common/modRegistry.h"

namespace common::registry_store {

// Value types, with the registry's numbers.
constexpr unsigned long kTypeSz = 1;
constexpr unsigned long kTypeExpandSz = 2;
constexpr unsigned long kTypeBinary = 3;
constexpr unsigned long kTypeDword = 4;

class Key {
 public:
  virtual ~Key() = default;
  // The stored bytes of a value and its type; 0 or the system's error code.
  virtual long Query(const std::string& name, std::string& bytes, unsigned long& type) = 0;
  virtual long Set(const std::string& name, unsigned long type, const std::string& bytes) = 0;
};

// Opens a key for query, or opens or creates it for setting; 0 or the code.
long OpenKey(RegHive hive, const std::string& path, bool create, std::unique_ptr<Key>& key);

bool SettingsFileExists(const std::string& path);
// The profile calls, with their buffer of 255 characters for texts.
std::string IniReadText(const std::string& file, const std::string& section, const std::string& entry,
                        const std::string& fallback);
std::int32_t IniReadInt(const std::string& file, const std::string& section, const std::string& entry);
long IniWriteText(const std::string& file, const std::string& section, const std::string& entry,
                  const std::string& text);

}  // namespace common::registry_store
