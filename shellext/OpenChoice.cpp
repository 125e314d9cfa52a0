#include "shellext/OpenChoice.h"

#include "base/text.h"

namespace shellext {

bool IsInternetShortcutPath(const std::string& path) {
  return path.size() >= 5 && base::LCase(path.substr(path.size() - 4)) == ".url";
}

OpenChoice ChooseOpen(const std::string& path, const std::function<std::string(const std::string&)>& readAddress) {
  if (IsInternetShortcutPath(path) && readAddress) {
    std::string address = readAddress(path);
    if (!address.empty()) return {kBrowserProgram, std::move(address)};
  }
  return {path, ""};
}

}  // namespace shellext
