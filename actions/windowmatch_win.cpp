// Window matching: which window action fits the window the menu was opened
// from, by its program and by the class and caption of it or a parent.
#include "common/shelltools.h"  // first: it brings the platform headers in their order

#include <cstdint>

#include "actions/clsCustomActions.h"
#include "common/clsProcess.h"
#include "common/clsTrace.h"

namespace actions {

namespace {

const char* TrueFalse(bool b) { return b ? "True" : "False"; }

std::string HexOf(HWND hwnd) {
  return common::clsTrace::ToHex(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd)));
}

}  // namespace

HWND clsCustomActions::MatchWindow(HWND hwnd, const std::string& file) {
  common::TraceScope scope("MatchWindow");
  std::vector<std::string> ids;
  std::int32_t n = LoadEx(ids, TypeWindow, file, true);
  if (n == 0) return nullptr;

  std::vector<WindowEntry> chain;
  for (HWND w = hwnd; w; w = GetParent(w)) {
    WindowEntry entry;
    entry.hwnd = w;
    common::GetWindowClassAndText(w, entry.className, entry.caption);
    common::g_Debug().Output([&] { return "szClass=" + entry.className + "  szCaption=" + entry.caption; });
    chain.push_back(std::move(entry));
  }
  std::string exe = common::g_oProcess().GetExeViaHwnd(hwnd);

  HWND result = nullptr;
  for (std::int32_t i = 0; i < n && !result; ++i)
    if (MatchWindow_(chain, exe, ids[static_cast<size_t>(i)], file)) result = hwnd;
  common::g_Debug().Output([&] { return "MatchWindow=" + HexOf(result); });
  return result;
}

bool clsCustomActions::MatchWindow_(const std::vector<WindowEntry>& chain, const std::string& exe,
                                    const std::string& id, const std::string& file) {
  common::TraceScope scope("MatchWindow_");
  Load(id, file);
  common::g_Debug().Output([&] { return "m_szId=" + m_szId + "  m_szDescription=" + m_szDescription; });
  bool result = false;
  bool anyCriterion = false;
  bool held = true;
  if (held && m_lExeMatch > 0) {
    anyCriterion = true;
    held = MatchExe(m_szExe, exe, m_lExeMatch);
  }
  if (held && m_lCaptionMatch > 0) {
    anyCriterion = true;
    held = MatchCaption(m_szCaption, chain, m_lCaptionMatch);
  }
  if (held && m_lClassMatch > 0) {
    anyCriterion = true;
    held = MatchClass(m_szClass, chain, m_lClassMatch);
  }
  result = anyCriterion && held;
  common::g_Debug().Output([&] { return std::string("MatchWindow_=") + TrueFalse(result); });
  return result;
}

bool clsCustomActions::MatchExe(const std::string& pattern, const std::string& exe, std::int32_t mode) {
  common::TraceScope scope("MatchExe");
  return MatchString(pattern, exe, mode);
}

bool clsCustomActions::MatchCaption(const std::string& pattern, const std::vector<WindowEntry>& chain,
                                    std::int32_t mode) {
  common::TraceScope scope("MatchCaption");
  return MatchChain(pattern, chain, mode, &WindowEntry::caption);
}

bool clsCustomActions::MatchClass(const std::string& pattern, const std::vector<WindowEntry>& chain,
                                  std::int32_t mode) {
  common::TraceScope scope("MatchClass");
  return MatchChain(pattern, chain, mode, &WindowEntry::className);
}

// True at the first window of the chain whose text fits.
bool clsCustomActions::MatchChain(const std::string& pattern, const std::vector<WindowEntry>& chain,
                                  std::int32_t mode, std::string WindowEntry::*text) {
  for (const WindowEntry& w : chain)
    if (MatchString(pattern, w.*text, mode)) return true;
  return false;
}

}  // namespace actions
