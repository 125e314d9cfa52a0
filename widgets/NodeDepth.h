// How deep a node sits in its tree.
#pragma once
#include <cstdint>

namespace widgets {

class TreeNode;

// The number of parent steps to the top: 0 for a top-level node.
std::int32_t GetNodeDepth(const TreeNode& node);

}  // namespace widgets
