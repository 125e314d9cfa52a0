// The tree view on screen: a SysTreeView32 that mirrors a node model. The
// model is the truth; the window follows every change of it and reports the
// user's work (selection, expanding, keys, mouse) back into it and to the
// form's handlers. Each item's lParam is its TreeNode: the item is the node.
// The model must outlive the window. Windows only.
#pragma once
#include <functional>
#include <unordered_map>

#include "widgets/CommonControl.h"
#include "widgets/ImageList.h"
#include "widgets/TreeView.h"

namespace widgets {

class TreeViewWindow : public CommonControl, private TreeViewHost {
 public:
  // Position and size in twips. The model's nodes are shown at once.
  TreeViewWindow(Form& form, std::string name, TreeView& model, long left, long top, long width,
                 long height);
  ~TreeViewWindow() override;

  TreeView& Model() const noexcept { return *m_model; }
  // The tree item that shows a node; null when the node is not shown.
  HTREEITEM ItemOf(const TreeNode& node) const noexcept;
  // The picture of a node being dragged, ours to destroy.
  UniqueHImageList CreateDragImage(TreeNode& node) const noexcept;

  // The events, as the forms name them. Coordinates are twips inside the tree.
  std::function<void(TreeNode&)> NodeClick;  // the user chose a node
  std::function<void(TreeNode&)> Expand;
  std::function<void(TreeNode&)> Collapse;
  std::function<void()> DblClick;
  std::function<void(int& keyAscii)> KeyPress;  // 0 swallows the character
  std::function<void(int keyCode, int shift)> KeyDown;
  std::function<void(int keyCode, int shift)> KeyUp;
  std::function<void(int button, int shift, long x, long y)> MouseDown;  // 1 left, 2 right, 4 middle
  std::function<void(int button, int shift, long x, long y)> MouseMove;
  std::function<void(int button, int shift, long x, long y)> MouseUp;
  // The user began dragging a node: the node pressed (which need not be the
  // selected one) and the button, 1 left or 2 right.
  std::function<void(TreeNode&, int button)> BeginDrag;
  // While the tree holds the mouse: the capture went elsewhere, or Esc went
  // down (the key is then the tree's alone, never the form's Cancel).
  std::function<void()> CancelMode;

 protected:
  LRESULT OnNotify(NMHDR& header) override;
  bool InnerMessage(UINT msg, WPARAM& wp, LPARAM& lp, LRESULT* result) override;

 private:
  // TreeViewHost
  void SetRedraw(bool on) override;
  void Refresh() override;
  void NodeAdded(TreeNode& node) noexcept override;
  void NodeRemoving(TreeNode& node) noexcept override;
  void NodesCleared() noexcept override;
  void NodeChanged(TreeNode& node) noexcept override;
  void SelectionChanged(TreeNode* node) noexcept override;
  void DropHighlightChanged(TreeNode* node) noexcept override;
  void EnsureVisible(TreeNode& node) noexcept override;
  void ImageListChanged() noexcept override;
  TreeNode* HitTest(long x, long y) noexcept override;

  void Insert(TreeNode& node) noexcept;
  void ShowState(TreeNode& node) noexcept;  // text, picture and expanded state
  int ImageIndex(const std::string& key) const noexcept;
  int ShownImage(const TreeNode& node) const noexcept;  // its picture's index in the window's list
  static TreeNode* FirstTop(const TreeView& model) noexcept;
  static TreeNode* NodeOf(LPARAM param) noexcept { return reinterpret_cast<TreeNode*>(param); }
  void FireMouse(const std::function<void(int, int, long, long)>& event, int button, LPARAM lp);

  TreeView* m_model;
  std::unordered_map<const TreeNode*, HTREEITEM> m_items;
  bool m_fromView = false;  // the model is being told what the user did
};

}  // namespace widgets
