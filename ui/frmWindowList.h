// The window picker: every window of the desktop as a tree, from which the
// user picks one whose class name and caption the caller copies. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <string>

#include "widgets/TreeView.h"

namespace widgets {
class CheckBox;
class TreeViewWindow;
}  // namespace widgets

namespace ui {

class frmWindowList : public widgets::Form {
 public:
  frmWindowList();
  ~frmWindowList() override;

  // Loads it over the owner (when not loaded), fills the tree and runs it
  // modally; m_bOk afterwards. The tree is filled here and by Refresh only,
  // so the selection survives the user switching to other windows and back.
  bool ShowModal(HWND owner);
  void LoadDialog(HWND owner);

  // Rebuilds the tree and selects the desktop.
  void Action_Refresh();

  // What OK read of the chosen window (empty when it has gone since).
  std::string m_szClass;
  std::string m_szWindowName;
  // Whether the caller should copy each; both ticked when it opens.
  bool ReturnClass() const;
  bool ReturnCaption() const;

  widgets::TreeView& Tree() noexcept { return m_tree; }
  // The window a node stands for.
  static HWND WindowOf(const widgets::TreeNode& node);

 private:
  void Confirm();

  widgets::TreeView m_tree;
  widgets::TreeViewWindow* m_view = nullptr;
  widgets::CheckBox* m_class = nullptr;
  widgets::CheckBox* m_caption = nullptr;
};

// The text of a window's node: its quoted class, " - " and its quoted caption
// when it has one, " - " and its handle as "0x" and eight hexadecimal digits.
std::string WindowNodeText(const std::string& className, const std::string& caption, std::uintptr_t handle);

}  // namespace ui
