// The selection a shell hands a context-menu handler: its own data object and
// item-identifier lists for the chosen paths, and the class keys it reads the
// handlers from.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/shell_selection_win.h"
#include "tools/shellhost/options_win.h"

namespace shellhost {

enum class SelectionKind { Files, Folder, Drive, Background };

struct Selection {
  SelectionKind kind = SelectionKind::Files;
  common::ShellSelection shell;
  std::vector<std::string> classKeys;  // under HKEY_CLASSES_ROOT, most specific first
};

// Throws base::Error: 53 for a path that is not there, 5 for a selection the
// shell cannot make (items in different folders, a background that is no folder).
Selection ResolveSelection(const Options& options, HWND owner);

}  // namespace shellhost
