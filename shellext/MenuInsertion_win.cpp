// Entry insertion and the answers owner drawing asks of an entry.
#include "shellext/MenuInsertion.h"

#include "base/text.h"
#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/clsCorvaneDataTools.h"
#include "config/clsOptions.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;
using config::clsCorvaneData;
using config::clsOptions;
using config::g_oOptions;

namespace {

// Whether the icon level shows the picture of this key; 999998 becomes 1
// when it does.
bool UseCheckMarks(std::int32_t level, std::int32_t& key) {
  if (level <= clsOptions::OptionLevel_None) return false;
  const bool mediumOrAbove = level >= clsOptions::OptionLevel_Medium;
  switch (key) {
    case kBitmapMenuFromMedium:
      if (!mediumOrAbove) return false;
      key = kBitmapMenu;
      return true;
    case kBitmapMenu:
    case kBitmapBlank: return true;
    case kBitmapCurrentFolder: return level >= clsOptions::OptionLevel_Minimum;
    case kBitmapReset:
    case kBitmapFolder:
    case kBitmapQuickAccess:
    case kBitmapCustomAction:
    case kBitmapSelectionTask:
    case kBitmapFileIcon: return mediumOrAbove;
    default: return false;
  }
}

// The file's shell icon, or the warning triangle when the shell has none.
clsMenuBitmaps::BitmapPtr FilePicture(clsMenuBitmaps& bitmaps, const std::string& file) {
  bool noIcon = false;
  clsMenuBitmaps::BitmapPtr picture = bitmaps.FileIcon(file, noIcon);
  return noIcon ? bitmaps.Find(kBitmapNoIcon) : picture;
}

}  // namespace

bool AddMenuWithBitmap(CommandMap& map, clsMenuBitmaps& bitmaps, const CommandMap::EntryPtr& entry, HMENU hMenu,
                       const std::string& szCaption, std::int32_t& lBitmapKey, HBITMAP& hFileBitmap,
                       std::int32_t& lPosition, const std::string& szFilename, bool bTrim, bool bOwnerDraw,
                       HMENU hSubMenu) {
  common::TraceScope scope("AddMenuWithBitmap");
  const clsOptions& options = g_oOptions();
  // A popup takes an identifier only when its caller says so; it is then
  // found by that identifier, otherwise by its submenu. An entry numbered
  // beforehand (a dynamic folder's) keeps its number when it takes one.
  std::int32_t id = entry ? entry->id : kNoCommandId;
  const bool numbered = id != kNoCommandId;
  const bool takesId = !hSubMenu || bOwnerDraw;
  if (!numbered) id = map.Ids().Next();
  g_Debug().Output("lMenuCmdId=" + std::to_string(id) + "  lBitmapKey=" + std::to_string(lBitmapKey) +
                   "  szCaption=" + szCaption);
  // A tab would move the text into the shortcut column and a line break
  // split it: the entry shows blanks where the caption or path holds them.
  const std::string text = base::BlankControls(
      bTrim ? config::clsCorvaneDataTools().TrimCaption(szCaption, options.m_lShellMaxMenuText) : szCaption);
  if (lPosition == -1) lPosition = GetMenuItemCount(hMenu);

  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
  mii.fType = MFT_STRING;
  mii.wID = takesId ? static_cast<UINT>(id) : static_cast<UINT>(kNoCommandId);
  mii.hSubMenu = hSubMenu;
  mii.dwTypeData = const_cast<char*>(text.c_str());

  const bool useCheckMarks = UseCheckMarks(options.m_lShellShowIcons, lBitmapKey);
  g_Debug().Output([&] {
    return std::string("bUseCheckMarks=") + (useCheckMarks ? "True" : "False") +
           "  lBitmapKey=" + std::to_string(lBitmapKey);
  });
  // Entries straight in the shell's own menu are never drawn by us.
  if (hMenu != map.ShellMenu() && options.m_bShellOwnerDraw) {
    mii.fType = MFT_OWNERDRAW;
    g_Debug().Output("Marked as ownerdraw");
  }

  clsMenuBitmaps::BitmapPtr picture;
  // An owner-drawn file entry asks for its icon when it is first painted:
  // a submenu never opened asks the shell nothing. Until then it carries the
  // blank picture as its check mark, which the system never paints for an
  // owner-drawn entry.
  const bool deferred = useCheckMarks && lBitmapKey == kBitmapFileIcon && entry && mii.fType == MFT_OWNERDRAW;
  if (deferred) {
    if (clsMenuBitmaps::BitmapPtr blank = bitmaps.Find(kBitmapBlank)) {
      mii.fMask |= MIIM_CHECKMARKS;
      mii.hbmpChecked = mii.hbmpUnchecked = blank->m_lData;
    }
  } else if (useCheckMarks) {
    if (lBitmapKey == kBitmapFileIcon) {
      picture = FilePicture(bitmaps, szFilename);
      if (picture && picture->m_lKey != kBitmapNoIcon) hFileBitmap = picture->m_lData2;
    } else {
      // A picture that could not be loaded costs the entry its picture,
      // not its place in the menu.
      picture = bitmaps.Find(lBitmapKey);
      if (!picture) g_Debug().Output("Bitmap not found!");
    }
    if (picture) {
      g_Debug().Output("ScaledBitmap=" + clsTrace::ToHex(picture->m_lData) +
                       "  NormalBitmap=" + clsTrace::ToHex(picture->m_lData2));
      mii.fMask |= MIIM_CHECKMARKS;
      // An owner-drawn entry paints its picture itself, under the lock of
      // shared pictures; the system paints a check mark without one, so it
      // gets the handler's own copy.
      mii.hbmpChecked = mii.hbmpUnchecked =
          mii.fType == MFT_OWNERDRAW ? picture->m_lData : bitmaps.CheckMark(picture);
    }
  }

  const bool inserted = InsertMenuItemA(hMenu, static_cast<UINT>(lPosition), TRUE, &mii) != FALSE;
  if (entry) {
    if (inserted) {
      entry->text = text;  // what owner drawing shows
      entry->picture = picture;
      entry->picturePending = deferred;
      entry->pictureFile = deferred ? szFilename : std::string();
      entry->submenu = hSubMenu;
      entry->menu = hMenu;
      if (entry->item && picture) entry->item->m_oBitmap = picture;
    }
    if (!numbered || !takesId) map.SetId(entry, takesId ? id : kNoCommandId);
  }
  if (!numbered && takesId) map.Ids().Take();
  return inserted;
}

void AppendEmptyPlaceholder(HMENU menu, std::int32_t emptyId) {
  const bool ownerDraw = g_oOptions().m_bShellOwnerDraw;
  std::string text = common::g_szEmpty();
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
  mii.fType = ownerDraw ? MFT_OWNERDRAW : MFT_STRING;
  // Disabled; a text entry is greyed as well, an owner-drawn one greys itself.
  mii.fState = ownerDraw ? MF_DISABLED : (MF_DISABLED | MF_GRAYED);
  mii.wID = static_cast<UINT>(emptyId);
  mii.dwTypeData = text.data();
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
}

std::string EntryCaption(const CommandMap& map, std::int32_t id) {
  CommandMap::EntryPtr entry = map.Find(id);
  if (!entry) {
    g_Debug().Output("Entry not found!");
    return {};
  }
  if (!entry->text.empty() || !entry->item) return entry->text;
  bool userItem = false;
  return config::clsCorvaneDataTools().MenuCaption(*entry->item, userItem, g_oOptions().m_lShellMaxMenuText);
}

HBITMAP EntryPicture(const CommandMap& map, clsMenuBitmaps& bitmaps, std::int32_t id) {
  CommandMap::EntryPtr entry = map.Find(id);
  if (!entry) {
    g_Debug().Output("Entry not found!");
    return nullptr;
  }
  if (entry->picturePending) {
    entry->picturePending = false;
    entry->picture = FilePicture(bitmaps, entry->pictureFile);
    if (entry->item && entry->picture) entry->item->m_oBitmap = entry->picture;
  }
  if (!entry->picture) {
    g_Debug().Output("Bitmap not found!");
    return nullptr;
  }
  return entry->picture->m_lData2;
}

}  // namespace shellext
