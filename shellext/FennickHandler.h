// The shell's context-menu handler: one object per context menu. It records
// the selection (Initialize), builds the configured menu inside the
// identifier range the shell grants (QueryContextMenu), tells the shell each
// entry's verb and help text, draws its owner-drawn entries and fills dynamic
// folders while the menu is open, and runs the chosen command. Every entry
// of ours is a record of the command map (CommandMap.h).
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/com.h"
#include "config/clsCorvaneData.h"
#include "config/clsCorvaneDataTools.h"
#include "config/BinaryFile.h"
#include "shellext/CommandMap.h"
#include "shellext/MenuBitmaps.h"
#include "shellext/modMenuItems.h"

namespace shellext {

struct ParsedConfiguration;

// What Initialize records of the selection.
struct HandlerSelection {
  std::int32_t m_lSelectionCount = 0;
  std::string m_szFirstPath;      // the one selected name, else ""
  std::string m_szCurrentFolder;  // the folder the menu is for
  std::string m_szCurrentFile;    // the one selected name when it is an existing file
};

class FennickHandler : public base::ComObject<FennickHandler, IShellExtInit, IContextMenu3>,
                       public OwnerDrawSource {
 public:
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

  // What Initialize recorded, for reading.
  const HandlerSelection& Selection() const { return m_oSelection; }

 private:
  using EntryPtr = CommandMap::EntryPtr;
  using DataPtr = std::shared_ptr<config::clsCorvaneData>;

  // --- the query (QueryContextMenu and GetCommandString without the COM
  // boundary; they may throw) -----------------------------------------------------
  // The status whose code is the number of identifiers used.
  HRESULT IFennick_QueryFennickEx(HMENU hMenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT uFlags);
  HRESULT IFennick_GetCommandString(UINT_PTR idCmd, UINT uFlags, CHAR* pszName, UINT cchMax);
  // Inserts the root popup into the shell's menu (when it has entries or
  // the build succeeded), the separator after it, and reserves the
  // dynamic-folder block.
  void FinishQuery(bool built, std::int32_t rootPosition);

  // --- building the menu -------------------------------------------------------------
  // Reads the configuration file and builds the configured entries into
  // m_hRootMenu, then the recent lists and built-in commands
  // (CreateMenuLists). False after a failure; what was built stays.
  bool CreateMenu();
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
  ReadOutcome ReadConfiguredItems(const ParsedConfiguration& parsed);
  // The "(Empty)" entries of the dynamic folders registered from position
  // dynamicBefore + 1 on, with their one shared identifier.
  void AddEmptyPlaceholders(std::int32_t dynamicBefore);
  // The second half of CreateMenu: recent lists and built-in commands.
  void CreateMenuLists();
  // Whether one more identifier may be used. Internal entries (recent lists,
  // built-ins) push the ceiling ahead of themselves up to the last one.
  bool CanInsertMenuCommand(bool bShowError, bool bInternal);
  // AddMenuWithBitmap (MenuInsertion.h) on this handler's map and pictures.
  bool AddMenuWithBitmap(const EntryPtr& entry, HMENU hMenu, const std::string& szCaption, std::int32_t lBitmapKey,
                         const std::string& szFilename, bool bTrim, HMENU hSubMenu = nullptr);
  // A record for an item that lives in `menu`, taking no identifier until
  // AddMenuWithBitmap gives it one.
  EntryPtr AddCommandEntry(DataPtr item, HMENU menu);
  // A new item of a built-in type, with its record.
  EntryPtr AddBuiltInEntry(std::int32_t type, HMENU menu);
  // Fills a dynamic folder's submenu when it first opens; numbers its
  // entries inside the dynamic block.
  void CreateDynamicMenu(const EntryPtr& folder);

  // --- running the chosen command (S_OK for a command that ran) ---------------
  HRESULT IContextMenu_InvokeCommand(const CMINVOKECOMMANDINFO& info);
  struct Invocation {
    HWND hwnd = nullptr;  // the window the menu was opened in
    bool ctrl = false;
    bool shift = false;
  };
  HRESULT RunCommand(config::clsCorvaneData& item, const Invocation& how);
  HRESULT RunFolder(config::clsCorvaneData& item, const Invocation& how);
  // The same window: a window action, the window's browser, its Explorer
  // frame's, or a new folder window.
  void BrowseInSameWindow(HWND hwnd, PCIDLIST_ABSOLUTE pidl);
  HRESULT RunDesigner(HWND hwnd);
  HRESULT RunAddToQuickAccess();
  HRESULT RunDialog();
  HRESULT RunCommandPrompt();
  HRESULT CopyFileNames(HWND hwnd, bool shortNames, bool recursive);

  // --- the selection (Initialize) -------------------------------------------------------
  base::ComPtr<IDataObject> m_pDataObject;
  base::UniquePidl m_pidlFolder;
  HandlerSelection m_oSelection;

  // --- the menu of the current query ----------------------------------------------------
  clsMenuBitmaps m_oBitmaps;
  HMENU m_hMenu = nullptr;      // the shell's menu (borrowed)
  std::int32_t m_lInsertPos = 0;
  HMENU m_hRootMenu = nullptr;  // our root popup, owned by the shell's menu once inserted
  config::clsFileHeader m_oFileHeader;
  config::clsCorvaneDataTools m_oDataTools;
  // Every entry, its identifier and submenu; the dynamic folders' submenus
  // are kept across queries until the handler goes.
  CommandMap m_oCommands;
};

// The class factory's creator.
HRESULT CreateFennickHandler(REFIID riid, void** ppv) noexcept;

// The window tests of the query and the commands.
bool IsIE(HWND hwnd);
HWND GetRootExplorerWindow(HWND hwnd);
bool IsMenuCaptionPresent(const std::string& szRootMenuCaption, HMENU hMenu, std::int32_t lStartingPos);

}  // namespace shellext
