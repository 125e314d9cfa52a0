// Dynamic folders: a submenu filled with the folder's contents when it opens.
#include <memory>
#include <utility>
#include <vector>

#include "base/error.h"
#include "common/clsTrace.h"
#include "config/clsOptions.h"
#include "shellext/FennickHandler.h"
#include "shellext/FolderListing.h"
#include "shellext/MenuInsertion.h"

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

void FennickHandler::CreateDynamicMenu(const EntryPtr& folder) {
  common::TraceScope scope("CreateDynamicMenu");
  HMENU popup = folder ? folder->submenu : nullptr;
  if (!popup || !folder->item) return;
  CommandIds& ids = m_oCommands.Ids();
  ids.BeginDynamicFill();
  try {
    const std::string directory = DynamicFolderPath(folder->item->Location());
    const std::string filter = folder->item->m_szDFolder_Filter;
    g_Debug().Output("hMenu=" + clsTrace::ToHex(popup) + "  szDir=" + directory);
    const std::int32_t maxText = g_oOptions().m_lShellMaxMenuText;
    const bool ownerDraw = g_oOptions().m_bShellOwnerDraw;

    // Identifiers go out in the order the file system lists the entries,
    // inside the block the query kept for dynamic folders.
    std::vector<EntryPtr> entries;
    const std::vector<FolderEntry> found =
        ListDynamicFolder(directory, filter, [&](const FolderEntry& listed) {
          if (!ids.CanTake(false)) return false;
          auto item = std::make_shared<clsCorvaneData>();
          item->m_lType = listed.directory ? clsCorvaneData::TypeDynamicFolder : clsCorvaneData::TypeFile;
          item->SetLocation(directory + listed.name);
          item->SetCaption(m_oDataTools.TrimCaption(listed.name, maxText));
          item->m_szDFolder_Filter = filter;  // a sub-folder filters the same way
          EntryPtr entry = AddCommandEntry(item, popup);
          m_oCommands.SetId(entry, ids.Take());
          entries.push_back(std::move(entry));
          return true;
        });
    g_Debug().Output("Sorting " + std::to_string(found.size()));

    for (std::size_t i : DynamicMenuOrder(found)) {
      const EntryPtr& entry = entries[i];
      base::UniqueHMenu submenu = found[i].directory ? m_oCommands.CreateSubmenu() : base::UniqueHMenu();
      if (submenu) g_Debug().Output("NewMenu=" + clsTrace::ToHex(submenu.get()));
      std::int32_t key = kBitmapFileIcon;
      std::int32_t position = -1;
      HBITMAP fileBitmap = nullptr;
      if (::shellext::AddMenuWithBitmap(m_oCommands, m_oBitmaps, entry, popup, MenuTextOf(entry->item->Caption()), key,
                                        fileBitmap, position, entry->item->Location(), false, ownerDraw,
                                        submenu.get()) &&
          submenu) {
        m_oCommands.AddDynamic(entry);
        if (m_oCommands.EmptyId() != kNoCommandId) AppendEmptyPlaceholder(submenu.get(), m_oCommands.EmptyId());
        submenu.release();  // the popup owns it now
      }
    }
  } catch (...) {
    // What went in stays; the trace has the rest.
    g_Debug().CheckForError();
  }
  ids.EndDynamicFill();
  RemovePlaceholder(popup, m_oCommands.EmptyId());
}

}  // namespace shellext
