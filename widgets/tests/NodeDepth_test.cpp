#include "widgets/NodeDepth.h"

#include <gtest/gtest.h>

#include "widgets/TreeView.h"

using namespace widgets;

TEST(NodeDepth, CountsTheParentStepsToTheTop) {
  TreeView tree;
  auto& root = tree.Add(nullptr, tvwLast, "root", "");
  auto& a = tree.Add(&root, tvwChild, "a", "");
  auto& b = tree.Add(&a, tvwChild, "b", "");
  auto& c = tree.Add(&a, tvwNext, "c", "");
  EXPECT_EQ(GetNodeDepth(root), 0);
  EXPECT_EQ(GetNodeDepth(a), 1);
  EXPECT_EQ(GetNodeDepth(b), 2);
  EXPECT_EQ(GetNodeDepth(c), 1);
}
