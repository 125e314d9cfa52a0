// The handler's life: construction, destruction and what Initialize records
// of the selection. The menu query is in FennickQuery_win.cpp, the builder
// in CreateMenu_win.cpp.
#include "shellext/FennickHandler.h"

#include "actions/clsCustomActions.h"
#include "base/context.h"
#include "base/module.h"
#include "common/SpecialFolders.h"
#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "shellext/FennickThread.h"
#include "shellext/MenuInsertion.h"
#include "shellext/RegistrySnapshots.h"
#include "shellext/modShellTools.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;
using config::g_oOptions;

namespace {

// The dropped-file list's name n, however long.
std::string DroppedName(HDROP drop, UINT n) {
  UINT length = DragQueryFileA(drop, n, nullptr, 0);
  std::string name(static_cast<size_t>(length) + 1, '\0');
  UINT copied = DragQueryFileA(drop, n, name.data(), length + 1);
  name.resize(copied);
  return common::CutAtNull(name);
}

}  // namespace

FennickHandler::FennickHandler() {
  Main();
  try {
    config::clsOptions& options = g_oOptions();
    LoadSettings(options, config::kSettingsKey);
    common::TraceScope scope("UserControl_Initialize");
    g_Debug().Output([&] { return "App.hInstance=" + clsTrace::ToHex(base::ThisModule()); });

    g_oQuickAccessMRU().SetPath(kQuickAccessMRUKey);
    g_oHistoryMRU().SetPath(kHistoryMRUKey);
    g_oCopyToMRU().SetPath(kCopyToMRUKey);
    LoadRecentList(g_oHistoryMRU(), config::ClampListSize(options.m_lShellMaxHistoryMRU));
    LoadRecentList(g_oQuickAccessMRU(), config::ClampListSize(options.m_lShellMaxQuickAccessMRU));
    LoadRecentList(g_oCopyToMRU(), kMaxCopyToMRU);

    if (options.m_lShellShowIcons > config::clsOptions::OptionLevel_None)
      m_oBitmaps.LoadResourceBitmaps(base::ThisModule());
  } catch (...) {
    // A handler that could not prepare everything still answers the shell.
    g_Debug().CheckForError();
  }
  // Counted whatever happened above, so that the destructor's count is right.
  std::int32_t& count = FennickThread().g_lReferenceCount;
  ++count;
  try {
    const std::string& actionsFile = g_oOptions().m_szShellCustomActionsFile;
    if (count == 1 && !actionsFile.empty()) {
      actions::clsCustomActions counter;
      std::int32_t& actionsCount = FennickThread().m_lNumWindowActions;
      actionsCount = counter.Count(actions::clsCustomActions::TypeWindow, actionsFile);
      g_Debug().Output("m_lNumWindowActions=" + std::to_string(actionsCount));
    } else if (count > 1) {
      g_Debug().Output([&] { return "g_lReferenceCount=" + std::to_string(count); });
    }
  } catch (...) {
    g_Debug().CheckForError();
  }
}

FennickHandler::~FennickHandler() {
  try {
    // Released on a thread that never made a handler (the shell does not do
    // that): there is no thread state of ours to count down or save from.
    base::ThreadContext* context = base::ThreadContext::Peek();
    if (!context || !context->Has<FennickThreadState>()) return;
    std::int32_t remaining = 0;
    {
      common::TraceScope scope("UserControl_Terminate");
      g_Debug().Output("Killing bitmaps");
      std::int32_t& count = FennickThread().g_lReferenceCount;
      g_Debug().Output([&] { return "g_lReferenceCount=" + std::to_string(count); });
      remaining = --count;
      if (remaining < 1) {
        // Our dynamic submenus hang in the shell's menu; one the shell has
        // already destroyed with its menu is left alone, and so is any menu
        // made since at the same handle.
        m_oCommands.DestroyDynamicMenus();
        SaveRecentList(g_oQuickAccessMRU());
        SaveRecentList(g_oHistoryMRU());
      }
    }
    if (remaining < 1) {
      // The thread's last handler: its state goes with it, so that the
      // library can be unloaded whenever the shell likes.
      base::ThreadContext::DestroyCurrent();
    } else {
      common::ReplaceDebugTrace();
      common::ReplaceTimingTrace();
    }
  } catch (...) {
  }
}

const base::QiEntry* FennickHandler::Interfaces() noexcept {
  // One IContextMenu3 answers for the two older interfaces as well.
  static const base::QiEntry table[] = {
      {&IID_IShellExtInit, base::InterfaceOffset<FennickHandler, IShellExtInit>()},
      {&IID_IContextMenu, base::InterfaceOffset<FennickHandler, IContextMenu>()},
      {&IID_IContextMenu2, base::InterfaceOffset<FennickHandler, IContextMenu2>()},
      {&IID_IContextMenu3, base::InterfaceOffset<FennickHandler, IContextMenu3>()},
      {nullptr, 0},
  };
  return table;
}

// IShellExtInit

STDMETHODIMP FennickHandler::Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* dataObject,
                                        HKEY progId) noexcept {
  return base::ComBoundary([&]() -> HRESULT {
    common::TraceScope scope("IShellExtInit_Initialize");
    g_Debug().Output([&] {
      return "pidlFolder=" + clsTrace::ToHex(pidlFolder) +
             "  hKeyProgID=" + std::to_string(reinterpret_cast<std::uintptr_t>(progId));
    });
    // A handler initialised again describes the new selection only.
    m_oSelection.m_szCurrentFolder.clear();
    m_oSelection.m_szFirstPath.clear();
    m_oSelection.m_szCurrentFile.clear();
    m_oSelection.m_lSelectionCount = 0;
    m_pidlFolder.reset(pidlFolder ? ILClone(pidlFolder) : nullptr);
    if (pidlFolder) m_oSelection.m_szCurrentFolder = PidlToPath(pidlFolder);
    m_pDataObject = dataObject;
    if (dataObject) {
      FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
      base::StgMedium medium;
      HRESULT hr = dataObject->GetData(&format, medium.put());
      if (FAILED(hr)) return hr;
      auto drop = static_cast<HDROP>(medium.get().hGlobal);
      m_oSelection.m_lSelectionCount = static_cast<std::int32_t>(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
      if (m_oSelection.m_lSelectionCount == 1) {
        m_oSelection.m_szFirstPath = DroppedName(drop, 0);
        if (common::FileExists(m_oSelection.m_szFirstPath)) m_oSelection.m_szCurrentFile = m_oSelection.m_szFirstPath;
        if (m_oSelection.m_szCurrentFolder.empty()) m_oSelection.m_szCurrentFolder = GetFolderOfPath(m_oSelection.m_szFirstPath);
      } else if (m_oSelection.m_lSelectionCount > 1 && m_oSelection.m_szCurrentFolder.empty()) {
        m_oSelection.m_szCurrentFolder = GetFolderOfPath(DroppedName(drop, 0));
      }
    }
    g_Debug().Output("CurrentFolder=" + m_oSelection.m_szCurrentFolder);
    g_Debug().Output("CurrentFile=" + m_oSelection.m_szCurrentFile);
    return S_OK;
  });
}

// IContextMenu

STDMETHODIMP FennickHandler::QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                              UINT flags) noexcept {
  return base::ComBoundary([&] { return IFennick_QueryFennickEx(menu, indexMenu, idCmdFirst, idCmdLast, flags); });
}

STDMETHODIMP FennickHandler::GetCommandString(UINT_PTR idCmd, UINT type, UINT* /*reserved*/, CHAR* name,
                                              UINT cchMax) noexcept {
  return base::ComBoundary([&] { return IFennick_GetCommandString(idCmd, type, name, cchMax); });
}

// IContextMenu2

STDMETHODIMP FennickHandler::HandleMenuMsg(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  LRESULT ignored = 0;
  return HandleMenuMsg2(msg, wParam, lParam, &ignored);
}

// Entry insertion

bool FennickHandler::AddMenuWithBitmap(const EntryPtr& entry, HMENU hMenu, const std::string& szCaption,
                                       std::int32_t lBitmapKey, const std::string& szFilename, bool bTrim,
                                       HMENU hSubMenu) {
  HBITMAP fileBitmap = nullptr;
  std::int32_t position = -1;
  return ::shellext::AddMenuWithBitmap(m_oCommands, m_oBitmaps, entry, hMenu, szCaption, lBitmapKey, fileBitmap,
                                       position, szFilename, bTrim, g_oOptions().m_bShellOwnerDraw, hSubMenu);
}

bool FennickHandler::CanInsertMenuCommand(bool /*bShowError*/, bool bInternal) {
  CommandIds& ids = m_oCommands.Ids();
  if (ids.CanTake(bInternal)) return true;
  g_Debug().Output("Limit hit=" + std::to_string(ids.Next()) + ":" + std::to_string(ids.Ceiling()));
  return false;
}

FennickHandler::EntryPtr FennickHandler::AddCommandEntry(DataPtr item, HMENU menu) {
  return m_oCommands.Add(std::move(item), menu);
}

FennickHandler::EntryPtr FennickHandler::AddBuiltInEntry(std::int32_t type, HMENU menu) {
  auto item = std::make_shared<config::clsCorvaneData>();
  item->m_lType = type;
  return AddCommandEntry(std::move(item), menu);
}

std::string FennickHandler::OwnerDrawMenu_GetCaption(std::int32_t lID) {
  common::TraceScope scope("OwnerDrawMenu_GetCaption");
  g_Debug().Output("lID=" + std::to_string(lID));
  std::string caption = EntryCaption(m_oCommands, lID);
  g_Debug().Output("Caption=" + caption);
  return caption;
}

HBITMAP FennickHandler::OwnerDrawMenu_HasBitmap(std::int32_t lID) {
  g_Debug().Output("lID=" + std::to_string(lID));
  HBITMAP bitmap = EntryPicture(m_oCommands, m_oBitmaps, lID);
  g_Debug().Output("Bitmap=" + clsTrace::ToHex(bitmap));
  return bitmap;
}

HRESULT CreateFennickHandler(REFIID riid, void** ppv) noexcept {
  return base::CreateComInstance<FennickHandler>(riid, ppv);
}

}  // namespace shellext
