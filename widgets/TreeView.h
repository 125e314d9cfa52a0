// The tree of keyed, tagged nodes behind Designer's tree views: a pure node
// model with the tree-view semantics the configuration code relies on. Nodes
// are numbered 1, 2, 3, ... in the order they were added; a view mirrors the
// model into a comctl32 tree view when it is shown.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/variant.h"

namespace widgets {

class ImageList;
class TreeView;

// Where Nodes.Add puts a node relative to another.
enum TreeRelationship : std::int32_t {
  tvwFirst = 0,     // first of the relative's siblings
  tvwLast = 1,      // last of the relative's siblings
  tvwNext = 2,      // right after the relative
  tvwPrevious = 3,  // right before the relative
  tvwChild = 4,     // last child of the relative
};

// The errors of the tree, with the control's own numbers.
constexpr long kErrTreeIndex = 35600;      // "Index out of bounds"
constexpr long kErrTreeNotFound = 35601;   // "Element not found"
constexpr long kErrTreeKeyInUse = 35602;   // "Key is not unique in collection"
constexpr long kErrTreeBadRelation = 35603;  // "Invalid relationship"

class TreeNode {
 public:
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  std::int32_t Index() const noexcept { return m_index; }
  const std::string& Key() const noexcept { return m_key; }
  const std::string& Text() const noexcept { return m_text; }
  void SetText(std::string text);
  const std::string& Image() const noexcept { return m_image; }
  void SetImage(std::string key);
  // The picture shown while the node is expanded; empty: its Image.
  const std::string& ExpandedImage() const noexcept { return m_expandedImage; }
  void SetExpandedImage(std::string key);
  // The object the node stands for, shared by reference. A node moved by
  // re-creating it hands the same object to its new node, so the item lives
  // as long as any node (or caller) still holds it, never with one node.
  const std::shared_ptr<base::Object>& Tag() const noexcept { return m_tag; }
  void SetTag(std::shared_ptr<base::Object> tag) { m_tag = std::move(tag); }
  bool Expanded() const noexcept { return m_expanded; }
  void SetExpanded(bool expanded) noexcept;

  TreeNode* Parent() const noexcept { return m_parent; }
  std::int32_t Children() const noexcept { return m_children; }
  TreeNode* Child() const noexcept { return m_firstChild; }  // the first child
  TreeNode* Next() const noexcept { return m_next; }         // the next sibling
  TreeNode* Previous() const noexcept { return m_previous; }
  TreeView& Tree() const noexcept { return *m_tree; }

 private:
  friend class TreeView;
  explicit TreeNode(TreeView& tree) : m_tree(&tree) {}

  TreeView* m_tree;
  std::int32_t m_index = 0;
  std::string m_key;
  std::string m_text;
  std::string m_image;
  std::string m_expandedImage;
  std::shared_ptr<base::Object> m_tag;
  bool m_expanded = false;
  TreeNode* m_parent = nullptr;
  TreeNode* m_firstChild = nullptr;
  TreeNode* m_lastChild = nullptr;
  TreeNode* m_previous = nullptr;
  TreeNode* m_next = nullptr;
  std::int32_t m_children = 0;
  bool m_removed = false;
};

// What shows the model on screen: told when redrawing is switched, when the
// tree is to be repainted, and of every change it must mirror. A host that
// only repaints leaves the rest as they are. None of these may throw: the
// model calls them from its own noexcept paths.
class TreeViewHost {
 public:
  virtual ~TreeViewHost() = default;
  virtual void SetRedraw(bool on) = 0;
  virtual void Refresh() = 0;
  virtual void NodeAdded(TreeNode&) noexcept {}     // linked in its place already
  virtual void NodeRemoving(TreeNode&) noexcept {}  // it and its subtree, still linked
  virtual void NodesCleared() noexcept {}
  virtual void NodeChanged(TreeNode&) noexcept {}   // text, pictures or expanded state
  virtual void SelectionChanged(TreeNode*) noexcept {}
  virtual void DropHighlightChanged(TreeNode*) noexcept {}
  virtual void EnsureVisible(TreeNode&) noexcept {}
  virtual void ImageListChanged() noexcept {}
  // The node at a point of the view, in twips; none without a view.
  virtual TreeNode* HitTest(long, long) noexcept { return nullptr; }
};

class TreeView {
 public:
  TreeView() = default;
  TreeView(const TreeView&) = delete;
  TreeView& operator=(const TreeView&) = delete;

  // ---- Nodes
  // Removes every node; nodes handed out before are gone.
  void Clear() noexcept;
  // Adds a node, with its picture's key when given. Without a relative it
  // goes last at the top level, whatever the relationship. A key in use
  // (keys ignore case) raises 35602; a relative of another tree, or a
  // relationship outside 0..4, raises 35603.
  TreeNode& Add(TreeNode* relative, std::int32_t relationship, std::string key, std::string text,
                std::string image = {});
  // Removes a node with all its descendants; the nodes after it move up.
  void Remove(TreeNode& node);
  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(m_nodes.size()); }
  // The node at a 1-based position (35600 outside 1..Count), or of a key (35601).
  TreeNode& Item(std::int32_t index) const;
  TreeNode& Item(const std::string& key) const;
  TreeNode* Find(const std::string& key) const noexcept;

  // The selected node and the drop highlight; null: none. Removing a node
  // takes both away from it and its subtree.
  TreeNode* SelectedItem() const noexcept { return m_selected; }
  void SetSelectedItem(TreeNode* node) noexcept;
  TreeNode* DropHighlight() const noexcept { return m_dropHighlight; }
  void SetDropHighlight(TreeNode* node) noexcept;
  // Scrolls and expands the view so that the node can be seen.
  void EnsureVisible(TreeNode& node) noexcept;
  // The node at a point of the view, in twips; null where none is shown.
  TreeNode* HitTest(long x, long y) const noexcept;

  // ---- The control
  bool Visible() const noexcept { return m_visible; }
  void SetVisible(bool visible) noexcept { m_visible = visible; }
  // The window of the view that shows the tree; null while none does.
  void* hWnd() const noexcept { return m_hwnd; }
  void SethWnd(void* hwnd) noexcept { m_hwnd = hwnd; }
  bool Redraw() const noexcept { return m_redraw; }
  void SetRedraw(bool on);
  void Refresh();
  void SetHost(TreeViewHost* host) noexcept { m_host = host; }
  TreeViewHost* Host() const noexcept { return m_host; }

  ImageList* GetImageList() const noexcept { return m_imageList; }
  void SetImageList(ImageList* images) noexcept;

 private:
  void Link(TreeNode& node, TreeNode* relative, std::int32_t relationship);
  void Unlink(TreeNode& node) noexcept;
  void Renumber() noexcept;
  friend class TreeNode;
  void Changed(TreeNode& node) noexcept {
    if (m_host) m_host->NodeChanged(node);
  }

  std::vector<std::unique_ptr<TreeNode>> m_nodes;  // in the order they were added
  TreeNode* m_firstTop = nullptr;
  TreeNode* m_lastTop = nullptr;
  TreeNode* m_selected = nullptr;
  TreeNode* m_dropHighlight = nullptr;
  bool m_visible = false;
  bool m_redraw = true;
  void* m_hwnd = nullptr;
  TreeViewHost* m_host = nullptr;
  ImageList* m_imageList = nullptr;
};

// Visits `first`, its following siblings and all their descendants in
// pre-order, each with its depth below the level of `first`. It walks the
// links instead of recursing, so a tree of any depth is safe.
template <class Node, class Visit>
void VisitPreOrder(Node* first, Visit visit) {
  std::int32_t depth = 0;
  for (Node* node = first; node;) {
    visit(*node, depth);
    if (node->Child()) {
      node = node->Child();
      ++depth;
      continue;
    }
    while (!node->Next()) {
      if (depth == 0) return;
      node = node->Parent();
      --depth;
    }
    node = node->Next();
  }
}

}  // namespace widgets
