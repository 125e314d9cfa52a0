// The menu query: whether the menu is shown at all, the identifier range,
// the leading separator, the root popup and the block of identifiers kept
// for dynamic folders; the command strings the shell asks for each entry;
// and the window tests behind them.
#include <algorithm>
#include <cstring>
#include <limits>

#include "base/prompt.h"
#include "base/scope.h"
#include "base/text.h"
#include "base/winstr.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "config/clsOptions.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/MenuSeparators.h"
#include "shellext/modShellTools.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;
using config::clsOptions;
using config::g_oOptions;

namespace {

// A status's code is 16 bits, and so is the identifier WM_COMMAND carries:
// no menu of ours claims more identifiers than that.
constexpr std::int64_t kMaxIdentifiers = 0xFFFF;
constexpr int kMaxMenuDepth = 32;

std::int32_t ToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::int32_t>::max()));
}

bool IsClassUpTheChain(HWND hwnd, const char* lowerCaseClass, bool stopAtFirst, HWND* found) {
  bool result = false;
  for (HWND w = hwnd; w; w = GetParent(w)) {
    const std::string name = GetWindowClassName(w);
    if (!name.empty() && base::LCase(name) == lowerCaseClass) {
      result = true;
      if (found && !*found) *found = w;
      if (stopAtFirst) break;
    }
  }
  return result;
}

// The text as UTF-16 into the shell's buffer of cchMax characters; a cut
// text still ends in a NUL.
void CopyWide(const std::string& text, CHAR* buffer, UINT cchMax) {
  const std::wstring wide = base::Wide(text);
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  const size_t n = std::min<size_t>(wide.size(), cchMax - 1);
  std::memcpy(out, wide.data(), n * sizeof(wchar_t));
  out[n] = L'\0';
}

bool CaptionPresent(const std::string& caption, HMENU menu, std::int32_t start, int depth) {
  const int count = GetMenuItemCount(menu);
  g_Debug().Output([&] {
    return "lNumMenuItems=" + std::to_string(count) + "  hMenu=" + clsTrace::ToHex(menu) +
           "  lStartingPos=" + std::to_string(start);
  });
  g_Debug().Output([&] { return "szRootMenuCaption=" + caption; });
  for (int i = std::max(start, 0); i < count; ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    char text[256] = {};
    const int length = GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    g_Debug().Output([&] {
      return "mii.hSubMenu=" + clsTrace::ToHex(mii.hSubMenu) + "  lLength=" + std::to_string(length);
    });
    if (length > 0) {
      const std::string found(text, static_cast<size_t>(length));
      g_Debug().Output([&] { return "szMenuCaption=" + found; });
      if (found == caption) return true;
    }
    if (mii.hSubMenu && depth < kMaxMenuDepth && CaptionPresent(caption, mii.hSubMenu, 0, depth + 1)) return true;
  }
  return false;
}

}  // namespace

bool IsIE(HWND hwnd) {
  common::TraceScope scope("IsIE");
  const bool result = IsClassUpTheChain(hwnd, "ieframe", false, nullptr);
  g_Debug().Output([&] { return std::string("IsIE=") + (result ? "True" : "False"); });
  return result;
}

HWND GetRootExplorerWindow(HWND hwnd) {
  common::TraceScope scope("GetRootExplorerWindow");
  HWND found = nullptr;
  IsClassUpTheChain(hwnd, "explorewclass", true, &found);
  g_Debug().Output([&] { return "GetRootExplorerWindow=" + clsTrace::ToHex(found); });
  return found;
}

bool IsMenuCaptionPresent(const std::string& szRootMenuCaption, HMENU hMenu, std::int32_t lStartingPos) {
  return CaptionPresent(szRootMenuCaption, hMenu, lStartingPos, 0);
}

HRESULT FennickHandler::IFennick_QueryFennickEx(HMENU hMenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                                UINT uFlags) {
  common::TraceScope scope("IFennick_QueryFennickEx");
  const clsOptions& options = g_oOptions();
  const std::string info = "hMenu=" + clsTrace::ToHex(hMenu) + "  indexMenu=" + std::to_string(indexMenu) +
                           "  idCmdFirst=" + std::to_string(idCmdFirst) + "  idCmdLast=" + std::to_string(idCmdLast) +
                           "  uFlags=" + std::to_string(uFlags);
  const std::int64_t granted = std::int64_t{idCmdLast} - idCmdFirst;
  if (options.m_bDebugShowWindowsMenuInfo)
    base::Prompt(info + "\r\n\r\nMaximum Number of Commands = " + std::to_string(granted), base::kPromptInformation,
                 common::g_szAppTitle());
  g_Debug().Output(info);
  g_Debug().Output(
      [&] { return std::string("m_bShellEnable=") + (options.m_bShellEnable ? "True" : "False"); });
  // A shell that only wants the default verb (a double click) gets nothing
  // of ours: we never offer one.
  if (!options.m_bShellEnable || (uFlags & CMF_DEFAULTONLY) || !hMenu) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  if (granted < 1) {
    base::Prompt("Windows reports that you cannot have any more menu items! (" + std::to_string(idCmdFirst) + " : " +
                     std::to_string(idCmdLast) + ")",
                 base::kPromptExclamation, common::g_szAppTitle());
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  }
  if (!options.m_bShellShowInIE && IsIE(GetActiveWindow())) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  if (FennickThread().g_lReferenceCount > 1 &&
      IsMenuCaptionPresent(g_szRootCaption(), hMenu, static_cast<std::int32_t>(indexMenu))) {
    g_Debug().Output("In menu alredy!");
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  }

  // Identifiers never go past what a menu can carry, even when the user
  // tells us to ignore the shell's bounds.
  const std::int64_t widest = std::int64_t{idCmdFirst} + kMaxIdentifiers - 1;
  g_Debug().Output(std::string("m_bShellIgnoreBoundsCheck=") + (options.m_bShellIgnoreBoundsCheck ? "True" : "False"));
  const std::int32_t lastId =
      ToInt32(options.m_bShellIgnoreBoundsCheck ? widest : std::min<std::int64_t>(idCmdLast, widest));
  if (options.m_bShellIgnoreBoundsCheck) g_Debug().Output("idCmdLast=" + std::to_string(lastId));
  m_oCommands.BeginQuery(hMenu, ToInt32(idCmdFirst), lastId);
  CommandIds& ids = m_oCommands.Ids();

  m_hMenu = hMenu;
  base::UniqueHMenu root = m_oCommands.CreateSubmenu();
  // Traced while `root` still owns it: a failure of the trace line frees it.
  g_Debug().Output("m_hRootMenu=" + clsTrace::ToHex(root.get()));
  m_hRootMenu = root.release();  // FinishQuery decides who keeps it
  m_lInsertPos = static_cast<std::int32_t>(std::min<UINT>(indexMenu, std::numeric_limits<std::int32_t>::max()));

  bool built = false;
  const int countBefore = GetMenuItemCount(hMenu);
  try {
    const std::int32_t rootPosition = [&] {
      InsertMenuA(hMenu, static_cast<UINT>(m_lInsertPos), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
      ++m_lInsertPos;
      if (options.m_bDebugEnableInMenu) {
        const char* caption = options.m_bDebugEnable ? "Disable debugging" : "Enable debugging";
        InsertMenuA(hMenu, static_cast<UINT>(m_lInsertPos), MF_BYPOSITION, static_cast<UINT_PTR>(ids.Next()), caption);
        m_oCommands.SetDebugToggleId(ids.Take());
        ++m_lInsertPos;
      }
      return m_lInsertPos;
    }();
    try {
      built = CreateMenu();
    } catch (...) {
      g_Debug().CheckForError();
    }
    FinishQuery(built, rootPosition);
    // The parts of the menu each close themselves off; where two such
    // separators meet, one goes.
    const int ours = static_cast<int>(std::min<UINT>(indexMenu, static_cast<UINT>(std::max(countBefore, 0))));
    RemoveDoubleSeparators(hMenu, ours, ours + GetMenuItemCount(hMenu) - countBefore);
    if (m_hRootMenu) RemoveDoubleSeparators(m_hRootMenu, 0, GetMenuItemCount(m_hRootMenu));
  } catch (...) {
    // Entries are already in the shell's menu: they stay, and the status
    // below still claims every identifier they use, as after a whole build.
    g_Debug().CheckForError();
  }

  // One more than the identifiers handed out, as always; never more than the
  // shell granted nor than a status can carry.
  std::int64_t count = ids.Count();
  count = std::min({count, granted + 1, kMaxIdentifiers});
  const HRESULT result = MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<ULONG>(std::max<std::int64_t>(count, 0)));
  g_Debug().Output([&] { return "RV=" + std::to_string(result); });
  return result;
}

void FennickHandler::FinishQuery(bool built, std::int32_t rootPosition) {
  const clsOptions& options = g_oOptions();
  base::UniqueHMenu root(m_hRootMenu);
  bool reserved = false;
  // However this ends (a failure part way included), the fields say what
  // the menu holds: a root popup that did not go in is gone, and
  // dynamic-folder entries are numbered inside the block reserved (empty
  // when nothing was reserved), and nowhere else.
  const auto settle = base::MakeScopeExit([&] {
    if (root) m_hRootMenu = nullptr;  // destroyed with `root`: nothing of ours leads to it
    if (!reserved) m_oCommands.Ids().Close();
  });
  // A build that failed still shows what it made; a root popup with nothing
  // in it after a failure goes.
  if (built || GetMenuItemCount(root.get()) > 0) {
    std::string& caption = g_szRootCaption();
    // Shown as the menu shows it, and so found again by the next handler.
    caption = base::BlankControls(caption);
    if (base::Trim(caption).empty()) caption = "Corvane";
    const auto popup = reinterpret_cast<UINT_PTR>(root.get());
    const auto position = static_cast<UINT>(rootPosition);
    bool inserted;
    if (options.m_lShellShowIcons != clsOptions::OptionLevel_None) {
      inserted = InsertMenuA(m_hMenu, position, MF_BYPOSITION | MF_USECHECKBITMAPS | MF_POPUP, popup, caption.c_str());
      auto picture = m_oBitmaps.Find(kBitmapMenu);
      HBITMAP mark = m_oBitmaps.CheckMark(picture);
      if (inserted) SetMenuItemBitmaps(m_hMenu, position, MF_BYPOSITION, mark, mark);
    } else {
      inserted = InsertMenuA(m_hMenu, position, MF_BYPOSITION | MF_POPUP, popup, caption.c_str());
    }
    if (inserted) {
      root.release();  // the shell's menu owns it now
      ++m_lInsertPos;
      if (m_oCommands.Count() >= 1) {
        if (auto first = m_oCommands.At(1); first->item) g_Debug().Output("Root=" + first->item->Caption());
        InsertMenuA(m_hMenu, static_cast<UINT>(m_lInsertPos), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        ++m_lInsertPos;
        if (m_oCommands.DynamicCount() > 0) {
          CommandIds& ids = m_oCommands.Ids();
          g_Debug().Output("Dynamic menu's created ... allocating all available id's");
          g_Debug().Output("Before m_lMenuCmdId=" + std::to_string(ids.Next()));
          ids.ReserveDynamicBlock();
          reserved = true;
          g_Debug().Output("After m_lMenuCmdId=" + std::to_string(ids.Next()));
        }
      } else {
        g_Debug().Output("Nothing in the data!");
      }
    }
  }
}

HRESULT FennickHandler::IFennick_GetCommandString(UINT_PTR idCmd, UINT uFlags, CHAR* pszName, UINT cchMax) {
  common::TraceScope scope("IFennick_GetCommandString");
  const std::int64_t actual =
      std::int64_t{m_oCommands.Ids().First()} + static_cast<std::int64_t>(std::min<UINT_PTR>(idCmd, 0xFFFFFFFF));
  g_Debug().Output("idCmd=" + std::to_string(idCmd) + "  uFlags=" + std::to_string(uFlags) +
                   "  pszName=" + std::to_string(reinterpret_cast<std::uintptr_t>(pszName)) +
                   "  cchMax=" + std::to_string(cchMax));
  g_Debug().Output("Actual Command Id=" + std::to_string(actual));
  // A verb string instead of an offset names nothing of ours.
  EntryPtr entry = IS_INTRESOURCE(idCmd) ? m_oCommands.FindByOffset(idCmd) : nullptr;
  if (!entry) {
    g_Debug().Output("Entry not found!");
    return (uFlags == GCS_VALIDATEA || uFlags == GCS_VALIDATEW) ? S_FALSE : E_INVALIDARG;
  }
  const std::string text =
      entry->item ? base::BlankControls(m_oDataTools.GetExplorerDescription(*entry->item, m_oSelection.m_szCurrentFile,
                                                                            m_oSelection.m_szCurrentFolder))
                  : "";
  // An entry without a help text has no verb either.
  if (uFlags == GCS_VALIDATEA || uFlags == GCS_VALIDATEW) return text.empty() ? S_FALSE : S_OK;
  if (text.empty()) return E_FAIL;
  if (!pszName || cchMax == 0) return E_INVALIDARG;
  // Shells run a command of another handler instance by the verb: both
  // forms of it name the entry.
  const std::string verb = "Item" + std::to_string(idCmd);
  switch (uFlags) {
    case GCS_VERBA:
      lstrcpynA(pszName, verb.c_str(), static_cast<int>(cchMax));
      return S_OK;
    case GCS_HELPTEXTA:
      lstrcpynA(pszName, text.c_str(), static_cast<int>(cchMax));
      return S_OK;
    case GCS_VERBW: CopyWide(verb, pszName, cchMax); return S_OK;
    case GCS_HELPTEXTW: CopyWide(text, pszName, cchMax); return S_OK;
    default: return E_INVALIDARG;
  }
}

}  // namespace shellext
