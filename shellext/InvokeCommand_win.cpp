// Running the command the user chose: the entry is found by its identifier
// offset or by the verb GetCommandString gave ("Item" and the offset, so a
// second handler of the same menu runs it too), and its type says what runs.
#include <shlobj.h>

#include "actions/clsCustomActions.h"
#include "base/error.h"
#include "base/keystrokes.h"
#include "base/prompt.h"
#include "base/text.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/SpecialFolders.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/modShellTools.h"
#include "shellext/SelectionCommands.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;
using config::clsCorvaneData;
using config::g_oOptions;

namespace {

// Held when the command started: the asynchronous state (the first reading
// may tell of an earlier press), or what the shell says it saw.
bool KeyHeld(int vk) {
  GetAsyncKeyState(vk);
  return GetAsyncKeyState(vk) != 0;
}

void Exclaim(const std::string& text) { base::Prompt(text, base::kPromptExclamation, common::g_szAppTitle()); }

// "Path not found - " and the path for the two not-found numbers, the
// error's own text otherwise.
void ReportStartFailure(const base::Error& e, const std::string& path) {
  if (e.Number() == base::kErrFileNotFound || e.Number() == base::kErrPathNotFound)
    Exclaim("Path not found - " + path);
  else if (e.Number() > 0 || e.Number() < 0)
    Exclaim(e.Description());
}

}  // namespace

STDMETHODIMP FennickHandler::InvokeCommand(CMINVOKECOMMANDINFO* info) noexcept {
  if (!info) return E_INVALIDARG;
  return base::ComBoundary([&] { return IContextMenu_InvokeCommand(*info); });
}

HRESULT FennickHandler::IContextMenu_InvokeCommand(const CMINVOKECOMMANDINFO& info) {
  common::TraceScope scope("IContextMenu_InvokeCommand");
  g_Debug().Output("Source hWnd=" + clsTrace::ToHex(info.hwnd) + "  lpVerb=" + clsTrace::ToHex(info.lpVerb));
  Invocation how;
  how.hwnd = info.hwnd;
  std::optional<std::int32_t> id;
  if (!IS_INTRESOURCE(info.lpVerb)) {
    const std::string verb = StringFromAnsiPtr(info.lpVerb);
    g_Debug().Output("Verb=" + verb);
    if (base::LCase(verb) == "open") {
      if (m_oSelection.m_szCurrentFile.empty()) return E_INVALIDARG;
      OpenFile(m_oSelection.m_szCurrentFile, how.hwnd);
      return S_OK;
    }
    // Only "Item" and digits name an entry; anything else is another
    // handler's verb.
    const std::optional<std::uint32_t> offset = ParseItemVerb(verb);
    if (!offset) return E_INVALIDARG;
    id = m_oCommands.Ids().FromOffset(*offset);
  } else {
    const bool ex = info.cbSize >= sizeof(CMINVOKECOMMANDINFOEX);
    how.ctrl = KeyHeld(VK_CONTROL) || (ex && (info.fMask & CMIC_MASK_CONTROL_DOWN));
    how.shift = KeyHeld(VK_SHIFT) || (ex && (info.fMask & CMIC_MASK_SHIFT_DOWN));
    id = m_oCommands.Ids().FromOffset(LOWORD(reinterpret_cast<UINT_PTR>(info.lpVerb)));
  }
  if (!id) return E_INVALIDARG;
  g_Debug().Output("lCmdKey=" + std::to_string(*id) + "  bCtrlPressed=" + (how.ctrl ? "True" : "False") +
                   "  bShiftPressed=" + (how.shift ? "True" : "False"));

  config::clsOptions& options = g_oOptions();
  if (options.m_bDebugEnableInMenu && *id == m_oCommands.DebugToggleId()) {
    options.m_bDebugEnable = !options.m_bDebugEnable;
    options.Reg_Save("", true);
    return S_OK;
  }
  EntryPtr entry = m_oCommands.Find(*id);
  if (!entry || !entry->item) {
    g_Debug().Output("Entry not found!");
    return E_INVALIDARG;
  }
  g_Debug().Output("m_lType=" + std::to_string(entry->item->m_lType) +
                   "  m_lOptions=" + std::to_string(entry->item->m_lOptions));
  return RunCommand(*entry->item, how);
}

HRESULT FennickHandler::RunCommand(clsCorvaneData& item, const Invocation& how) {
  const std::string& file = m_oSelection.m_szCurrentFile;
  switch (item.m_lType) {
    case clsCorvaneData::TypeFolder: return RunFolder(item, how);
    case clsCorvaneData::TypeResetHistoryMRU:
      g_oHistoryMRU().Reset();
      g_oHistoryMRU().Save();
      return S_OK;
    case clsCorvaneData::TypeResetQuickAccessMRU:
      g_oQuickAccessMRU().Reset();
      g_oQuickAccessMRU().Save();
      return S_OK;
    case clsCorvaneData::TypeAddToQuickAccessMRU: return RunAddToQuickAccess();
    case clsCorvaneData::TypeDesigner: return RunDesigner(how.hwnd);
    case clsCorvaneData::TypeOpenInNewWindow:
      if (file.empty()) return E_FAIL;
      OpenFile(file, how.hwnd);
      return S_OK;
    case clsCorvaneData::TypeFile: {
      const std::string entry = m_oDataTools.CreateHistoryMRU(item);
      g_oHistoryMRU().AddFile(entry);
      OpenFile(item.m_szFile_Location, how.hwnd);
      return S_OK;
    }
    case clsCorvaneData::TypeCustomAction: {
      // Into the window the menu was opened in: it is brought forward
      // first, so that the keystrokes reach it and no other.
      if (how.hwnd) ActivateWindowProcess(how.hwnd);
      actions::clsCustomActions action;
      action.m_szActions = item.m_szAction_Actions;
      action.SendActions("");
      return S_OK;
    }
    case clsCorvaneData::TypeCopyFilenamesToClipboard: return CopyFileNames(how.hwnd, how.ctrl, how.shift);
    case clsCorvaneData::TypeRunDialog: return RunDialog();
    case clsCorvaneData::TypeCommandPrompt: return RunCommandPrompt();
    case clsCorvaneData::TypeCopyTo:
    case clsCorvaneData::TypeMoveTo:
      return CopyOrMoveSelection(how.hwnd, m_pDataObject.get(), item.m_lType == clsCorvaneData::TypeCopyTo, "",
                                 m_oSelection.m_szCurrentFolder);
    case clsCorvaneData::TypeTaskManager: return PostTrayCommand(420) ? S_OK : E_FAIL;
    case clsCorvaneData::TypeSelectionTask:
      return RunSelectionTask(how.hwnd, m_pDataObject.get(), item, how.shift, how.ctrl);
    case clsCorvaneData::TypeCopyToX:
      return CopyOrMoveSelection(how.hwnd, m_pDataObject.get(), !item.CopyToXOptions_IsMove(), item.Location(),
                                 m_oSelection.m_szCurrentFolder);
    default:
      // A root, popup, separator, dynamic folder or its placeholder runs
      // nothing.
      return E_INVALIDARG;
  }
}

// --- folders ----------------------------------------------------------------------

HRESULT FennickHandler::RunFolder(clsCorvaneData& item, const Invocation& how) {
  const bool special = item.OptionsIsCSIDL();
  const bool newWindow = item.OptionsIsExploreInNewWindow() || how.ctrl;
  const bool browse = item.OptionsIsBrowseAndOpen() || (how.ctrl && how.shift);
  const std::int32_t csidl = special ? item.FolderCSIDL() : 0;
  base::UniquePidl pidl;
  std::string path;
  // A special folder's list is wanted for every way of opening it but a
  // new window of its own; the browse dialog starts from it too.
  if (special && (!item.OptionsIsExploreInNewWindow() || browse)) {
    if (FAILED(SHGetSpecialFolderLocation(how.hwnd, csidl, pidl.put())) || !pidl) {
      Exclaim("OS doesn't support the special folder: " + std::to_string(csidl));
      return E_FAIL;
    }
    path = PidlToPath(pidl.get());
  } else if (!special) {
    path = item.Location();
    g_Debug().Output("szFolder=" + path);
    pidl = GetPidlFromPath(how.hwnd, path);  // a path that cannot be parsed ends the command
  }
  g_Debug().Output("pidlAddress=" + clsTrace::ToHex(pidl.get()));
  const std::string history = m_oDataTools.CreateHistoryMRU(item);
  g_oHistoryMRU().AddFile(history);

  if (browse) {
    base::UniquePidl chosen =
        BrowseForFolderPidl(how.hwnd, "Select the file you wish to open", path, BIF_NONEWFOLDERBUTTON);
    if (chosen) OpenFileEx(chosen.get(), how.hwnd);
    return S_OK;
  }
  if (newWindow) {
    g_Debug().Output("Firing new explorer");
    base::Error failure(0, "");
    bool started;
    if (special) {
      started = OpenSpecialFolderInExplorer(how.hwnd, csidl);
      if (!started) failure = base::Error(base::kErrPathNotFound, "InvokeCommand", "Path not found");
    } else {
      started = ShellExecuteChecked(path, SW_SHOWDEFAULT, "/e", "", "explore", nullptr, &failure);
    }
    if (!started) ReportStartFailure(failure, path);
    return started ? S_OK : E_FAIL;
  }
  BrowseInSameWindow(how.hwnd, pidl.get());
  return S_OK;
}

void FennickHandler::BrowseInSameWindow(HWND hwnd, PCIDLIST_ABSOLUTE pidl) {
  const std::string actionsFile = g_oOptions().m_szShellCustomActionsFile;
  if (FennickThread().m_lNumWindowActions != 0 && hwnd) {
    actions::clsCustomActions action;
    if (HWND window = action.MatchWindow(hwnd, actionsFile)) {
      g_Debug().Output("hWnd=" + clsTrace::ToHex(window) + "  Action=" + action.m_szDescription);
      ActivateWindowProcess(window);
      // The path goes in as text: its "~" and "+" are typed, not pressed.
      action.SendActions(PidlToPath(pidl));
      return;
    }
  }
  // The window's own browser, then its Explorer frame's; each only from a
  // browser window of this process, whose answer is an interface pointer.
  for (HWND candidate : {hwnd, BrowserFrameOf(hwnd)}) {
    IShellBrowser* browser = ShellBrowserOf(candidate);
    g_Debug().Output("lAddress=" + clsTrace::ToHex(browser));
    if (!browser) continue;
    const HRESULT hr = browser->BrowseObject(pidl, SBSP_SAMEBROWSER);
    if (SUCCEEDED(hr)) {
      if (IsBrowserWindowOfThisProcess(hwnd)) SendMessageA(hwnd, WM_USER + 10, 0, 0);
      return;
    }
    g_Debug().Output("Err=" + clsTrace::ToHex(hr));
  }
  OpenFolderViaPidl(pidl, hwnd);
}

// --- built-in commands --------------------------------------------------------------

HRESULT FennickHandler::RunAddToQuickAccess() {
  clsCorvaneData added;
  if (!m_oSelection.m_szCurrentFile.empty()) {
    added.m_lType = clsCorvaneData::TypeFile;
    added.SetLocation(m_oSelection.m_szCurrentFile);
  } else {
    added.m_lType = clsCorvaneData::TypeFolder;
    added.SetLocation(m_oSelection.m_szCurrentFolder);
  }
  if (added.Location().empty()) return E_FAIL;
  added.SetCaption(common::GetFileDisplayName(added.Location()));
  common::clsMRU& list = g_oQuickAccessMRU();
  for (std::int32_t i = 1; i <= list.FileCount(); ++i) {
    clsCorvaneData known;
    m_oDataTools.BreakdownHistoryMRU(list.File(i), known);
    if (known.m_lType == added.m_lType && known.Location() == added.Location()) return S_OK;
  }
  const std::string entry = m_oDataTools.CreateHistoryMRU(added);
  list.AddFile(entry);
  return S_OK;
}

HRESULT FennickHandler::RunDesigner(HWND hwnd) {
  const std::string folder = ModuleFolder();
  std::string path = folder + "\\designer.exe";
  g_Debug().Output("szFolder=" + path);
  base::Error failure(0, "");
  bool started = ShellExecuteChecked(path, SW_SHOWDEFAULT, "", "", "open", hwnd, &failure);
  if (!started) {
    path = folder + "\\..\\designer\\designer.exe";
    g_Debug().Output("szFolder=" + path);
    started = ShellExecuteChecked(path, SW_SHOWDEFAULT, "", "", "open", hwnd, &failure);
  }
  g_Debug().Output("Err.Number=" + std::to_string(started ? 0 : failure.Number()));
  if (!started) ReportStartFailure(failure, path);
  return started ? S_OK : E_FAIL;
}

HRESULT FennickHandler::RunDialog() {
  std::string text = m_oSelection.m_szFirstPath;
  if (text.find(' ') != std::string::npos) text = "\"" + text + "\"";
  const HWND before = GetForegroundWindow();
  const BYTE win = VK_LWIN, r = 'R';
  keybd_event(win, static_cast<BYTE>(MapVirtualKeyA(win, 0)), 0, 0);
  keybd_event(r, static_cast<BYTE>(MapVirtualKeyA(r, 0)), 0, 0);
  keybd_event(r, static_cast<BYTE>(MapVirtualKeyA(r, 0)), KEYEVENTF_KEYUP, 0);
  keybd_event(win, static_cast<BYTE>(MapVirtualKeyA(win, 0)), KEYEVENTF_KEYUP, 0);
  // Typed only into a Run dialog that came up for us: if none comes to the
  // front within a short time, the text would land in whatever has the
  // focus, so nothing is typed.
  if (!text.empty() && WaitForNewForegroundDialog(before, 2000)) base::SendLiteralKeys(text, true);
  return S_OK;
}

HRESULT FennickHandler::RunCommandPrompt() {
  return StartCommandInterpreter(m_oSelection.m_szCurrentFolder) ? S_OK : E_FAIL;
}

HRESULT FennickHandler::CopyFileNames(HWND hwnd, bool shortNames, bool recursive) {
  if (!m_pDataObject) return E_FAIL;
  return CopySelectedNames(hwnd, m_pDataObject.get(), shortNames, recursive);
}

}  // namespace shellext
