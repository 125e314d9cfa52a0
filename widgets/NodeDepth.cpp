#include "widgets/NodeDepth.h"

#include "widgets/TreeView.h"

namespace widgets {

std::int32_t GetNodeDepth(const TreeNode& node) {
  std::int32_t depth = 0;
  for (auto p = node.Parent(); p; p = p->Parent()) ++depth;
  return depth;
}

}  // namespace widgets
