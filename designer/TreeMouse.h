// The designer tree's mouse work: the right button's popup request, moving
// an item (with its subtree) by dragging it inside the tree, and adding
// folder and file items for paths dropped from the shell (an OLE drop
// target on the tree's window). The main window lends what the work needs
// through TreeMouseHost. Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <ole2.h>

#include <memory>

namespace widgets {
class TreeNode;
class TreeViewWindow;
}  // namespace widgets

namespace designer {

// What the main window lends the tree's mouse work.
class TreeMouseHost {
 public:
  virtual ~TreeMouseHost() = default;
  // A command or dialog runs: no drag starts and drops are refused.
  virtual bool Processing() const = 0;
  // The node the user chose (or a moved or dropped node): status line and buttons.
  virtual void NodeClick(widgets::TreeNode& node) = 0;
  // The tree changed: the configuration is marked changed and the title follows.
  virtual void TreeChanged() = 0;
  // The right button went down over the tree (the node under it, if any, is
  // already selected): the window shows the tree's popup menu at that screen point.
  virtual void ShowTreePopup(POINT screen) = 0;
};

class TreeMouse {
 public:
  // Takes over the tree's MouseDown, MouseMove and MouseUp events and its
  // begin-drag notification, and registers the drop target on the tree's
  // window (the thread must have OLE initialised; without it only the
  // drag inside the tree works). Both must outlive this object.
  TreeMouse(widgets::TreeViewWindow& tree, TreeMouseHost& host);
  ~TreeMouse();  // revokes the drop target, ends a drag
  TreeMouse(const TreeMouse&) = delete;
  TreeMouse& operator=(const TreeMouse&) = delete;

  // The last mouse position over the tree, in the tree's twips.
  long MouseX() const noexcept;
  long MouseY() const noexcept;

  bool Dragging() const noexcept;
  // Ends a drag under way without moving anything (Esc, capture lost).
  // True when there was one to end.
  bool CancelDrag() noexcept;

  // The tree's drop target (the same object the shell is given), for tests.
  IDropTarget* DropTarget() noexcept;

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};

}  // namespace designer
