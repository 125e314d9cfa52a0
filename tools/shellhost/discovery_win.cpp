#include "tools/shellhost/discovery_win.h"

#include <algorithm>
#include <cstring>

#include "base/handles.h"
#include "tools/shellhost/options_win.h"
#include "tools/shellhost/print_win.h"

namespace shellhost {

namespace {

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD size = sizeof name;
    LONG rc = RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;  // no CLSID is that long
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, size);
  }
  return names;
}

std::string DefaultValueOf(HKEY key, const std::string& subkey) {
  char buf[256];
  DWORD size = sizeof buf;
  DWORD type = 0;
  base::UniqueHKey h;
  if (RegOpenKeyExA(key, subkey.c_str(), 0, KEY_READ, h.put()) != ERROR_SUCCESS) return {};
  if (RegQueryValueExA(h.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
      type != REG_SZ || size == 0)
    return {};
  return std::string(buf, strnlen(buf, std::min<size_t>(size, sizeof buf)));
}

}  // namespace

std::vector<HandlerEntry> FindHandlers(const std::vector<std::string>& classKeys, const std::optional<CLSID>& only) {
  std::vector<HandlerEntry> found;
  for (const std::string& classKey : classKeys) {
    base::UniqueHKey handlers;
    std::string path = classKey + "\\shellex\\ContextMenuHandlers";
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, handlers.put()) != ERROR_SUCCESS) continue;
    for (const std::string& name : SubkeyNames(handlers.get())) {
      // The default value names the class; a key named after it needs none.
      std::string value = DefaultValueOf(handlers.get(), name);
      HandlerEntry entry{{}, classKey, name};
      if (!ParseGuid(value, entry.clsid) && !ParseGuid(name, entry.clsid)) {
        PrintLine(0, "skip class " + Quote(classKey) + " name " + Quote(name) + " names no CLSID " + Quote(value));
        continue;
      }
      if (only && !IsEqualCLSID(*only, entry.clsid)) continue;
      bool seen = std::any_of(found.begin(), found.end(),
                              [&](const HandlerEntry& e) { return IsEqualCLSID(e.clsid, entry.clsid); });
      if (!seen) found.push_back(std::move(entry));
    }
  }
  return found;
}

HandlerEntry GivenHandler(const CLSID& clsid, const std::vector<std::string>& classKeys) {
  HandlerEntry entry{clsid, classKeys.empty() ? std::string() : classKeys.front(), {}};
  for (const std::string& key : classKeys) {
    base::UniqueHKey h;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, h.put()) == ERROR_SUCCESS) {
      entry.classKey = key;
      break;
    }
  }
  return entry;
}

}  // namespace shellhost
