#include <winsock2.h>  // before windows.h, as base/handles.h needs
#include <windows.h>

#include "base/handles.h"
#include "common/registry_store.h"

namespace common::registry_store {

namespace {

HKEY HiveKey(RegHive hive) {
  switch (hive) {
    case RegHive::CurrentUser: return HKEY_CURRENT_USER;
    case RegHive::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegHive::Users: return HKEY_USERS;
    case RegHive::DynData: return HKEY_DYN_DATA;
    case RegHive::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegHive::ClassesRoot: return HKEY_CLASSES_ROOT;
    default: return nullptr;
  }
}

class Win32Key : public Key {
 public:
  explicit Win32Key(base::UniqueHKey key) : m_key(std::move(key)) {}

  long Query(const std::string& name, std::string& bytes, unsigned long& type) override {
    // The size first, then the value by the length it reports: texts come
    // back whole, whatever bytes they hold. A value that grows in between
    // is asked for again.
    DWORD size = 0, kind = 0;
    LONG code = RegQueryValueExA(m_key.get(), name.c_str(), nullptr, &kind, nullptr, &size);
    for (int attempt = 0; code == ERROR_SUCCESS || code == ERROR_MORE_DATA; ++attempt) {
      bytes.assign(size, '\0');
      if (size == 0) break;
      code = RegQueryValueExA(m_key.get(), name.c_str(), nullptr, &kind, reinterpret_cast<BYTE*>(bytes.data()), &size);
      if (code == ERROR_SUCCESS) {
        bytes.resize(size);
        break;
      }
      if (code != ERROR_MORE_DATA || attempt == 4) break;
    }
    type = kind;
    return code;
  }

  long Set(const std::string& name, unsigned long type, const std::string& bytes) override {
    return RegSetValueExA(m_key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }

 private:
  base::UniqueHKey m_key;
};

}  // namespace

long OpenKey(RegHive hive, const std::string& path, bool create, std::unique_ptr<Key>& key) {
  HKEY root = HiveKey(hive);
  if (!root) return ERROR_INVALID_HANDLE;
  base::UniqueHKey k;
  LONG code = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, k.put(), nullptr)
                     : RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, k.put());
  if (code != ERROR_SUCCESS) return code;
  key = std::make_unique<Win32Key>(std::move(k));
  return 0;
}

bool SettingsFileExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  base::UniqueFind search(FindFirstFileA(path.c_str(), &found));
  if (!search) return false;
  // Normal files only: a folder, a hidden or a system file is no settings file.
  constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if (!(found.dwFileAttributes & kNotNormal)) return true;
  } while (FindNextFileA(search.get(), &found));
  return false;
}

std::string IniReadText(const std::string& file, const std::string& section, const std::string& entry,
                        const std::string& fallback) {
  char buffer[255] = {};
  DWORD n = GetPrivateProfileStringA(section.c_str(), entry.c_str(), fallback.c_str(), buffer, sizeof buffer,
                                     file.c_str());
  return std::string(buffer, n);
}

std::int32_t IniReadInt(const std::string& file, const std::string& section, const std::string& entry) {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section.c_str(), entry.c_str(), 0, file.c_str()));
}

long IniWriteText(const std::string& file, const std::string& section, const std::string& entry,
                  const std::string& text) {
  if (WritePrivateProfileStringA(section.c_str(), entry.c_str(), text.c_str(), file.c_str())) return 0;
  DWORD code = GetLastError();
  return code ? static_cast<long>(code) : ERROR_WRITE_FAULT;
}

}  // namespace common::registry_store
