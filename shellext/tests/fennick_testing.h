// Helpers of the handler's tests: settings planted in the real registry,
// configurations written by the project's writer, handlers made as the class
// factory makes them, the shell's own selection, and menus read back.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "config/clsOptions.h"

namespace fennick_test {

// Removes the settings and Fennick's recent lists
// (HKCU\Software\Brindlewick\Corvane) now and again when it goes.
class CleanSettings {
 public:
  CleanSettings();
  ~CleanSettings();
  CleanSettings(const CleanSettings&) = delete;
  CleanSettings& operator=(const CleanSettings&) = delete;
};

// Saves the default settings (whatever is stored) changed by `change` with the project's own
// settings object: what every handler made afterwards loads.
void PlantSettings(const std::function<void(config::clsOptions&)>& change);

// A new handler, as the class factory makes it.
base::ComPtr<IContextMenu3> NewHandler();

// What the shell gives Initialize for a right-click on these paths (all in
// one folder): the items' folder and the shell's own data object.
struct ShellSelection {
  base::UniquePidl folder;
  base::ComPtr<IDataObject> dataObject;
};
ShellSelection SelectionOf(const std::vector<std::string>& paths);
// The list of a folder, for a background.
base::UniquePidl PidlOf(const std::string& path);

// The menu as lines, two blanks deeper per submenu:
//   separator
//   popup OFFSET "TEXT" [flags]
//   string OFFSET "TEXT" [flags]
// OFFSET is the identifier minus first, "-" for an identifier outside
// [first, first + count). Flags: ownerdraw, checkmarks, disabled, grayed.
std::string DumpMenu(HMENU menu, UINT first, UINT count);

// GetCommandString's text for an offset, "<hr 0x...>" when it fails.
std::string CommandString(IContextMenu* handler, UINT offset, UINT type);

// Runs shellhost with Fennick registered machine-wide for the run.
std::string RunShellHostWithFennick(const std::vector<std::string>& args, unsigned long* exitCode = nullptr);

}  // namespace fennick_test
