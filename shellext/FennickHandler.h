// The shell's context-menu handler: one object per context menu. It records
// the selection (Initialize), builds the configured menu inside the
// identifier range the shell grants (QueryContextMenu), tells the shell each
// entry's verb and help text, draws its owner-drawn entries and fills dynamic
// folders while the menu is open, and runs the chosen command.
//
// Every entry of ours is a member of m_oCommands: m_lKey its command
// identifier (-1 when it takes none: the root, separators, hidden tasks, a
// popup that takes none), m_oData its config::clsCorvaneData item, m_lData
// the number (RegisterMenu) of the menu it lives in, or of its own submenu
// for a popup.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/com.h"
#include "common/clsCollection.h"
#include "config/clsCorvaneData.h"
#include "config/clsCorvaneDataTools.h"
#include "shellext/MenuBitmaps.h"
#include "shellext/modMenuItems.h"

namespace shellext {

// The identifier of an entry that takes none; no lookup ever finds it.
inline constexpr std::int32_t kNoCommandId = -1;

class FennickHandler : public base::ComObject<FennickHandler, IShellExtInit, IContextMenu3>,
                       public OwnerDrawSource {
 public:
  using ItemPtr = common::clsCollection::ItemPtr;
  using DataPtr = std::shared_ptr<config::clsCorvaneData>;

  FennickHandler();
  ~FennickHandler() override;

  static const base::QiEntry* Interfaces() noexcept;

  // IShellExtInit
  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* dataObject, HKEY progId) noexcept override;

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                UINT flags) noexcept override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) noexcept override;
  STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, CHAR* name,
                                UINT cchMax) noexcept override;

  // IContextMenu2
  STDMETHODIMP HandleMenuMsg(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;

  // IContextMenu3
  STDMETHODIMP HandleMenuMsg2(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) noexcept override;

  // OwnerDrawSource: the caption and the 16 x 16 picture of the entry with
  // that identifier ("" and null for none).
  std::string OwnerDrawMenu_GetCaption(std::int32_t lID) override;
  HBITMAP OwnerDrawMenu_HasBitmap(std::int32_t lID) override;

  // --- the query (QueryContextMenu and GetCommandString without the COM
  // boundary; they may throw) -----------------------------------------------------
  // The status whose code is the number of identifiers used.
  HRESULT IFennick_QueryFennickEx(HMENU hMenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT uFlags);
  HRESULT IFennick_GetCommandString(UINT_PTR idCmd, UINT uFlags, CHAR* pszName, UINT cchMax);

  // --- building the menu -------------------------------------------------------------
  // Reads the configuration file and builds the configured entries into
  // m_hRootMenu, then the recent lists and built-in commands
  // (CreateMenuLists). False after a failure; what was built stays.
  bool CreateMenu();
  // The second half of CreateMenu: recent lists and built-in commands.
  void CreateMenuLists();
  // Whether one more identifier may be used. Internal entries (recent lists,
  // built-ins) push the ceiling ahead of themselves up to m_lLastCmdId.
  bool CanInsertMenuCommand(bool bShowError, bool bInternal);
  // Inserts an entry with its caption, picture and submenu; advances
  // lMenuCmdId when the entry takes an identifier (every entry but a popup
  // whose bOwnerDraw argument is false; callers pass the owner-draw
  // setting) and records the identifier in the member's m_lKey (-1 when it
  // takes none). lPosition -1 appends. A picture key without a bitmap gives
  // an entry without a picture. False when the menu refused the entry.
  bool AddMenuWithBitmap(const ItemPtr& member, HMENU hMenu, const std::string& szCaption, std::int32_t& lMenuCmdId,
                         std::int32_t& lBitmapKey, HBITMAP& hFileBitmap, std::int32_t& lPosition,
                         const std::string& szFilename, bool bTrim, bool bOwnerDraw, HMENU hSubMenu);
  // Appends a member for an item that lives in `menu` (taking no identifier
  // until AddMenuWithBitmap gives it one): the way recent entries, built-in
  // commands and dynamic-folder entries join m_oCommands.
  ItemPtr AddCommandEntry(DataPtr item, HMENU menu);
  // A new item of a built-in type, with its member (AddCommandEntry).
  ItemPtr AddBuiltInEntry(std::int32_t type, HMENU menu);
  // The disabled "(Empty)" entry of an empty dynamic-folder submenu, with
  // the shared identifier m_lEmptyCmdId.
  void AppendEmptyPlaceholder(HMENU menu);
  // Fills a dynamic folder's submenu when it first opens (member of
  // m_oDynamicMenus); numbers its entries from m_lMenuCmdId.
  void CreateDynamicMenu(const ItemPtr& dynamicMenu);

  // --- lookups -------------------------------------------------------------------------
  // The member whose identifier is id; null for none (never an entry that
  // takes no identifier).
  ItemPtr FindCommand(std::int64_t id) const;
  // The popup member whose own submenu is `submenu`; null for none.
  ItemPtr FindCommandBySubmenu(HMENU submenu) const;
  static DataPtr CommandItem(const ItemPtr& member);
  // The entry's menu caption as the menu shows it; "" for none.
  std::string GetMenuCaption(std::int32_t id) const;
  // The picture owner drawing paints for the entry; null for none.
  HBITMAP MemberBitmap(std::int32_t id) const;

  // --- menus by number (m_lData, m_oDynamicMenus' m_lKey) -------------------
  // The number of the menu, registering it on first sight; 0 for null.
  std::int32_t RegisterMenu(HMENU menu);
  HMENU MenuFromNumber(std::int32_t number) const;
  // 0 when the menu was never registered.
  std::int32_t NumberOfMenu(HMENU menu) const;

  // --- the selection (Initialize) -------------------------------------------------------
  base::ComPtr<IDataObject> m_pDataObject;
  std::int32_t m_lSelectionCount = 0;
  std::string m_szFirstPath;   // the one selected name, else ""
  base::UniquePidl m_pidlFolder;
  std::string m_szCurrentFolder;
  std::string m_szCurrentFile;  // the one selected name when it is an existing file

  // --- the menu of the current query ----------------------------------------------------
  clsMenuBitmaps m_oBitmaps;
  HMENU m_hMenu = nullptr;      // the shell's menu (borrowed)
  std::int32_t m_lInsertPos = 0;
  HMENU m_hRootMenu = nullptr;  // our root popup, owned by the shell's menu once inserted
  config::clsFileHeader m_oFileHeader;
  common::clsCollection m_oCommands;
  config::clsCorvaneDataTools m_oDataTools;

  // --- command identifiers ---------------------------------------------------------------
  std::int32_t m_lMenuCmdId = 0;     // the next identifier to hand out
  std::int32_t m_lFirstCmdId = 0;    // idCmdFirst
  std::int32_t m_lCmdIdCeiling = 0;  // the highest identifier an entry may take
  std::int32_t m_lLastCmdId = 0;     // idCmdLast (or the widest a menu carries)
  std::int32_t m_lDebugToggleCmdId = kNoCommandId;  // the debugging entry, when shown
  // Dynamic folders: their submenus (m_lKey the menu number, m_lData 1 once
  // filled, m_oData the folder's member of m_oCommands), kept until the
  // handler goes; their entries are numbered from m_lDynamicCmdId up to
  // m_lDynamicCmdLast, a block the query reserves after every other entry.
  common::clsCollection m_oDynamicMenus;
  std::int32_t m_lDynamicCmdId = 0;
  std::int32_t m_lDynamicCmdLast = -1;
  std::int32_t m_lEmptyCmdId = kNoCommandId;  // the "(Empty)" placeholders'

  std::int32_t m_lNumWindowActions = 0;  // counted by the thread's first live handler

 private:
  enum class ReadOutcome { kComplete, kStopped, kFailed };
  // A recent-list entry as its menu entry shows it.
  struct ShownEntry {
    DataPtr item;
    std::string caption;  // shortened, before its number
    std::string fileName;
    std::int32_t key = 0;  // its picture
  };
  // The entry of a recent list as shown; nothing for one with nothing to show.
  std::optional<ShownEntry> ShowEntry(const std::string& stored, bool fromHistory);
  // The configured items of the file; kStopped when an identifier check
  // ended the reading early. A failure the user should hear of is shown.
  ReadOutcome ReadConfiguredItems(config::BinaryFile& file);
  // The "(Empty)" entries of the dynamic folders registered from position
  // dynamicBefore + 1 on, with their one shared identifier.
  void AddEmptyPlaceholders(std::int32_t dynamicBefore);
  // Inserts the root popup into the shell's menu (when it has entries or
  // the build succeeded), the separator after it, and reserves the
  // dynamic-folder block.
  void FinishQuery(bool built, std::int32_t rootPosition);

  std::vector<HMENU> m_menus;  // menu number n is m_menus[n - 1]
};

// The class factory's creator.
HRESULT CreateFennickHandler(REFIID riid, void** ppv) noexcept;

// The window tests of the query and the commands.
bool IsIE(HWND hwnd);
HWND GetRootExplorerWindow(HWND hwnd);
bool IsMenuCaptionPresent(const std::string& szRootMenuCaption, HMENU hMenu, std::int32_t lStartingPos);

}  // namespace shellext
