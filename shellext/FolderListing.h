// What a dynamic folder's submenu lists: the folder's sub-folders and the
// files its filter lets through, sub-folders first, each group by name.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace shellext {

struct FolderEntry {
  std::string name;
  bool directory = false;
};

// The folder to list, with a trailing backslash. An empty (or blank)
// location gives "": there is nothing to list, not the root of the current
// drive that "\" would name.
std::string DynamicFolderPath(std::string_view location);

// Whether the entry is listed: "." and ".." never, a sub-folder always, a
// file when the filter is empty or one of its patterns matches its name
// (case ignored). Attributes other than the directory bit do not count.
bool DynamicEntryQualifies(const FolderEntry& entry, std::string_view filter);

// The key the menu is sorted by: a TAB and the lower-cased name for a
// sub-folder, the lower-cased name alone for a file.
std::string DynamicSortKey(const FolderEntry& entry);

// The positions of the entries in the order the menu shows them: ascending
// by sort key, compared by character code; equal keys keep their order.
std::vector<std::size_t> DynamicMenuOrder(const std::vector<FolderEntry>& entries);

// A name as menu text: every "&" doubled, so that it shows as itself and
// marks no letter.
std::string MenuTextOf(std::string_view name);

// The qualifying entries of a folder, in the order the file system returns
// them. Each one is offered to `take` first (when given); when it says no,
// the listing ends there, without that entry. A folder that does not exist
// or cannot be read lists nothing. Windows only.
std::vector<FolderEntry> ListDynamicFolder(const std::string& folderPath, std::string_view filter,
                                           const std::function<bool(const FolderEntry&)>& take);

}  // namespace shellext
