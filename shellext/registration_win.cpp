#include "shellext/registration.h"

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
      LONG rc = SetString(root.hive, Under(root, Expand(r.key, dllPath)), r.name, Expand(r.value, dllPath));
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
    DeleteWithEmptyParents(root.hive, root.classes, Expand(kTypeLibPlatformKey, ""));
    // The version's own values serve both platforms: they go with the last.
    base::UniqueHKey platforms;
    if (RegOpenKeyExA(root.hive, Under(root, std::string(kTypeLibVersionKey) + "\\0").c_str(), 0, KEY_READ,
                      platforms.put()) != ERROR_SUCCESS)
      DeleteWithEmptyParents(root.hive, root.classes, kTypeLibVersionKey);
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
