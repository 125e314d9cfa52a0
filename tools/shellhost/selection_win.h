// The selection a shell hands a context-menu handler: its own data object and
// item-identifier lists for the chosen paths, and the class keys it reads the
// handlers from.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "tools/shellhost/options_win.h"

namespace shellhost {

enum class SelectionKind { Files, Folder, Drive, Background };

struct Selection {
  SelectionKind kind = SelectionKind::Files;
  std::string folder;              // parsing name of pidlFolder
  bool folderIsDirectory = false;  // folder is a file-system folder (lpDirectory of InvokeCommand)
  std::vector<std::string> names;  // the items, as their folder names them, in the order given
  base::UniquePidl folderPidl;     // the items' parent, or the folder of a background
  base::ComPtr<IDataObject> dataObject;  // none for a background
  std::vector<std::string> classKeys;    // under HKEY_CLASSES_ROOT, most specific first
};

// Throws base::Error: 53 for a path that is not there, 5 for a selection the
// shell cannot make (items in different folders, a background that is no folder).
Selection ResolveSelection(const Options& options, HWND owner);

}  // namespace shellhost
