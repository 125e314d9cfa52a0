#include "widgets/treenodes.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/tests/testing.h"

using widgets::Relationship;
using widgets::TreeNodes;

namespace {

// The keys of a node's children (or of the top level), in order.
std::string Keys(const TreeNodes& tree, const widgets::NodePtr& parent) {
  std::string s;
  for (auto n = parent ? parent->Child() : tree.Roots().front(); n; n = n->Next()) s += n->Key();
  return s;
}

}  // namespace

TEST(TreeNodes, RelationshipsPlaceNodesAndIndexCountsInOrderAdded) {
  TreeNodes tree;
  auto root = tree.Add(nullptr, Relationship::Last, "r", "root");
  auto b = tree.Add(root, Relationship::Child, "b", "");
  auto a = tree.Add(b, Relationship::First, "a", "");
  auto d = tree.Add(b, Relationship::Last, "d", "");
  auto c = tree.Add(b, Relationship::Next, "c", "");
  tree.Add(a, Relationship::Previous, "0", "");
  auto e = tree.Add(d, Relationship::Child, "e", "", "folder");
  EXPECT_EQ(Keys(tree, root), "0abcd");
  EXPECT_EQ(root->Children(), 5);
  EXPECT_EQ(tree.Count(), 7);
  EXPECT_EQ(c->Index(), 5);
  EXPECT_EQ(tree.Item(5), c);
  EXPECT_EQ(e->Parent(), d);
  EXPECT_EQ(e->Image, "folder");
  EXPECT_EQ(root->Parent(), nullptr);
  EXPECT_EQ(tree.Find("e"), e);
  EXPECT_EQ(tree.Find("E"), nullptr);

  auto second = tree.Add(nullptr, Relationship::Last, "s", "");
  EXPECT_EQ(root->Next(), second);
  EXPECT_EQ(Keys(tree, nullptr), "rs");
}

TEST(TreeNodes, RefusesDuplicateKeysForeignRelativesAndBadIndexes) {
  TreeNodes tree, other;
  auto root = tree.Add(nullptr, Relationship::Last, "root", "");
  tree.Add(root, Relationship::Child, "", "");
  tree.Add(root, Relationship::Child, "", "");  // empty keys are not keys
  using testing_support::ErrorNumberOf;
  EXPECT_EQ(ErrorNumberOf([&] { tree.Add(root, Relationship::Child, "root", ""); }), 35602);
  EXPECT_EQ(ErrorNumberOf([&] { other.Add(root, Relationship::Child, "x", ""); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { tree.Item(4); }), 35600);
  EXPECT_EQ(ErrorNumberOf([&] { tree.Item(0); }), 35600);

  tree.Clear();
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_EQ(root->Next(), nullptr);  // a node of a cleared tree stays readable
  EXPECT_EQ(ErrorNumberOf([&] { tree.Add(root, Relationship::Child, "x", ""); }), 5);
}
