// The rules of Designer's tree over the node model: where a new, moved or
// dropped item goes, what the Remove question says, which node is selected
// after a removal, the status line, and moving a node with its subtree.
// Portable: the main window applies them to the tree it shows.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "config/clsCorvaneData.h"

namespace widgets {
class TreeNode;
class TreeView;
}  // namespace widgets

namespace designer {

// The node a new item goes beside, and how.
struct Placement {
  widgets::TreeNode* relative = nullptr;
  std::int32_t relationship = 0;  // the tree's codes: 2 next sibling, 3 previous, 4 last child
};

// A new item beside the selected node: into the root or a popup menu, else
// right after the node; with Ctrl, after a popup menu instead of into it.
Placement AddPlacement(widgets::TreeNode& selected, bool ctrl);

// A moved or dropped item relative to the target: as AddPlacement, except
// that Ctrl on the root puts it first among the root's children (into the
// root when it has none).
Placement DropPlacement(widgets::TreeNode& target, bool ctrl);

// "Are you sure you want to remove the ... from the menu?"
std::string RemoveQuestion(const widgets::TreeNode& node);

// The node selected once `node` is gone: its previous sibling, else its next,
// else its parent.
widgets::TreeNode* SelectionAfterRemoval(const widgets::TreeNode& node);

// The status line of the chosen node.
std::string StatusText(const widgets::TreeNode& node);

enum class MoveResult { NoTarget, OntoItself, IntoDescendant, Moved };

// Moves `dragged` with its subtree to the target by DropPlacement. The nodes
// are made again in their new place, sharing their items; *moved is then
// the new node of the dragged one, and *selected, when it pointed into the
// moved subtree, its new node.
MoveResult MoveNode(widgets::TreeView& tree, widgets::TreeNode& dragged, widgets::TreeNode* target, bool ctrl,
                    widgets::TreeNode** moved, widgets::TreeNode** selected);

}  // namespace designer
