#include "shellext/FolderListing.h"

#include <algorithm>

#include "base/text.h"
#include "common/wildcard.h"

namespace shellext {

std::string DynamicFolderPath(std::string_view location) {
  if (base::Trim(location).empty()) return std::string();
  std::string folder(location);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

bool DynamicEntryQualifies(const FolderEntry& entry, std::string_view filter) {
  if (entry.name.empty() || entry.name == "." || entry.name == "..") return false;
  if (entry.directory || filter.empty()) return true;
  return common::FilterMatchNoCase(entry.name, filter);
}

std::string DynamicSortKey(const FolderEntry& entry) {
  return entry.directory ? "\t" + base::LCase(entry.name) : base::LCase(entry.name);
}

std::vector<std::size_t> DynamicMenuOrder(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> keys;
  keys.reserve(entries.size());
  for (const FolderEntry& entry : entries) keys.push_back(DynamicSortKey(entry));
  std::vector<std::size_t> order(entries.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  // std::string compares its characters as unsigned codes, so a name with
  // an accented letter sorts after "z" as it does in the code page.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return order;
}

std::string MenuTextOf(std::string_view name) {
  std::string text;
  text.reserve(name.size());
  for (char c : name) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}

}  // namespace shellext
