#include "designer/TreeEditing.h"

#include <unordered_map>

#include "config/clsCorvaneDataTools.h"
#include "widgets/TreeView.h"

namespace designer {

using config::clsCorvaneData;
using widgets::TreeNode;

namespace {

bool IsRoot(const TreeNode& node) { return node.Index() == 1; }

}  // namespace

Placement AddPlacement(TreeNode& selected, bool ctrl) {
  if (ctrl) return {&selected, IsRoot(selected) ? widgets::tvwChild : widgets::tvwNext};
  return {&selected, config::NodeItem(selected)->TVW_GetAddRelationship()};
}

Placement DropPlacement(TreeNode& target, bool ctrl) {
  if (!ctrl) return {&target, config::NodeItem(target)->TVW_GetAddRelationship()};
  if (!IsRoot(target)) return {&target, widgets::tvwNext};
  // First among the root's children; a root without any takes it as a child.
  if (TreeNode* first = target.Child()) return {first, widgets::tvwPrevious};
  return {&target, widgets::tvwChild};
}

std::string RemoveQuestion(const TreeNode& node) {
  const std::string quoted = "'" + node.Text() + "'";
  std::string kind;
  switch (config::NodeItem(node)->m_lType) {
    case clsCorvaneData::TypeFolder: kind = "folder " + quoted; break;
    case clsCorvaneData::TypeFile: kind = "file " + quoted; break;
    case clsCorvaneData::TypeCustomAction: kind = "action " + quoted; break;
    case clsCorvaneData::TypePopupMenu:
      kind = "popup menu " + quoted;
      if (node.Children() > 0) kind += " and all of it's children";
      break;
    case clsCorvaneData::TypeSeparator: kind = "separator"; break;
    case clsCorvaneData::TypeSelectionTask: kind = "selection task " + quoted; break;
    case clsCorvaneData::TypeDynamicFolder: kind = "dynamic folder " + quoted; break;
    case clsCorvaneData::TypeCopyToX: kind = "copy/move item " + quoted; break;
    default: kind = "item " + quoted; break;
  }
  return "Are you sure you want to remove the " + kind + " from the menu?";
}

TreeNode* SelectionAfterRemoval(const TreeNode& node) {
  if (node.Previous()) return node.Previous();
  if (node.Next()) return node.Next();
  return node.Parent();
}

std::string StatusText(const TreeNode& node) {
  const auto item = config::NodeItem(node);
  const auto& tools = config::g_oDataTools();
  std::string text = tools.GetDesignerDescription(*item);
  if (item->m_lType == clsCorvaneData::TypeRoot) {
    text += " ... Children " + std::to_string(node.Children()) + ", Total entries " +
            std::to_string(node.Tree().Count() - 1) + ", Total folders/files " +
            std::to_string(tools.GetCommandCount(&node, 0));
  } else if (item->m_lType == clsCorvaneData::TypePopupMenu) {
    text += " ... Children " + std::to_string(node.Children());
  }
  return text;
}

MoveResult MoveNode(widgets::TreeView& tree, TreeNode& dragged, TreeNode* target, bool ctrl, TreeNode** moved,
                    TreeNode** selected) {
  if (!target) return MoveResult::NoTarget;
  if (target == &dragged) return MoveResult::OntoItself;
  for (TreeNode* up = target->Parent(); up; up = up->Parent())
    if (up == &dragged) return MoveResult::IntoDescendant;
  const Placement place = DropPlacement(*target, ctrl);
  const auto& tools = config::g_oDataTools();
  // The subtree again in its new place, in pre-order, each node under the
  // copy of its parent.
  std::unordered_map<const TreeNode*, TreeNode*> copies;
  TreeNode* oldSelected = selected ? *selected : nullptr;
  TreeNode* newSelected = oldSelected;
  auto copy = [&](const TreeNode& old, TreeNode* relative, std::int32_t relationship) {
    TreeNode& made = tools.TVW_Add(tree, config::NodeItem(old), relative, relationship, nullptr);
    made.SetExpanded(old.Expanded());
    copies[&old] = &made;
    if (&old == oldSelected) newSelected = &made;
    return &made;
  };
  TreeNode* result = copy(dragged, place.relative, place.relationship);
  widgets::VisitPreOrder(dragged.Child(), [&](TreeNode& old, std::int32_t) {
    copy(old, copies.at(old.Parent()), widgets::tvwChild);
  });
  tree.Remove(dragged);
  if (moved) *moved = result;
  if (selected) *selected = newSelected;
  return MoveResult::Moved;
}

}  // namespace designer
