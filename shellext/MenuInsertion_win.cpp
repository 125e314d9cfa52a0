// Entry insertion: every entry of ours with a caption goes in through
// AddMenuWithBitmap, which decides its picture and hands out its identifier;
// and the lookups that find an entry again by identifier or submenu.
#include <algorithm>
#include <limits>

#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "shellext/FennickHandler.h"

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

bool HasOwnSubmenu(std::int32_t type) {
  switch (type) {
    case clsCorvaneData::TypeRoot:
    case clsCorvaneData::TypePopupMenu:
    case clsCorvaneData::TypeDynamicFolder:
    case clsCorvaneData::TypePopupHistory:
    case clsCorvaneData::TypePopupQuickAccess: return true;
    default: return false;
  }
}

}  // namespace

bool FennickHandler::AddMenuWithBitmap(const ItemPtr& member, HMENU hMenu, const std::string& szCaption,
                                       std::int32_t& lMenuCmdId, std::int32_t& lBitmapKey, HBITMAP& hFileBitmap,
                                       std::int32_t& lPosition, const std::string& szFilename, bool bTrim,
                                       bool bOwnerDraw, HMENU hSubMenu) {
  common::TraceScope scope("AddMenuWithBitmap");
  const clsOptions& options = g_oOptions();
  g_Debug().Output([&] {
    return "lMenuCmdId=" + std::to_string(lMenuCmdId) + "  lBitmapKey=" + std::to_string(lBitmapKey) +
           "  szCaption=" + szCaption;
  });
  // A popup takes an identifier only when its caller says so; it is then
  // found by that identifier, otherwise by nothing.
  const bool takesId = !hSubMenu || bOwnerDraw;
  const std::string text = bTrim ? m_oDataTools.TrimCaption(szCaption, options.m_lShellMaxMenuText) : szCaption;
  if (lPosition == -1) lPosition = GetMenuItemCount(hMenu);

  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
  mii.fType = MFT_STRING;
  mii.wID = takesId ? static_cast<UINT>(lMenuCmdId) : static_cast<UINT>(kNoCommandId);
  mii.hSubMenu = hSubMenu;
  mii.dwTypeData = const_cast<char*>(text.c_str());

  const bool useCheckMarks = UseCheckMarks(options.m_lShellShowIcons, lBitmapKey);
  g_Debug().Output([&] {
    return std::string("bUseCheckMarks=") + (useCheckMarks ? "True" : "False") +
           "  lBitmapKey=" + std::to_string(lBitmapKey);
  });
  // Entries straight in the shell's own menu are never drawn by us.
  if (hMenu != m_hMenu && options.m_bShellOwnerDraw) {
    mii.fType = MFT_OWNERDRAW;
    g_Debug().Output("Marked as ownerdraw");
  }

  if (useCheckMarks) {
    clsMenuBitmaps::BitmapPtr picture;
    if (lBitmapKey == kBitmapFileIcon) {
      bool noIcon = false;
      picture = m_oBitmaps.FileIcon(szFilename, noIcon);
      if (noIcon) picture = m_oBitmaps.Find(kBitmapNoIcon);
      else if (picture) hFileBitmap = picture->m_lData2;
    } else {
      // A picture that could not be loaded costs the entry its picture,
      // not its place in the menu.
      picture = m_oBitmaps.Find(lBitmapKey);
      if (!picture) g_Debug().Output("Bitmap not found!");
    }
    if (picture) {
      if (auto item = CommandItem(member)) item->m_oBitmap = picture;
      g_Debug().Output([&] {
        return "ScaledBitmap=" + clsTrace::ToHex(picture->m_lData) +
               "  NormalBitmap=" + clsTrace::ToHex(picture->m_lData2);
      });
      mii.fMask |= MIIM_CHECKMARKS;
      mii.hbmpChecked = mii.hbmpUnchecked = picture->m_lData;
    }
  }

  const bool inserted = InsertMenuItemA(hMenu, static_cast<UINT>(lPosition), TRUE, &mii) != FALSE;
  if (inserted && member) member->m_szData = text;  // what owner drawing shows
  if (member) member->m_lKey = takesId ? lMenuCmdId : kNoCommandId;
  if (takesId) ++lMenuCmdId;
  return inserted;
}

bool FennickHandler::CanInsertMenuCommand(bool /*bShowError*/, bool bInternal) {
  if (bInternal) {
    if (m_lMenuCmdId > m_lCmdIdCeiling)
      m_lCmdIdCeiling = static_cast<std::int32_t>(
          std::min<std::int64_t>(std::int64_t{m_lMenuCmdId} + 1, std::numeric_limits<std::int32_t>::max()));
    if (m_lCmdIdCeiling > m_lLastCmdId) m_lCmdIdCeiling = m_lLastCmdId;
  }
  if (m_lMenuCmdId > m_lCmdIdCeiling) {
    g_Debug().Output(
        [&] { return "Limit hit=" + std::to_string(m_lMenuCmdId) + ":" + std::to_string(m_lCmdIdCeiling); });
    return false;
  }
  return true;
}

FennickHandler::ItemPtr FennickHandler::AddCommandEntry(DataPtr item, HMENU menu) {
  return m_oCommands.Add("", kNoCommandId, std::move(item), "", RegisterMenu(menu));
}

FennickHandler::ItemPtr FennickHandler::AddBuiltInEntry(std::int32_t type, HMENU menu) {
  auto item = std::make_shared<clsCorvaneData>();
  item->m_lType = type;
  return AddCommandEntry(std::move(item), menu);
}

void FennickHandler::AppendEmptyPlaceholder(HMENU menu) {
  const bool ownerDraw = g_oOptions().m_bShellOwnerDraw;
  std::string text = common::g_szEmpty();
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
  mii.fType = ownerDraw ? MFT_OWNERDRAW : MFT_STRING;
  // Disabled; a text entry is greyed as well, an owner-drawn one greys itself.
  mii.fState = ownerDraw ? MF_DISABLED : (MF_DISABLED | MF_GRAYED);
  mii.wID = static_cast<UINT>(m_lEmptyCmdId);
  mii.dwTypeData = text.data();
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
}

// --- lookups -------------------------------------------------------------------------

FennickHandler::ItemPtr FennickHandler::FindCommand(std::int64_t id) const {
  if (id < 0 || id > std::numeric_limits<std::int32_t>::max()) return nullptr;
  for (const ItemPtr& member : m_oCommands)
    if (member->m_lKey == id) return member;
  return nullptr;
}

FennickHandler::ItemPtr FennickHandler::FindCommandBySubmenu(HMENU submenu) const {
  const std::int32_t number = NumberOfMenu(submenu);
  if (number == 0) return nullptr;
  for (const ItemPtr& member : m_oCommands) {
    auto item = CommandItem(member);
    if (item && member->m_lData == number && HasOwnSubmenu(item->m_lType)) return member;
  }
  return nullptr;
}

FennickHandler::DataPtr FennickHandler::CommandItem(const ItemPtr& member) {
  return member ? std::dynamic_pointer_cast<clsCorvaneData>(member->m_oData) : nullptr;
}

std::string FennickHandler::GetMenuCaption(std::int32_t id) const {
  ItemPtr member = FindCommand(id);
  if (!member) {
    g_Debug().Output("Entry not found!");
    return {};
  }
  if (!member->m_szData.empty()) return member->m_szData;
  auto item = CommandItem(member);
  bool userItem = false;
  return item ? m_oDataTools.MenuCaption(*item, userItem, g_oOptions().m_lShellMaxMenuText) : std::string();
}

HBITMAP FennickHandler::MemberBitmap(std::int32_t id) const {
  auto item = CommandItem(FindCommand(id));
  if (!item) {
    g_Debug().Output("Entry not found!");
    return nullptr;
  }
  auto picture = std::dynamic_pointer_cast<clsMenuBitmap>(item->m_oBitmap);
  if (!picture) {
    g_Debug().Output("Bitmap not found!");
    return nullptr;
  }
  return picture->m_lData2;
}

std::string FennickHandler::OwnerDrawMenu_GetCaption(std::int32_t lID) {
  common::TraceScope scope("OwnerDrawMenu_GetCaption");
  g_Debug().Output([&] { return "lID=" + std::to_string(lID); });
  std::string caption = GetMenuCaption(lID);
  g_Debug().Output([&] { return "Caption=" + caption; });
  return caption;
}

HBITMAP FennickHandler::OwnerDrawMenu_HasBitmap(std::int32_t lID) {
  g_Debug().Output([&] { return "lID=" + std::to_string(lID); });
  HBITMAP bitmap = MemberBitmap(lID);
  g_Debug().Output([&] { return "Bitmap=" + clsTrace::ToHex(bitmap); });
  return bitmap;
}

// --- menus by number --------------------------------------------------------------------

std::int32_t FennickHandler::RegisterMenu(HMENU menu) {
  if (!menu) return 0;
  if (std::int32_t known = NumberOfMenu(menu)) return known;
  m_menus.push_back(menu);
  return static_cast<std::int32_t>(m_menus.size());
}

HMENU FennickHandler::MenuFromNumber(std::int32_t number) const {
  if (number < 1 || static_cast<size_t>(number) > m_menus.size()) return nullptr;
  return m_menus[static_cast<size_t>(number) - 1];
}

std::int32_t FennickHandler::NumberOfMenu(HMENU menu) const {
  if (!menu) return 0;
  // The newest first: a handle the system has reused names the newest menu.
  for (size_t i = m_menus.size(); i > 0; --i)
    if (m_menus[i - 1] == menu) return static_cast<std::int32_t>(i);
  return 0;
}

}  // namespace shellext
