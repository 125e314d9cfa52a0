// Finding a selection's context-menu handlers in the registry, as a shell does.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace shellhost {

struct HandlerEntry {
  CLSID clsid{};
  std::string classKey;  // the HKEY_CLASSES_ROOT key whose handler it is; Initialize gets it
  std::string name;      // its ContextMenuHandlers subkey; empty when given by --clsid
};

// Every <classKey>\shellex\ContextMenuHandlers\<name> of the keys in order,
// each CLSID once (the first key that names it wins), kept to `only` when
// given. An entry that names no CLSID is reported and passed over.
std::vector<HandlerEntry> FindHandlers(const std::vector<std::string>& classKeys, const std::optional<CLSID>& only);

// The handler given on the command line, with the first of the class keys
// that exists (the selection's most specific).
HandlerEntry GivenHandler(const CLSID& clsid, const std::vector<std::string>& classKeys);

}  // namespace shellhost
