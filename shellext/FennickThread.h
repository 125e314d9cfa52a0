// Fennick's state of one shell thread. It lives in the thread's context
// (base/context.h) from the thread's first handler until its last one goes,
// when the handler frees the whole context; the settings (config::g_oOptions)
// and the traces (common::g_Debug, g_oTiming) live there too.
#pragma once
#include <cstdint>
#include <string>

#include "common/clsMRU.h"
#include "common/registry_keys.h"

namespace shellext {

using common::kCopyToMRUKey;
using common::kHistoryMRUKey;
using common::kQuickAccessMRUKey;
inline constexpr std::int32_t kMaxCopyToMRU = 7;

struct FennickThreadState {
  FennickThreadState();

  common::clsMRU g_oQuickAccessMRU;
  common::clsMRU g_oHistoryMRU;
  common::clsMRU g_oCopyToMRU;
  std::string g_szRootCaption;     // the root entry's caption of the thread's latest menu
  std::int32_t g_lReferenceCount = 0;  // live handlers on the thread
  // Window-type custom actions in the actions file, counted by the
  // thread's first live handler; every handler of the thread reads it.
  std::int32_t m_lNumWindowActions = 0;
  bool m_bStarted = false;             // Main has run
};

// This thread's state, made on first use.
FennickThreadState& FennickThread();

common::clsMRU& g_oQuickAccessMRU();
common::clsMRU& g_oHistoryMRU();
common::clsMRU& g_oCopyToMRU();
std::string& g_szRootCaption();

// The start routine: runs once on a thread before its first handler is made
// (and again after the thread's state was freed). Every failure is ignored.
void Main() noexcept;

}  // namespace shellext
