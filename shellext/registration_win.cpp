#include "shellext/registration.h"

#include <vector>

#include "base/handles.h"
#include "resources/identity.h"

namespace shellext {

namespace {

// The class under ...\Software\Classes. %DLL% stands for the library's path.
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
};

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

struct Root {
  HKEY hive;
  const char* classes;
};

Root RootOf(RegistrationScope scope) {
  return scope == RegistrationScope::Machine ? Root{HKEY_LOCAL_MACHINE, "Software\\Classes"}
                                             : Root{HKEY_CURRENT_USER, "Software\\Classes"};
}

std::string Under(const Root& root, const std::string& key) { return std::string(root.classes) + "\\" + key; }

LONG SetString(HKEY hive, const std::string& key, const char* name, const std::string& value) {
  base::UniqueHKey hk;
  LONG rc = RegCreateKeyExA(hive, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, hk.put(), nullptr);
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

// Deletes key and its empty parents, stopping at the file class itself
// ("Directory", "*"), which is never ours.
void DeleteWithEmptyParents(HKEY hive, const std::string& classes, const std::string& relative) {
  RegDeleteTreeA(hive, (classes + "\\" + relative).c_str());
  RegDeleteKeyA(hive, (classes + "\\" + relative).c_str());
  std::string rel = relative;
  for (;;) {
    size_t cut = rel.rfind('\\');
    if (cut == std::string::npos) break;
    rel.resize(cut);
    // The first component is the file class.
    if (rel.find('\\') == std::string::npos) break;
    std::string full = classes + "\\" + rel;
    if (!KeyIsEmpty(hive, full)) break;
    RegDeleteKeyA(hive, full.c_str());
  }
}

}  // namespace

HRESULT RegisterFennick(RegistrationScope scope, const std::string& dllPath) noexcept {
  try {
    Root root = RootOf(scope);
    for (const auto& r : kClassValues) {
      std::string value = r.value;
      if (value == "%DLL%") value = dllPath;
      LONG rc = SetString(root.hive, Under(root, r.key), r.name, value);
      if (rc != ERROR_SUCCESS) {
        UnregisterFennick(scope);
        return HRESULT_FROM_WIN32(rc);
      }
    }
    for (const char* cls : kShellClasses) {
      LONG rc = SetString(root.hive, Under(root, std::string(cls) + kHandlerSubkey), nullptr,
                          CORVANE_FENNICK_CLSID_TEXT);
      if (rc != ERROR_SUCCESS) {
        UnregisterFennick(scope);
        return HRESULT_FROM_WIN32(rc);
      }
    }
    if (scope == RegistrationScope::Machine) {
      LONG rc = SetString(HKEY_LOCAL_MACHINE, kApprovedKey, CORVANE_FENNICK_CLSID_TEXT, kApprovedName);
      if (rc != ERROR_SUCCESS) {
        UnregisterFennick(scope);
        return HRESULT_FROM_WIN32(rc);
      }
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterFennick(RegistrationScope scope) noexcept {
  try {
    Root root = RootOf(scope);
    for (const char* key : kClassKeys) {
      RegDeleteTreeA(root.hive, Under(root, key).c_str());
      RegDeleteKeyA(root.hive, Under(root, key).c_str());
    }
    for (const char* cls : kShellClasses)
      DeleteWithEmptyParents(root.hive, root.classes, std::string(cls) + kHandlerSubkey);
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
