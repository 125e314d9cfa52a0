// Dynamic folders: a submenu filled with the folder's contents when it opens.
#include <memory>
#include <utility>
#include <vector>

#include "base/error.h"
#include "common/clsTrace.h"
#include "config/clsOptions.h"
#include "shellext/FennickHandler.h"
#include "shellext/FolderListing.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;
using config::clsCorvaneData;
using config::g_oOptions;

namespace {

// Removes the "(Empty)" entry of a menu that now holds something else. It is
// found by its identifier and its having no submenu, never by its position:
// a menu that never got one loses nothing.
void RemovePlaceholder(HMENU menu, std::int32_t emptyCmdId) {
  const int count = GetMenuItemCount(menu);
  if (count <= 1 || emptyCmdId == kNoCommandId) return;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    if (mii.wID == static_cast<UINT>(emptyCmdId) && !mii.hSubMenu && !(mii.fType & MFT_SEPARATOR)) {
      g_Debug().Output([&] { return "MenuCount=" + std::to_string(count); });
      DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
      g_Debug().Output("Killed empty entry");
      return;
    }
  }
}

}  // namespace

void FennickHandler::CreateDynamicMenu(const ItemPtr& dynamicMenu) {
  common::TraceScope scope("CreateDynamicMenu");
  HMENU popup = dynamicMenu ? MenuFromNumber(dynamicMenu->m_lKey) : nullptr;
  auto folderMember = dynamicMenu ? std::dynamic_pointer_cast<common::clsCollection>(dynamicMenu->m_oData) : nullptr;
  DataPtr folder = CommandItem(folderMember);
  if (!popup || !folder) return;
  try {
    const std::string directory = DynamicFolderPath(folder->Location());
    const std::string filter = folder->m_szDFolder_Filter;
    g_Debug().Output([&] { return "hMenu=" + clsTrace::ToHex(popup) + "  szDir=" + directory; });
    const std::int32_t maxText = g_oOptions().m_lShellMaxMenuText;
    const bool ownerDraw = g_oOptions().m_bShellOwnerDraw;

    // Identifiers go out in the order the file system lists the entries,
    // inside the block the query kept for dynamic folders.
    std::vector<ItemPtr> members;
    const std::vector<FolderEntry> entries =
        ListDynamicFolder(directory, filter, [&](const FolderEntry& entry) {
          if (!CanInsertMenuCommand(false, false)) return false;
          auto item = std::make_shared<clsCorvaneData>();
          item->m_lType = entry.directory ? clsCorvaneData::TypeDynamicFolder : clsCorvaneData::TypeFile;
          item->SetLocation(directory + entry.name);
          item->SetCaption(m_oDataTools.TrimCaption(entry.name, maxText));
          item->m_szDFolder_Filter = filter;  // a sub-folder filters the same way
          ItemPtr member = AddCommandEntry(item, popup);
          member->m_lKey = m_lMenuCmdId++;
          members.push_back(std::move(member));
          return true;
        });
    g_Debug().Output([&] { return "Sorting " + std::to_string(entries.size()); });

    for (std::size_t i : DynamicMenuOrder(entries)) {
      const ItemPtr& member = members[i];
      DataPtr item = CommandItem(member);
      base::UniqueHMenu submenu(entries[i].directory ? CreatePopupMenu() : nullptr);
      if (submenu) {
        g_Debug().Output([&] { return "NewMenu=" + clsTrace::ToHex(submenu.get()); });
        member->m_lData = RegisterMenu(submenu.get());
        m_oDynamicMenus.Add("", member->m_lData, member, "", 0);
      }
      std::int32_t id = member->m_lKey;
      std::int32_t key = kBitmapFileIcon;
      std::int32_t position = -1;
      HBITMAP fileBitmap = nullptr;
      if (AddMenuWithBitmap(member, popup, MenuTextOf(item->Caption()), id, key, fileBitmap, position,
                            item->Location(), false, ownerDraw, submenu.get()) &&
          submenu) {
        if (m_lEmptyCmdId != kNoCommandId) AppendEmptyPlaceholder(submenu.get());
        submenu.release();  // the popup owns it now
      } else if (submenu) {
        m_oDynamicMenus.Remove(m_oDynamicMenus.Count());  // nothing leads to it
      }
    }
  } catch (...) {
    // What went in stays; the trace has the rest.
    g_Debug().CheckForError();
  }
  RemovePlaceholder(popup, m_lEmptyCmdId);
}

}  // namespace shellext
