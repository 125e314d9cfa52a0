#include "widgets/TreeView.h"


#include "base/error.h"
#include "base/text.h"

namespace widgets {

namespace {

const char kSource[] = "TreeView";

}  // namespace

void TreeNode::SetText(std::string text) {
  m_text = std::move(text);
  m_tree->Changed(*this);
}

void TreeNode::SetImage(std::string key) {
  m_image = std::move(key);
  m_tree->Changed(*this);
}

void TreeNode::SetExpandedImage(std::string key) {
  m_expandedImage = std::move(key);
  m_tree->Changed(*this);
}

void TreeNode::SetExpanded(bool expanded) noexcept {
  if (m_expanded == expanded) return;
  m_expanded = expanded;
  m_tree->Changed(*this);
}

void TreeView::Clear() noexcept {
  if (m_host) m_host->NodesCleared();
  m_selected = m_dropHighlight = nullptr;
  m_nodes.clear();
  m_firstTop = m_lastTop = nullptr;
}

TreeNode& TreeView::Add(TreeNode* relative, std::int32_t relationship, std::string key, std::string text,
                        std::string image) {
  if (relative && (&relative->Tree() != this || relationship < tvwFirst || relationship > tvwChild))
    base::RaiseError(kErrTreeBadRelation, kSource, "Invalid relationship");
  if (!key.empty() && Find(key)) base::RaiseError(kErrTreeKeyInUse, kSource, "Key is not unique in collection");
  auto node = std::unique_ptr<TreeNode>(new TreeNode(*this));
  node->m_key = std::move(key);
  node->m_text = std::move(text);
  node->m_image = std::move(image);
  m_nodes.push_back(std::move(node));
  TreeNode& added = *m_nodes.back();
  added.m_index = Count();
  Link(added, relative, relationship);
  if (m_host) m_host->NodeAdded(added);
  return added;
}

// Puts a node into its sibling chain. Without a relative it is the last
// top-level node.
void TreeView::Link(TreeNode& node, TreeNode* relative, std::int32_t relationship) {
  TreeNode* parent = nullptr;
  TreeNode* after = m_lastTop;  // the sibling the node follows; null: it comes first
  if (relative) {
    parent = relationship == tvwChild ? relative : relative->m_parent;
    switch (relationship) {
      case tvwFirst: after = nullptr; break;
      case tvwNext: after = relative; break;
      case tvwPrevious: after = relative->m_previous; break;
      default: after = parent ? parent->m_lastChild : m_lastTop; break;  // last, child
    }
  }
  TreeNode*& first = parent ? parent->m_firstChild : m_firstTop;
  TreeNode*& last = parent ? parent->m_lastChild : m_lastTop;
  node.m_parent = parent;
  node.m_previous = after;
  node.m_next = after ? after->m_next : first;
  if (node.m_next) node.m_next->m_previous = &node;
  else last = &node;
  if (after) after->m_next = &node;
  else first = &node;
  if (parent) ++parent->m_children;
}

void TreeView::Unlink(TreeNode& node) noexcept {
  TreeNode*& first = node.m_parent ? node.m_parent->m_firstChild : m_firstTop;
  TreeNode*& last = node.m_parent ? node.m_parent->m_lastChild : m_lastTop;
  if (node.m_previous) node.m_previous->m_next = node.m_next;
  else first = node.m_next;
  if (node.m_next) node.m_next->m_previous = node.m_previous;
  else last = node.m_previous;
  if (node.m_parent) --node.m_parent->m_children;
  node.m_parent = node.m_previous = node.m_next = nullptr;
}

void TreeView::Remove(TreeNode& node) {
  if (&node.Tree() != this) return;
  if (m_host) m_host->NodeRemoving(node);
  Unlink(node);
  // The node and everything below it go; what is left keeps its order.
  node.m_removed = true;
  VisitPreOrder(node.m_firstChild, [](TreeNode& n, std::int32_t) { n.m_removed = true; });
  if (m_selected && m_selected->m_removed) m_selected = nullptr;
  if (m_dropHighlight && m_dropHighlight->m_removed) m_dropHighlight = nullptr;
  std::erase_if(m_nodes, [](const std::unique_ptr<TreeNode>& n) { return n->m_removed; });
  Renumber();
}

void TreeView::Renumber() noexcept {
  std::int32_t i = 0;
  for (auto& n : m_nodes) n->m_index = ++i;
}

TreeNode& TreeView::Item(std::int32_t index) const {
  if (index < 1 || index > Count()) base::RaiseError(kErrTreeIndex, kSource, "Index out of bounds");
  return *m_nodes[static_cast<size_t>(index - 1)];
}

TreeNode& TreeView::Item(const std::string& key) const {
  TreeNode* node = Find(key);
  if (!node) base::RaiseError(kErrTreeNotFound, kSource, "Element not found");
  return *node;
}

TreeNode* TreeView::Find(const std::string& key) const noexcept {
  if (key.empty()) return nullptr;
  for (const auto& n : m_nodes)
    if (base::EqualsNoCase(n->m_key, key)) return n.get();
  return nullptr;
}

void TreeView::SetRedraw(bool on) {
  m_redraw = on;
  if (m_host) m_host->SetRedraw(on);
}

void TreeView::Refresh() {
  if (m_host) m_host->Refresh();
}

void TreeView::SetSelectedItem(TreeNode* node) noexcept {
  if (node && &node->Tree() != this) return;
  m_selected = node;
  if (m_host) m_host->SelectionChanged(node);
}

void TreeView::SetDropHighlight(TreeNode* node) noexcept {
  if (node && &node->Tree() != this) return;
  m_dropHighlight = node;
  if (m_host) m_host->DropHighlightChanged(node);
}

void TreeView::EnsureVisible(TreeNode& node) noexcept {
  if (&node.Tree() != this) return;
  // What the view does, the model shows too: every ancestor opens.
  for (TreeNode* p = node.m_parent; p; p = p->m_parent) p->SetExpanded(true);
  if (m_host) m_host->EnsureVisible(node);
}

TreeNode* TreeView::HitTest(long x, long y) const noexcept {
  return m_host ? m_host->HitTest(x, y) : nullptr;
}

void TreeView::SetImageList(ImageList* images) noexcept {
  m_imageList = images;
  if (m_host) m_host->ImageListChanged();
}

}  // namespace widgets
