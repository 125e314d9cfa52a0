#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "base/context.h"
#include "common/appinfo.h"
#include "common/tools.h"
#include "shellext/FennickThread.h"

namespace shellext {

FennickThreadState::FennickThreadState() {
  // The two lists hold enciphered entries, which are found again only as
  // the very same text.
  g_oQuickAccessMRU.SetExactMatch(true);
  g_oHistoryMRU.SetExactMatch(true);
}

FennickThreadState& FennickThread() { return base::ThreadContext::Current().Get<FennickThreadState>(); }

common::clsMRU& g_oQuickAccessMRU() { return FennickThread().g_oQuickAccessMRU; }
common::clsMRU& g_oHistoryMRU() { return FennickThread().g_oHistoryMRU; }
common::clsMRU& g_oCopyToMRU() { return FennickThread().g_oCopyToMRU; }
std::string& g_szRootCaption() { return FennickThread().g_szRootCaption; }

void Main() noexcept {
  try {
    FennickThreadState& thread = FennickThread();
    if (thread.m_bStarted) return;
    thread.m_bStarted = true;
    InitCommonControls();
    // The automation library stays loaded for the life of the process; one
    // load is enough however often a thread starts afresh.
    static std::atomic<bool> automationLoaded{false};
    if (!automationLoaded.exchange(true)) LoadLibraryA("oleaut32.dll");
    try {
      common::g_szAppTitle() = common::ShellAppTitle();
    } catch (...) {
    }
    common::g_szEmpty() = "(Empty)";
  } catch (...) {
  }
}

}  // namespace shellext
