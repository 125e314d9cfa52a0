// Designer's main window: the configuration tree with its menus, toolbar,
// view bar and status line, the test view, and the commands behind them.
// Opening it starts the program; closing it ends it. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <cstdint>
#include <memory>
#include <string>

#include "designer/TreeMouse.h"

namespace sui {
class Control;
class Item;
}  // namespace sui
namespace widgets {
class TreeNode;
class TreeView;
}  // namespace widgets

namespace designer {

// Our own window class, by which a second Designer finds the first.
inline constexpr char kMainWindowClass[] = "CorvaneDesignerMain";

class frmMain : public widgets::Form, private TreeMouseHost {
 public:
  frmMain();
  ~frmMain() override;

  // The start-up: settings, placement, menus and views, an empty
  // configuration. False when the program must end at once (another
  // instance took over, or the icons are missing).
  bool Start();
  // Shows the window; the first activation opens the configured file.
  void ShowMain();

  // The one dispatcher of every menu, toolbar, popup and view-bar command.
  void SmartUI_ClickProcessing(const std::string& key);
  // The menu command identifier of a key (0 when the menu has none).
  UINT CommandId(const std::string& key);

  // The file commands; each is false when the user abandoned it or it failed.
  bool NewFile();
  bool Action_Load(const std::string& path);
  bool Action_Merge();
  bool Action_Save(bool saveAs);
  bool Action_Exit(bool unloadAll);

  void InitializeTree();
  void TagOnQuickAccessItems();
  void SetCutCopyPaste();
  void ShowFrame(int tab);
  void SetFormTitle();
  void EnableButtons(bool enabled, widgets::TreeNode* node);

  // What the window shows, for callers and tests.
  const std::string& Filename() const noexcept { return m_szFilename; }
  bool Dirty() const noexcept { return m_bTreviewDirty; }
  bool Busy() const noexcept { return m_bProcessing; }
  int CurrentTab() const noexcept { return m_lCurrentTab; }
  widgets::TreeView& Tree() noexcept;
  std::string StatusLine() const;
  sui::Control& Menu() noexcept;
  sui::Control& Toolbar() noexcept;
  sui::Control& Popup() noexcept;

  void Cancel() override;  // Esc

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Parts;
  void BuildMenus();
  void BuildControls();
  void LoadMenuImages();
  void Layout();
  void Reg_LoadWindowState();
  void Reg_SaveWindowState();
  void RecordPlacement();
  void Terminate();
  bool SaveQuestion();
  bool ReadInto(const std::string& path, bool merge);
  void AddItem(std::int32_t type, std::int32_t mode, std::int32_t quickAccessIndex);
  void EditProperties();
  void DeleteItem();
  void NodeClicked(widgets::TreeNode& node);
  void DoubleClick();
  void ShowOptions();
  void ShowCustomWindowActions();
  void OpenHelp();
  void AfterDialog();

  // TreeMouseHost
  bool Processing() const override { return m_bProcessing; }
  void NodeClick(widgets::TreeNode& node) override { NodeClicked(node); }
  void TreeChanged() override;
  void ShowTreePopup(POINT screen) override;

  std::unique_ptr<Parts> m_parts;
  bool m_bActivate = false;
  std::string m_szFilename;
  bool m_bTreviewDirty = false;
  bool m_bInFormLoad = false;
  int m_lCurrentTab = 0;
  bool m_bProcessing = false;
  bool m_bTerminated = false;
  std::int32_t m_lWindowState = 0;
  std::int32_t m_lWindowTop = 0, m_lWindowLeft = 0, m_lWindowWidth = 0, m_lWindowHeight = 0;
};

// The program's one main window; null when there is none.
frmMain* g_frmMain();

// Finds a running Designer's main window (by our own class, never this
// process's own window). Null when there is none.
HWND FindRunningDesigner();
// Brings that window forward (restored when minimised) and hands it the
// keystroke Ctrl+F15.
void HandOverTo(HWND running);

}  // namespace designer
