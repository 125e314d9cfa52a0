// Loading and merging files into Designer's tree, copying it for the
// writer, counting commands, and the nodes TVW_Add makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/tests/testing.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"
#include "widgets/TreeView.h"
#include "widgets/tests/TreeShape.h"

using config::clsCorvaneData;
using config::MemoryFile;
using config_test::AddNode;
using config_test::FileOf;
using config_test::Item;
using testing_support::Shape;
using widgets::TreeNode;
using widgets::TreeView;

namespace {

const config::clsCorvaneDataTools kTools;

// The tree Designer is editing: a root with one folder.
void Existing(TreeView& tree) {
  kTools.TVW_Add(tree, Item(clsCorvaneData::TypeRoot, "Mine"), nullptr, 0, nullptr);
  kTools.TVW_Add(tree, Item(clsCorvaneData::TypePopupMenu, "old"), &tree.Item(1), 4, nullptr);
}

bool Read(TreeView& tree, const std::string& bytes, bool merge, std::string* error = nullptr) {
  MemoryFile file(bytes);
  std::string text;
  const bool ok = kTools.TVW_ReadConfig(tree, file, text, merge);
  if (error) *error = text;
  return ok;
}

// A file of a root "Theirs" with a popup p holding q, then a separator.
const std::string kTheirs = FileOf({"1", "0,4,0", "0,0,0", "Theirs", "1,2,0", "p", "2,2,1", "q", "1,3,1"});

}  // namespace

TEST(TreeTransfer, LoadReplacesTheTreeAndExpandsTheRoot) {
  TreeView tree;
  Existing(tree);
  ASSERT_TRUE(Read(tree, kTheirs, false));
  EXPECT_EQ(Shape(tree), "Theirs[p[q] Separator]");
  EXPECT_EQ(tree.Item(1).Key(), "root");
  EXPECT_TRUE(tree.Item(1).Expanded());
  EXPECT_FALSE(tree.Item(2).Expanded());
  EXPECT_EQ(tree.Item(3).Text(), "q");  // positions are the file's group positions
}

TEST(TreeTransfer, MergeAddsTheFileUnderAPopup) {
  const struct {
    const char* what;
    std::string bytes;
    std::string shape;
  } cases[] = {
      {"a caption", kTheirs, "Mine[old MERGED - Theirs[p[q] Separator]]"},
      {"an empty caption", FileOf({"1", "0,2,0", "0,0,0", "", "1,2,1", "p"}), "Mine[old MERGED - Corvane[p]]"},
      // Further top-level items of the merged file belong to it, not to the
      // node that happens to have their position in the tree.
      {"two top-level items", FileOf({"1", "0,3,0", "0,0,0", "Theirs", "1,2,1", "p", "0,2,1", "second"}),
       "Mine[old MERGED - Theirs[p second]]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TreeView tree;
    Existing(tree);
    std::string error;
    ASSERT_TRUE(Read(tree, c.bytes, true, &error)) << error;
    EXPECT_EQ(Shape(tree), c.shape);
    const auto popup = config::NodeItem(tree.Item(3));
    EXPECT_TRUE(popup->IsTypePopupMenu());
    EXPECT_EQ(tree.Item(3).Image(), "popupmenu");
  }

  TreeView twice;
  Existing(twice);
  ASSERT_TRUE(Read(twice, kTheirs, true));
  ASSERT_TRUE(Read(twice, kTheirs, true));
  EXPECT_EQ(Shape(twice), "Mine[old MERGED - Theirs[p[q] Separator] MERGED - Theirs[p[q] Separator]]");
}

TEST(TreeTransfer, AFailedMergeLeavesTheTreeAsItWas) {
  const struct {
    const char* what;
    std::string bytes;
    bool ok;
  } cases[] = {
      {"a bad version", FileOf({"2", "0,1,0", "0,0,0", "x"}), false},
      {"a bad item header late in the file", FileOf({"1", "0,4,0", "0,0,0", "T", "1,2,0", "p", "2,2,1", "q", "9,3"}),
       false},
      {"a parent that is not earlier", FileOf({"1", "0,3,0", "0,0,0", "T", "1,2,0", "p", "3,2,1", "q"}), false},
      {"options that are no number", FileOf({"1", "0,2,0", "0,0,0", "T", "1,10,0", "D:\\", "d", "x"}), false},
      {"nothing after the header", FileOf({"1", "0,1,0"}), true},  // read as far as it goes: nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TreeView tree;
    Existing(tree);
    tree.Item(1).SetExpanded(false);
    std::string error;
    EXPECT_EQ(Read(tree, c.bytes, true, &error), c.ok);
    EXPECT_EQ(Shape(tree), "Mine[old]");
    EXPECT_EQ(tree.Count(), 2);
    EXPECT_FALSE(tree.Item(1).Expanded());
    EXPECT_EQ(error.empty(), c.ok);
  }
}

TEST(TreeTransfer, ALoadThatEndsAfterTheHeaderLeavesAnEmptyTree) {
  TreeView tree;
  Existing(tree);
  std::string error;
  EXPECT_FALSE(Read(tree, FileOf({"1", "0,1,0"}), false, &error));
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_EQ(error, "File is corrupt!\r\n\r\n\r\nError 62 - Input past end of file");
}

TEST(TreeTransfer, RedrawIsSwitchedOffForTheReadAndBackOnInEveryCase) {
  struct Host : widgets::TreeViewHost {
    std::vector<std::string> calls;
    void SetRedraw(bool on) override { calls.push_back(on ? "on" : "off"); }
    void Refresh() override { calls.push_back("refresh"); }
  };
  for (const std::string& bytes : {kTheirs, FileOf({"7"}), std::string("\x09")}) {
    Host host;
    TreeView tree;
    tree.SetHost(&host);
    tree.SetVisible(true);
    Read(tree, bytes, false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"off", "on", "refresh"}));
    EXPECT_TRUE(tree.Redraw());
  }
  Host hidden;
  TreeView tree;
  tree.SetHost(&hidden);
  Read(tree, kTheirs, false);
  EXPECT_TRUE(hidden.calls.empty());
}

TEST(TreeTransfer, CopyKeepsPreOrderPositionsAndSharesItems) {
  TreeView src, dest;
  // Added out of order, so that the source positions differ from pre-order.
  TreeNode& root = AddNode(src, nullptr, Item(clsCorvaneData::TypeRoot, "root"));
  TreeNode& a = AddNode(src, &root, Item(clsCorvaneData::TypePopupMenu, "A"));
  AddNode(src, &root, Item(clsCorvaneData::TypePopupMenu, "B"));
  AddNode(src, &a, Item(clsCorvaneData::TypePopupMenu, "A1"));
  AddNode(src, &a, Item(clsCorvaneData::TypePopupMenu, "A2"));
  src.Add(nullptr, widgets::tvwNext, "", "after").SetTag(Item(clsCorvaneData::TypeSeparator, ""));
  AddNode(dest, nullptr, Item(clsCorvaneData::TypeRoot, "stale"));

  kTools.TVW_Copy(src, dest);
  const std::vector<std::string> order = {"root", "A", "A1", "A2", "B", "after"};
  ASSERT_EQ(dest.Count(), 6);
  for (std::int32_t i = 1; i <= 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(dest.Item(i).Text(), order[static_cast<size_t>(i - 1)]);
  }
  EXPECT_EQ(Shape(dest), "root[A[A1 A2] B] after");
  EXPECT_EQ(dest.Item(1).Key(), "root");
  EXPECT_EQ(dest.Item(3).Tag(), src.Item(4).Tag());  // the same item object
  EXPECT_EQ(dest.Item(3).Image(), "");                // pictures are not copied

  TreeView part;
  TreeNode* last = kTools.TVW_CopyRecursive(part, a.Child(), nullptr);
  EXPECT_EQ(Shape(part), "A1 A2");
  EXPECT_EQ(last, &part.Item(2));
}

TEST(TreeTransfer, CommandCountCountsFoldersFilesDynamicFoldersAndActions) {
  TreeView tree;
  TreeNode& root = AddNode(tree, nullptr, Item(clsCorvaneData::TypeRoot, "r"));
  AddNode(tree, &root, Item(clsCorvaneData::TypeFolder, "f", "C:\\"));
  AddNode(tree, &root, Item(clsCorvaneData::TypeFile, "x", "C:\\x"));
  TreeNode& popup = AddNode(tree, &root, Item(clsCorvaneData::TypePopupMenu, "p"));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeCustomAction, "a"));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeSelectionTask, "t"));
  AddNode(tree, &root, Item(clsCorvaneData::TypeSeparator, ""));
  EXPECT_EQ(kTools.GetCommandCount(&root, 0), 3);
  EXPECT_EQ(kTools.GetCommandCount(&root, 10), 13);
  AddNode(tree, &popup, Item(clsCorvaneData::TypeDynamicFolder, "d", "C:\\"));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeCopyToX, "c", "C:\\"));
  EXPECT_EQ(kTools.GetCommandCount(&root, 0), 4);
  EXPECT_EQ(kTools.GetCommandCount(popup.Child(), 0), 2);  // from a node: it and its following siblings
}

TEST(TreeTransfer, AddGivesEachTypeItsTextAndPicture) {
  const struct {
    std::int32_t type;
    const char* text;
    const char* image;  // natively every shell picture is "error"
  } cases[] = {
      {clsCorvaneData::TypePopupMenu, "cap", "popupmenu"},
      {clsCorvaneData::TypeSeparator, "Separator", "separator"},
      {clsCorvaneData::TypeCustomAction, "cap", "customaction"},
      {clsCorvaneData::TypeSelectionTask, "cap", "selectiontask"},
      {clsCorvaneData::TypeFile, "cap", "error"},
      {clsCorvaneData::TypeFolder, "cap", "error"},
      {clsCorvaneData::TypeDynamicFolder, "cap", "error"},
      {clsCorvaneData::TypeCopyToX, "cap", "error"},
      {clsCorvaneData::TypeDesigner, "kept", "kept"},  // any other type: left as it was
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    TreeView tree;
    TreeNode& root = kTools.TVW_Add(tree, Item(clsCorvaneData::TypeRoot, "r"), nullptr, 0, nullptr);
    EXPECT_EQ(root.Key(), "root");
    EXPECT_EQ(root.Image(), "menu");
    EXPECT_FALSE(root.Expanded());
    TreeNode& existing = tree.Add(&root, 4, "", "kept");
    existing.SetImage("kept");
    auto item = Item(c.type, "cap", "");
    EXPECT_EQ(&kTools.TVW_Add(tree, item, nullptr, 0, &existing), &existing);
    EXPECT_EQ(existing.Text(), c.text);
    EXPECT_EQ(existing.Image(), c.image);
    EXPECT_EQ(existing.Tag(), item);
  }

  TreeView tree;
  TreeNode& root = kTools.TVW_Add(tree, Item(clsCorvaneData::TypeRoot, "r"), nullptr, 0, nullptr);
  TreeNode& a = kTools.TVW_Add(tree, Item(clsCorvaneData::TypePopupMenu, "a"), &root, 4, nullptr);
  EXPECT_TRUE(root.Expanded());  // a child of the first node opens it
  kTools.TVW_Add(tree, Item(clsCorvaneData::TypePopupMenu, "a1"), &a, 4, nullptr);
  kTools.TVW_Add(tree, Item(clsCorvaneData::TypePopupMenu, "b"), &a, 2, nullptr);
  EXPECT_FALSE(a.Expanded());
  EXPECT_EQ(Shape(tree), "r[a[a1] b]");
  EXPECT_EQ(testing_support::ErrorNumberOf([&] {
              kTools.TVW_Add(tree, Item(clsCorvaneData::TypeRoot, "again"), nullptr, 0, nullptr);
            }),
            widgets::kErrTreeKeyInUse);
}
