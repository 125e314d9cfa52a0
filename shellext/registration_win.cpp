#include "shellext/registration.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/handles.h"
#include "resources/identity.h"

namespace shellext {

namespace {

// The class under ...\Software\Classes. %DLL% stands for the library's
// path, %DIR% for its folder, %WIN% for "win32" or "win64".
struct ValueRecipe {
  const char* key;
  const char* name;  // nullptr: the key's default value
  const char* value;
};

const ValueRecipe kClassValues[] = {
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT, nullptr, CORVANE_FENNICK_PROGID},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\InprocServer32", nullptr, "%DLL%"},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\InprocServer32", "ThreadingModel", "Apartment"},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\ProgID", nullptr, CORVANE_FENNICK_PROGID},
    {CORVANE_FENNICK_PROGID, nullptr, CORVANE_FENNICK_PROGID},
    {CORVANE_FENNICK_PROGID "\\CLSID", nullptr, CORVANE_FENNICK_CLSID_TEXT},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\TypeLib", nullptr, CORVANE_FENNICK_TYPELIB_TEXT},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\Version", nullptr, "1.1"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1", nullptr, "Corvane shell extension"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1\\0\\%WIN%", nullptr, "%DLL%"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1\\FLAGS", nullptr, "0"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1\\HELPDIR", nullptr, "%DIR%"},
};

// The type library's key is shared by the 32- and 64-bit registrations, so
// each removes only its own platform entry (and then whatever is left empty).
const char kTypeLibPlatformKey[] = "TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1\\0\\%WIN%";
const char kTypeLibVersionKey[] = "TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1";

// The keys that are wholly ours, removed with everything under them.
const char* const kClassKeys[] = {
    "CLSID\\" CORVANE_FENNICK_CLSID_TEXT,
    CORVANE_FENNICK_PROGID,
};

// The shell finds context-menu handlers under these file classes: every
// file, folders, a folder's background and drives.
const char* const kShellClasses[] = {"*", "Directory", "Directory\\Background", "Drive"};
const char kHandlerSubkey[] = "\\shellex\\ContextMenuHandlers\\" CORVANE_SHELL_HANDLER_NAME;

// Explorer runs only approved extensions when its policy asks for it; the
// list is machine-wide.
const char kApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const char kApprovedName[] = "Corvane FennickHandler";

// Registration notes here every key it had to make (the shellex levels of a
// file class, say), so that unregistering removes exactly those once they
// are empty, and never a key that was there before us.
const char kCreatedKeysKey[] = "CLSID\\" CORVANE_FENNICK_CLSID_TEXT;
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
LONG CreatePath(HKEY hive, const std::string& key, std::vector<std::string>& created, base::UniqueHKey& out) {
  base::UniqueHKey current;
  std::string path;
  size_t begin = 0;
  while (begin <= key.size()) {
    size_t end = key.find('\\', begin);
    if (end == std::string::npos) end = key.size();
    std::string part = key.substr(begin, end - begin);
    path += (path.empty() ? "" : "\\") + part;
    base::UniqueHKey next;
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

LONG SetString(HKEY hive, const std::string& key, const char* name, const std::string& value,
               std::vector<std::string>& created) {
  base::UniqueHKey hk;
  LONG rc = CreatePath(hive, key, created, hk);
  if (rc != ERROR_SUCCESS) return rc;
  return RegSetValueExA(hk.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1));
}

bool KeyIsEmpty(HKEY hive, const std::string& key) {
  base::UniqueHKey hk;
  if (RegOpenKeyExA(hive, key.c_str(), 0, KEY_READ, hk.put()) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyA(hk.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subkeys == 0 && values == 0;
}

void DeleteTree(HKEY hive, const std::string& key) {
  RegDeleteTreeA(hive, key.c_str());
  RegDeleteKeyA(hive, key.c_str());
}

void DeleteIfEmpty(HKEY hive, const std::string& key) {
  if (KeyIsEmpty(hive, key)) RegDeleteKeyA(hive, key.c_str());
}

void WriteCreatedKeys(const Root& root, const std::vector<std::string>& created) {
  std::string list;
  for (const auto& k : created) list += k + '\0';
  list += '\0';
  base::UniqueHKey hk;
  if (RegOpenKeyExA(root.hive, Under(root, kCreatedKeysKey).c_str(), 0, KEY_SET_VALUE, hk.put()) == ERROR_SUCCESS)
    RegSetValueExA(hk.get(), kCreatedKeysValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   static_cast<DWORD>(list.size()));
}

std::vector<std::string> ReadCreatedKeys(const Root& root) {
  std::vector<std::string> keys;
  char buf[8192];
  DWORD size = sizeof buf - 2;
  if (RegGetValueA(root.hive, Under(root, kCreatedKeysKey).c_str(), kCreatedKeysValue, RRF_RT_REG_MULTI_SZ,
                   nullptr, buf, &size) != ERROR_SUCCESS)
    return keys;
  buf[size] = buf[size + 1] = '\0';
  for (const char* p = buf; *p; p += std::strlen(p) + 1) keys.emplace_back(p);
  return keys;
}

}  // namespace

HRESULT RegisterFennick(RegistrationScope scope, const std::string& dllPath) noexcept {
  try {
    Root root = RootOf(scope);
    std::vector<std::string> created;  // relative to the hive
    LONG rc = ERROR_SUCCESS;
    for (const auto& r : kClassValues) {
      if (rc == ERROR_SUCCESS)
        rc = SetString(root.hive, Under(root, Expand(r.key, dllPath)), r.name, Expand(r.value, dllPath), created);
    }
    for (const char* cls : kShellClasses) {
      if (rc == ERROR_SUCCESS)
        rc = SetString(root.hive, Under(root, std::string(cls) + kHandlerSubkey), nullptr,
                       CORVANE_FENNICK_CLSID_TEXT, created);
    }
    if (rc == ERROR_SUCCESS && scope == RegistrationScope::Machine) {
      std::vector<std::string> outside;  // the approval list is never ours to remove
      rc = SetString(HKEY_LOCAL_MACHINE, kApprovedKey, CORVANE_FENNICK_CLSID_TEXT, kApprovedName, outside);
    }
    // Keys made now for a registration that was already there are not
    // noted again: the earlier list still holds the first ones.
    std::vector<std::string> noted = ReadCreatedKeys(root);
    noted.insert(noted.end(), created.begin(), created.end());
    WriteCreatedKeys(root, noted);
    if (rc != ERROR_SUCCESS) {
      UnregisterFennick(scope);
      return HRESULT_FROM_WIN32(rc);
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterFennick(RegistrationScope scope) noexcept {
  try {
    Root root = RootOf(scope);
    std::vector<std::string> created = ReadCreatedKeys(root);
    for (const char* key : kClassKeys) DeleteTree(root.hive, Under(root, key));
    for (const char* cls : kShellClasses) DeleteTree(root.hive, Under(root, std::string(cls) + kHandlerSubkey));
    DeleteTree(root.hive, Under(root, Expand(kTypeLibPlatformKey, "")));
    // The version's own values serve both platforms: they go with the last.
    std::string platforms = Under(root, std::string(kTypeLibVersionKey) + "\\0");
    base::UniqueHKey zero;
    bool anyPlatform = false;
    if (RegOpenKeyExA(root.hive, platforms.c_str(), 0, KEY_READ, zero.put()) == ERROR_SUCCESS) {
      DWORD subkeys = 0;
      RegQueryInfoKeyA(zero.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr);
      anyPlatform = subkeys > 0;
    }
    zero.reset();
    if (!anyPlatform) DeleteTree(root.hive, Under(root, kTypeLibVersionKey));
    // The library's own key is named by our identity: ours whoever made it.
    DeleteIfEmpty(root.hive, Under(root, "TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT));
    // Deepest first, so that a made parent goes after its made children.
    std::sort(created.begin(), created.end(), [](const std::string& a, const std::string& b) {
      return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
    });
    for (const auto& key : created) DeleteIfEmpty(root.hive, key);
    if (scope == RegistrationScope::Machine) {
      base::UniqueHKey hk;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kApprovedKey, 0, KEY_SET_VALUE, hk.put()) == ERROR_SUCCESS)
        RegDeleteValueA(hk.get(), CORVANE_FENNICK_CLSID_TEXT);
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace shellext
