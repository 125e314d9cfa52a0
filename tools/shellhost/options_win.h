// shellhost's command line.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shellhost {

struct Options {
  std::vector<std::string> paths;  // the selection, or the one folder of --background
  bool background = false;
  std::optional<CLSID> clsid;  // --clsid: this handler instead of the registry's
  std::optional<CLSID> only;   // --only: of the registry's handlers, this one
  UINT flags = 0;              // CMF_NORMAL
  UINT first = 1;
  UINT last = 0x7fff;
  std::optional<std::string> invokeVerb;
  std::optional<UINT> invokeOffset;
  bool openSubmenus = false;
  bool ownerDraw = false;
  std::string drawDir;      // --draw-dir: drawn items kept as pictures here
  bool openTwice = false;   // --open-twice: the menu opened and read a second time
  bool gdi = false;         // --gdi: the process's GDI objects around the handler
  bool menu2 = false;       // --menu2: menu messages through IContextMenu2 only
  bool help = false;
};

// Throws base::Error(kErrArguments) naming what is wrong.
Options ParseArguments(int argc, char** argv);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", braces required.
bool ParseGuid(std::string_view text, GUID& out);

}  // namespace shellhost
