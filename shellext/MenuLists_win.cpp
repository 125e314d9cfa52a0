// The recent lists and the built-in commands: the second half of CreateMenu.
// The plan (MenuListPlan.h) says what goes where; this carries it out, one
// step at a time, until an identifier check refuses.
#include <memory>

#include "common/SpecialFolders.h"
#include "common/clsMRU.h"
#include "common/clsTrace.h"
#include "config/clsOptions.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/FolderListing.h"
#include "shellext/MenuInsertion.h"
#include "shellext/MenuListPlan.h"
#include "shellext/modShellTools.h"

namespace shellext {

using common::g_Debug;
using config::clsCorvaneData;
using config::clsOptions;
using config::g_oOptions;

namespace {

void InsertSeparator(HMENU menu, std::int32_t position) {
  if (position < 0)
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  else
    InsertMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

}  // namespace

void FennickHandler::CreateMenuLists() {
  common::TraceScope scope("CreateMenuLists");
  const clsOptions& options = g_oOptions();
  common::clsMRU& history = g_oHistoryMRU();
  common::clsMRU& quickAccess = g_oQuickAccessMRU();

  MenuListFacts facts;
  facts.historyCount = history.FileCount();
  facts.quickAccessCount = quickAccess.FileCount();
  facts.hasCurrentFile = !m_oSelection.m_szCurrentFile.empty();
  facts.hasCurrentFolder = !m_oSelection.m_szCurrentFolder.empty();
  facts.selectionCount = m_oSelection.m_lSelectionCount;
  facts.hasDataObject = m_pDataObject.get() != nullptr;
  facts.rootCount = GetMenuItemCount(m_hRootMenu);
  facts.shellCount = GetMenuItemCount(m_hMenu);
  facts.insertPos = m_lInsertPos;

  HMENU historyMenu = nullptr;
  HMENU quickAccessMenu = nullptr;
  auto menuOf = [&](ListMenu which) {
    switch (which) {
      case ListMenu::Shell: return m_hMenu;
      case ListMenu::Root: return m_hRootMenu;
      case ListMenu::History: return historyMenu;
      case ListMenu::QuickAccess: return quickAccessMenu;
    }
    return m_hRootMenu;
  };

  const bool ownerDraw = options.m_bShellOwnerDraw;
  for (const ListStep& step : PlanMenuLists(options, facts)) {
    if (step.checked && !CanInsertMenuCommand(true, true)) return;
    HMENU menu = menuOf(step.menu);
    std::int32_t position = step.position;
    HBITMAP fileBitmap = nullptr;
    std::int32_t key = step.bitmapKey;
    switch (step.kind) {
      case ListStep::Kind::Check: break;
      case ListStep::Kind::Separator: InsertSeparator(menu, position); break;
      case ListStep::Kind::Popup: {
        EntryPtr entry = AddBuiltInEntry(step.type, menu);
        base::UniqueHMenu popup = m_oCommands.CreateSubmenu();
        (step.type == clsCorvaneData::TypePopupHistory ? historyMenu : quickAccessMenu) = popup.get();
        bool userItem = false;
        const std::string caption = m_oDataTools.MenuCaption(*entry->item, userItem, 0);
        if (::shellext::AddMenuWithBitmap(m_oCommands, m_oBitmaps, entry, menu, caption, key, fileBitmap, position,
                                          "", true, ownerDraw, popup.get()))
          popup.release();  // the root popup owns it now
        break;
      }
      case ListStep::Kind::Command: {
        EntryPtr entry = AddBuiltInEntry(step.type, menu);
        bool userItem = false;
        const std::string caption = m_oDataTools.MenuCaption(*entry->item, userItem, 0);
        ::shellext::AddMenuWithBitmap(m_oCommands, m_oBitmaps, entry, menu, caption, key, fileBitmap, position, "",
                                      false, ownerDraw, nullptr);
        break;
      }
      case ListStep::Kind::ListEntry: {
        const bool fromHistory = step.list == ListSource::History;
        auto item = std::make_shared<clsCorvaneData>();
        m_oDataTools.BreakdownHistoryMRU((fromHistory ? history : quickAccess).File(step.index), *item);
        key = kBitmapFileIcon;
        std::string fileName = item->Location();
        std::string caption = item->Caption();
        if (item->IsTypeFolder()) {
          if (options.m_bShellUseOwnFolderBitmap) key = kBitmapFolder;
          if (item->OptionsIsCSIDL()) {
            const std::int32_t csidl = item->FolderCSIDL();
            caption = common::GetSpecialFolderName(nullptr, csidl, true);
            fileName.clear();
            if (IsCurrentFolderCSIDL(nullptr, csidl, m_oSelection.m_szCurrentFolder)) key = kBitmapCurrentFolder;
          } else if (item->Location() == m_oSelection.m_szCurrentFolder) {
            key = kBitmapCurrentFolder;
          }
        } else if (!fromHistory && item->m_lType == clsCorvaneData::TypeCustomAction) {
          key = kBitmapCustomAction;
        }
        caption = common::clsMRU::GetShortenedName(caption);
        if (item->OptionsIsBrowseAndOpen()) caption += "...";
        // Cut to the setting behind the number, then every "&" of the entry
        // itself doubled: a path with "&" shows as it is.
        const std::string prefix = "&" + std::to_string(step.number) + " ";
        const std::string cut = m_oDataTools.TrimCaption(prefix + caption, options.m_lShellMaxMenuText);
        const std::string text = prefix + MenuTextOf(cut.substr(prefix.size()));
        ::shellext::AddMenuWithBitmap(m_oCommands, m_oBitmaps, AddCommandEntry(item, menu), menu, text, key, fileBitmap,
                                      position, fileName, false, ownerDraw, nullptr);
        break;
      }
    }
    if (step.insertPosAfter >= 0) m_lInsertPos = step.insertPosAfter;
  }
}

}  // namespace shellext
