#include "base/registration.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/handles.h"

namespace base {

namespace {

// Registration notes under the recipe's createdKeysKey every key it had to
// make (the shellex levels of a file class, say), so that unregistering
// removes exactly those once they are empty.
const char kCreatedKeysValue[] = "CorvaneCreatedKeys";

struct Root {
  HKEY hive;
  const char* classes;
};

Root RootOf(RegistrationScope scope) {
  return scope == RegistrationScope::Machine ? Root{HKEY_LOCAL_MACHINE, "Software\\Classes"}
                                             : Root{HKEY_CURRENT_USER, "Software\\Classes"};
}

std::string Under(const Root& root, const std::string& key) { return std::string(root.classes) + "\\" + key; }

std::string Expand(std::string text, const std::string& dllPath) {
  auto replace = [&](const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
      text.replace(at, what.size(), with);
  };
  size_t slash = dllPath.find_last_of('\\');
  std::string dir = slash == std::string::npos ? std::string() : dllPath.substr(0, slash);
  replace("%WIN%", sizeof(void*) == 8 ? "win64" : "win32");
  replace("%DLL%", dllPath);
  replace("%DIR%", dir);
  return text;
}

// Opens key, making it one level at a time and noting each level it made.
LONG CreatePath(HKEY hive, const std::string& key, std::vector<std::string>& created, UniqueHKey& out) {
  UniqueHKey current;
  std::string path;
  size_t begin = 0;
  while (begin <= key.size()) {
    size_t end = key.find('\\', begin);
    if (end == std::string::npos) end = key.size();
    std::string part = key.substr(begin, end - begin);
    path += (path.empty() ? "" : "\\") + part;
    UniqueHKey next;
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExA(current ? current.get() : hive, part.c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, next.put(), &disposition);
    if (rc != ERROR_SUCCESS) return rc;
    if (disposition == REG_CREATED_NEW_KEY) created.push_back(path);
    current = std::move(next);
    begin = end + 1;
  }
  out = std::move(current);
  return ERROR_SUCCESS;
}

LONG SetString(HKEY hive, const std::string& key, const char* name, const char* value,
               std::vector<std::string>& created, const std::string& dllPath) {
  UniqueHKey hk;
  LONG rc = CreatePath(hive, key, created, hk);
  if (rc != ERROR_SUCCESS || !value) return rc;
  std::string text = Expand(value, dllPath);
  return RegSetValueExA(hk.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
}

bool KeyIsEmpty(HKEY hive, const std::string& key) {
  UniqueHKey hk;
  if (RegOpenKeyExA(hive, key.c_str(), 0, KEY_READ, hk.put()) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyA(hk.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subkeys == 0 && values == 0;
}

bool HasSubkeys(HKEY hive, const std::string& key) {
  UniqueHKey hk;
  if (RegOpenKeyExA(hive, key.c_str(), 0, KEY_READ, hk.put()) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0;
  RegQueryInfoKeyA(hk.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr);
  return subkeys > 0;
}

void DeleteTree(HKEY hive, const std::string& key) {
  RegDeleteTreeA(hive, key.c_str());
  RegDeleteKeyA(hive, key.c_str());
}

void DeleteIfEmpty(HKEY hive, const std::string& key) {
  if (KeyIsEmpty(hive, key)) RegDeleteKeyA(hive, key.c_str());
}

void WriteCreatedKeys(const Root& root, const char* anchor, const std::vector<std::string>& created) {
  std::string list;
  for (const auto& k : created) list += k + '\0';
  list += '\0';
  UniqueHKey hk;
  if (RegOpenKeyExA(root.hive, Under(root, anchor).c_str(), 0, KEY_SET_VALUE, hk.put()) == ERROR_SUCCESS)
    RegSetValueExA(hk.get(), kCreatedKeysValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   static_cast<DWORD>(list.size()));
}

std::vector<std::string> ReadCreatedKeys(const Root& root, const char* anchor) {
  std::vector<std::string> keys;
  char buf[8192];
  DWORD size = sizeof buf - 2;
  if (RegGetValueA(root.hive, Under(root, anchor).c_str(), kCreatedKeysValue, RRF_RT_REG_MULTI_SZ, nullptr, buf,
                   &size) != ERROR_SUCCESS)
    return keys;
  buf[size] = buf[size + 1] = '\0';
  for (const char* p = buf; *p; p += std::strlen(p) + 1) keys.emplace_back(p);
  return keys;
}

}  // namespace

HRESULT RegisterServer(const ServerRegistration& recipe, RegistrationScope scope,
                       const std::string& dllPath) noexcept {
  try {
    Root root = RootOf(scope);
    std::vector<std::string> created;  // relative to the hive
    LONG rc = ERROR_SUCCESS;
    for (const auto& r : recipe.classValues) {
      if (rc == ERROR_SUCCESS)
        rc = SetString(root.hive, Under(root, Expand(r.key, dllPath)), r.name, r.value, created, dllPath);
    }
    if (scope == RegistrationScope::Machine) {
      std::vector<std::string> outside;  // keys outside the classes are never ours to remove
      for (const auto& r : recipe.machineValues) {
        if (rc == ERROR_SUCCESS) rc = SetString(HKEY_LOCAL_MACHINE, r.key, r.name, r.value, outside, dllPath);
      }
    }
    // Keys made now for a registration that was already there are not
    // noted again: the earlier list still holds the first ones.
    std::vector<std::string> noted = ReadCreatedKeys(root, recipe.createdKeysKey);
    noted.insert(noted.end(), created.begin(), created.end());
    WriteCreatedKeys(root, recipe.createdKeysKey, noted);
    if (rc != ERROR_SUCCESS) {
      UnregisterServer(recipe, scope);
      return HRESULT_FROM_WIN32(rc);
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterServer(const ServerRegistration& recipe, RegistrationScope scope) noexcept {
  try {
    Root root = RootOf(scope);
    std::vector<std::string> created = ReadCreatedKeys(root, recipe.createdKeysKey);
    for (const char* key : recipe.ownedKeys) DeleteTree(root.hive, Under(root, key));
    if (recipe.typeLibVersionKey) {
      const std::string version = recipe.typeLibVersionKey;
      DeleteTree(root.hive, Under(root, Expand(version + "\\0\\%WIN%", "")));
      if (!HasSubkeys(root.hive, Under(root, version + "\\0"))) DeleteTree(root.hive, Under(root, version));
      // The library's own key is named by its identity: ours whoever made it.
      DeleteIfEmpty(root.hive, Under(root, version.substr(0, version.find_last_of('\\'))));
    }
    // Deepest first, so that a made parent goes after its made children.
    std::sort(created.begin(), created.end(), [](const std::string& a, const std::string& b) {
      return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
    });
    for (const auto& key : created) DeleteIfEmpty(root.hive, key);
    if (scope == RegistrationScope::Machine) {
      for (const auto& r : recipe.machineValues) {
        UniqueHKey hk;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, r.key, 0, KEY_SET_VALUE, hk.put()) == ERROR_SUCCESS)
          RegDeleteValueA(hk.get(), r.name);
      }
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace base
