#include "widgets/TreeView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/tests/testing.h"
#include "widgets/tests/TreeShape.h"

using testing_support::ErrorNumberOf;
using widgets::TreeNode;
using widgets::TreeView;

using testing_support::Shape;

TEST(TreeView, NodesAreNumberedInTheOrderTheyWereAdded) {
  TreeView tree;
  TreeNode& root = tree.Add(nullptr, widgets::tvwFirst, "root", "root");
  TreeNode& b = tree.Add(&root, widgets::tvwChild, "", "b");
  TreeNode& a = tree.Add(&b, widgets::tvwPrevious, "", "a");
  TreeNode& a1 = tree.Add(&a, widgets::tvwChild, "", "a1");
  EXPECT_EQ(Shape(tree), "root[a[a1] b]");
  EXPECT_EQ(root.Index(), 1);
  EXPECT_EQ(b.Index(), 2);
  EXPECT_EQ(a.Index(), 3);
  EXPECT_EQ(&tree.Item(4), &a1);
  EXPECT_EQ(&tree.Item("ROOT"), &root);  // keys ignore case
  EXPECT_EQ(root.Children(), 2);
  EXPECT_EQ(root.Child(), &a);
  EXPECT_EQ(a.Next(), &b);
  EXPECT_EQ(a1.Parent(), &a);
  EXPECT_EQ(b.Next(), nullptr);
}

TEST(TreeView, RelationshipsPlaceTheNode) {
  const struct {
    std::int32_t relationship;
    const char* shape;
  } cases[] = {
      {widgets::tvwFirst, "r[x a b c]"},
      {widgets::tvwLast, "r[a b c x]"},
      {widgets::tvwNext, "r[a b x c]"},
      {widgets::tvwPrevious, "r[a x b c]"},
      {widgets::tvwChild, "r[a b[x] c]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.relationship);
    TreeView tree;
    TreeNode& r = tree.Add(nullptr, 0, "root", "r");
    tree.Add(&r, widgets::tvwChild, "", "a");
    TreeNode& b = tree.Add(&r, widgets::tvwChild, "", "b");
    tree.Add(&r, widgets::tvwChild, "", "c");
    tree.Add(&b, c.relationship, "", "x");
    EXPECT_EQ(Shape(tree), c.shape);
    EXPECT_EQ(tree.Item(5).Text(), "x");
  }
}

TEST(TreeView, WithoutARelativeANodeGoesLastAtTheTop) {
  TreeView tree;
  tree.Add(nullptr, widgets::tvwNext, "", "a");
  tree.Add(nullptr, widgets::tvwFirst, "", "b");
  EXPECT_EQ(Shape(tree), "a b");
  EXPECT_EQ(tree.Item(2).Parent(), nullptr);
}

TEST(TreeView, FailuresCarryTheControlsNumbers) {
  TreeView tree, other;
  TreeNode& root = tree.Add(nullptr, 0, "root", "r");
  TreeNode& stranger = other.Add(nullptr, 0, "", "s");
  EXPECT_EQ(ErrorNumberOf([&] { tree.Add(nullptr, 0, "Root", "again"); }), widgets::kErrTreeKeyInUse);
  EXPECT_EQ(ErrorNumberOf([&] { tree.Add(&root, 5, "", "x"); }), widgets::kErrTreeBadRelation);
  EXPECT_EQ(ErrorNumberOf([&] { tree.Add(&stranger, 4, "", "x"); }), widgets::kErrTreeBadRelation);
  EXPECT_EQ(ErrorNumberOf([&] { tree.Item(0); }), widgets::kErrTreeIndex);
  EXPECT_EQ(ErrorNumberOf([&] { tree.Item(2); }), widgets::kErrTreeIndex);
  EXPECT_EQ(ErrorNumberOf([&] { tree.Item("none"); }), widgets::kErrTreeNotFound);
  EXPECT_EQ(tree.Count(), 1);  // nothing was added by the failed calls
  EXPECT_EQ(root.Children(), 0);
}

TEST(TreeView, RemoveTakesTheSubtreeAndRenumbers) {
  TreeView tree;
  TreeNode& r = tree.Add(nullptr, 0, "root", "r");
  TreeNode& a = tree.Add(&r, 4, "", "a");
  tree.Add(&a, 4, "", "a1");
  TreeNode& b = tree.Add(&r, 4, "", "b");
  tree.Add(&a, 4, "k", "a2");
  tree.Remove(a);
  EXPECT_EQ(Shape(tree), "r[b]");
  EXPECT_EQ(tree.Count(), 2);
  EXPECT_EQ(b.Index(), 2);
  EXPECT_EQ(r.Children(), 1);
  EXPECT_EQ(tree.Find("k"), nullptr);
  tree.Add(&r, 4, "k", "k again");  // the key is free again
  tree.Clear();
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_EQ(tree.Find("root"), nullptr);
}

TEST(TreeView, RedrawAndRefreshReachTheHost) {
  struct Host : widgets::TreeViewHost {
    std::vector<std::string> calls;
    void SetRedraw(bool on) override { calls.push_back(on ? "on" : "off"); }
    void Refresh() override { calls.push_back("refresh"); }
  } host;
  TreeView tree;
  tree.SetRedraw(false);  // no host yet: only the state
  EXPECT_FALSE(tree.Redraw());
  tree.SetHost(&host);
  tree.SetRedraw(true);
  tree.Refresh();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"on", "refresh"}));
}

TEST(TreeView, VisitPreOrderWalksSiblingsAndDescendantsWithTheirDepth) {
  TreeView tree;
  TreeNode& r = tree.Add(nullptr, 0, "root", "r");
  TreeNode& a = tree.Add(&r, 4, "", "a");
  tree.Add(&tree.Add(&a, 4, "", "a1"), 4, "", "a11");
  TreeNode& b = tree.Add(&r, 4, "", "b");
  tree.Add(&b, 4, "", "b1");
  tree.Add(&r, 4, "", "c");
  std::string seen;
  widgets::VisitPreOrder(&a, [&](const TreeNode& n, std::int32_t depth) {
    seen += n.Text() + ":" + std::to_string(depth) + " ";
  });
  EXPECT_EQ(seen, "a:0 a1:1 a11:2 b:0 b1:1 c:0 ");

  // A chain far deeper than any stack would take in recursion.
  TreeView deep;
  TreeNode* last = &deep.Add(nullptr, 0, "root", "0");
  for (int i = 1; i < 200000; ++i) last = &deep.Add(last, 4, "", "");
  std::int32_t deepest = 0, count = 0;
  widgets::VisitPreOrder(&deep.Item(1), [&](const TreeNode&, std::int32_t depth) {
    deepest = depth;
    ++count;
  });
  EXPECT_EQ(count, 200000);
  EXPECT_EQ(deepest, 199999);
  deep.Remove(deep.Item(2));
  EXPECT_EQ(deep.Count(), 1);
  EXPECT_EQ(deep.Item(1).Children(), 0);
}

TEST(TreeView, SelectionAndDropHighlightGoWithTheNodesRemovedAndEnsureVisibleOpensTheWay) {
  TreeView tree;
  TreeNode& r = tree.Add(nullptr, 0, "root", "r");
  TreeNode& a = tree.Add(&r, 4, "", "a");
  TreeNode& a1 = tree.Add(&a, 4, "", "a1");
  TreeNode& b = tree.Add(&r, 4, "", "b");
  tree.EnsureVisible(a1);
  EXPECT_TRUE(r.Expanded());
  EXPECT_TRUE(a.Expanded());
  EXPECT_FALSE(a1.Expanded());

  tree.SetSelectedItem(&a1);
  tree.SetDropHighlight(&b);
  tree.Remove(b);
  EXPECT_EQ(tree.SelectedItem(), &a1);
  EXPECT_EQ(tree.DropHighlight(), nullptr);
  tree.Remove(a);  // a1 goes with it
  EXPECT_EQ(tree.SelectedItem(), nullptr);

  TreeView other;
  TreeNode& stranger = other.Add(nullptr, 0, "x", "x");
  tree.SetSelectedItem(&stranger);  // a node of another tree is no choice
  EXPECT_EQ(tree.SelectedItem(), nullptr);
}
