// Explorer's side of the context-menu protocol, played against one handler.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/shellhost/discovery_win.h"
#include "tools/shellhost/options_win.h"
#include "tools/shellhost/selection_win.h"

namespace shellhost {

struct HandlerOutcome {
  bool failed = false;   // a step failed; the line says which, with its HRESULT
  bool invoked = false;  // InvokeCommand accepted the command
  std::wstring module;   // the DLL the object lives in, for the unload report
};

// Creates the handler, initializes it with the selection, builds its menu,
// sends the chosen menu messages, asks GetCommandString for its items, sends
// it the command when tryInvoke, and releases it; every step is printed.
HandlerOutcome RunHandler(const HandlerEntry& handler, const Selection& selection, const Options& options,
                          HWND owner, bool tryInvoke);

// Once every object is released: what each module's DllCanUnloadNow says,
// and whether COM then lets the module go.
void ReportUnload(const std::vector<std::wstring>& modules, bool gdi);

}  // namespace shellhost
