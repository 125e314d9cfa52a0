// What the main window is made of, shared by the files that implement it.
// Windows only.
#pragma once
#include "designer/frmMain.h"  // first: it orders the Windows headers

#include <memory>

#include "common/clsMRU.h"
#include "designer/TestView.h"
#include "designer/TreeMouse.h"
#include "smartui/menu_view.h"
#include "smartui/model.h"
#include "ui/SmartUIControl.h"
#include "widgets/ImageList.h"
#include "widgets/TreeView.h"
#include "widgets/TreeViewWindow.h"

namespace designer {

struct frmMain::Parts {
  sui::Control menu{sui::Style::MenuBar}, popup{sui::Style::PopupMenu}, foreground{sui::Style::Hidden};
  std::unique_ptr<sui::MenuBarView> menuView;
  sui::ImageStore popupImages;  // the tree popup's icons
  ui::SmartUIControl* toolbar = nullptr;
  ui::SmartUIControl* view = nullptr;
  ui::SmartUIControl* status = nullptr;
  widgets::PictureBox* title = nullptr;
  widgets::TreeView tree, temp;
  widgets::TreeViewWindow* treeWindow = nullptr;
  std::unique_ptr<widgets::ImageList> treeImages;
  std::unique_ptr<TreeMouse> mouse;
  TestView* testView = nullptr;
  common::clsMRU recent;
  common::clsMRU quickAccess;
};

// Registry keys of the settings and of the quick-access list.
inline constexpr char kSettingsKey[] = "Software\\Brindlewick\\Corvane\\";
inline constexpr char kQuickAccessKey[] = "Software\\Brindlewick\\Corvane\\Fennick\\QuickAccessMRU\\";

// The Ctrl key as a command reads it: the first query is thrown away.
bool CtrlHeld() noexcept;

}  // namespace designer
