#include "base/handles.h"  // first: it orders the Windows headers

#include <cstring>

#include "shellext/FolderListing.h"

namespace shellext {

std::vector<FolderEntry> ListDynamicFolder(const std::string& folderPath, std::string_view filter,
                                           const std::function<bool(const FolderEntry&)>& take) {
  std::vector<FolderEntry> entries;
  if (folderPath.empty()) return entries;
  WIN32_FIND_DATAA found{};
  // The search closes however the listing ends.
  base::UniqueFind search(FindFirstFileA((folderPath + "*.*").c_str(), &found));
  if (!search) return entries;
  do {
    FolderEntry entry;
    entry.name.assign(found.cFileName, strnlen(found.cFileName, sizeof found.cFileName));
    entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!DynamicEntryQualifies(entry, filter)) continue;
    if (take && !take(entry)) break;
    entries.push_back(std::move(entry));
  } while (FindNextFileA(search.get(), &found));
  return entries;
}

}  // namespace shellext
