// The selection a shell hands a context-menu handler for a right-click: the
// items' folder as an item-identifier list and the shell's own data object
// for the items (CF_HDROP and the shell-ID list), made by the shell itself.
// The calling thread must have COM started. Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <objidl.h>

#include <string>
#include <vector>

namespace common {

struct ShellSelection {
  std::string folder;                    // parsing name of folderPidl
  bool folderIsDirectory = false;        // a file-system folder (lpDirectory of InvokeCommand)
  std::vector<std::string> names;        // the items, as their folder names them, in the order given
  base::UniquePidl folderPidl;           // the items' parent, or the folder of a background
  base::ComPtr<IDataObject> dataObject;  // none for a background
};

// The full path, without a trailing separator unless it is a root. Raises 76
// for a path that cannot be made full.
std::string FullShellPath(const std::string& path);

// The items (files or folders, all in one folder, the first one focused).
// Raises 53 for a path that is not there or that the shell cannot parse, and
// 5 for items in different folders or that the shell gives no data object for.
ShellSelection SelectShellItems(const std::vector<std::string>& paths, HWND owner);

// The background of a folder: the folder's own list and no data object, by
// which a handler tells it apart from a menu for items. Raises 76 when the
// path is no folder.
ShellSelection SelectShellBackground(const std::string& folder);

}  // namespace common
