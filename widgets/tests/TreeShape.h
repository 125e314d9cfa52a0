// Test helper: a tree drawn as text, node texts in pre-order with children
// in brackets: "root[a[a1] b]".
#pragma once
#include <string>

#include "widgets/TreeView.h"

namespace testing_support {

inline std::string ShapeFrom(const widgets::TreeNode* node) {
  std::string out;
  for (; node; node = node->Next()) {
    if (!out.empty()) out += " ";
    out += node->Text();
    if (node->Child()) out += "[" + ShapeFrom(node->Child()) + "]";
  }
  return out;
}

// The whole tree, from its first top-level node.
inline std::string Shape(const widgets::TreeView& tree) {
  if (tree.Count() == 0) return "";
  const widgets::TreeNode* first = &tree.Item(1);
  while (first->Parent()) first = first->Parent();
  while (first->Previous()) first = first->Previous();
  return ShapeFrom(first);
}

}  // namespace testing_support
