#include "designer/TreeEditing.h"

#include <gtest/gtest.h>

#include "config/clsCorvaneDataTools.h"
#include "widgets/TreeView.h"

using namespace designer;
using config::clsCorvaneData;
using widgets::TreeNode;

namespace {

// A small configuration: root > [Docs (folder), Tools (popup) > [Edit (file),
// Sub (popup) > [Deep (file)]], Notes (file)].
struct Sample {
  Sample() {
    root = &Add(clsCorvaneData::TypeRoot, "Corvane", nullptr, 0);
    docs = &Add(clsCorvaneData::TypeFolder, "Docs", root, widgets::tvwChild);
    tools = &Add(clsCorvaneData::TypePopupMenu, "Tools", root, widgets::tvwChild);
    edit = &Add(clsCorvaneData::TypeFile, "Edit", tools, widgets::tvwChild);
    sub = &Add(clsCorvaneData::TypePopupMenu, "Sub", tools, widgets::tvwChild);
    deep = &Add(clsCorvaneData::TypeFile, "Deep", sub, widgets::tvwChild);
    notes = &Add(clsCorvaneData::TypeFile, "Notes", root, widgets::tvwChild);
  }

  TreeNode& Add(std::int32_t type, const std::string& caption, TreeNode* relative, std::int32_t relationship) {
    auto item = std::make_shared<clsCorvaneData>();
    item->m_lType = type;
    item->SetCaption(caption);
    return config::g_oDataTools().TVW_Add(tree, item, relative, relationship, nullptr);
  }

  // The tree as text: each node's text, children in brackets.
  static std::string Shape(const TreeNode* first) {
    std::string s;
    for (const TreeNode* n = first; n; n = n->Next()) {
      if (!s.empty()) s += " ";
      s += n->Text();
      if (n->Child()) s += "[" + Shape(n->Child()) + "]";
    }
    return s;
  }
  std::string Shape() const { return Shape(root); }

  widgets::TreeView tree;
  TreeNode *root, *docs, *tools, *edit, *sub, *deep, *notes;
};

class TreeEditing : public ::testing::Test, public Sample {};

TEST_F(TreeEditing, AddPlacementGoesIntoContainersAndAfterEverythingElse) {
  struct Row {
    const char* what;
    TreeNode* Sample::*selected;
    bool ctrl;
    std::int32_t relationship;
  } rows[] = {
      {"root", &Sample::root, false, widgets::tvwChild},
      {"root with Ctrl", &Sample::root, true, widgets::tvwChild},
      {"popup", &Sample::tools, false, widgets::tvwChild},
      {"popup with Ctrl", &Sample::tools, true, widgets::tvwNext},
      {"file", &Sample::notes, false, widgets::tvwNext},
      {"folder with Ctrl", &Sample::docs, true, widgets::tvwNext},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Placement p = AddPlacement(*(this->*row.selected), row.ctrl);
    EXPECT_EQ(p.relative, this->*row.selected);
    EXPECT_EQ(p.relationship, row.relationship);
  }
}

TEST_F(TreeEditing, CtrlDropOnTheRootGoesFirstOrIntoAnEmptyRoot) {
  Placement p = DropPlacement(*root, true);
  EXPECT_EQ(p.relative, docs);
  EXPECT_EQ(p.relationship, widgets::tvwPrevious);
  widgets::TreeView empty;
  auto item = std::make_shared<clsCorvaneData>();
  TreeNode& lone = config::g_oDataTools().TVW_Add(empty, item, nullptr, 0, nullptr);
  p = DropPlacement(lone, true);
  EXPECT_EQ(p.relative, &lone);
  EXPECT_EQ(p.relationship, widgets::tvwChild);
}

TEST_F(TreeEditing, RemoveQuestionNamesTheKind) {
  EXPECT_EQ(RemoveQuestion(*docs), "Are you sure you want to remove the folder 'Docs' from the menu?");
  EXPECT_EQ(RemoveQuestion(*tools),
            "Are you sure you want to remove the popup menu 'Tools' and all of it's children from the menu?");
  EXPECT_EQ(RemoveQuestion(*deep), "Are you sure you want to remove the file 'Deep' from the menu?");
  TreeNode& sep = Add(clsCorvaneData::TypeSeparator, "", root, widgets::tvwChild);
  EXPECT_EQ(RemoveQuestion(sep), "Are you sure you want to remove the separator from the menu?");
  TreeNode& empty = Add(clsCorvaneData::TypePopupMenu, "Empty", root, widgets::tvwChild);
  EXPECT_EQ(RemoveQuestion(empty), "Are you sure you want to remove the popup menu 'Empty' from the menu?");
}

TEST_F(TreeEditing, SelectionAfterRemovalPrefersThePreviousSibling) {
  EXPECT_EQ(SelectionAfterRemoval(*notes), tools);
  EXPECT_EQ(SelectionAfterRemoval(*edit), sub);
  EXPECT_EQ(SelectionAfterRemoval(*deep), sub);
}

TEST_F(TreeEditing, StatusTextCountsTheRootAndPopups) {
  const auto& t = config::g_oDataTools();
  EXPECT_EQ(StatusText(*root), t.GetDesignerDescription(*config::NodeItem(*root)) +
                                   " ... Children 3, Total entries 6, Total folders/files 4");
  EXPECT_EQ(StatusText(*tools), t.GetDesignerDescription(*config::NodeItem(*tools)) + " ... Children 2");
  EXPECT_EQ(StatusText(*notes), t.GetDesignerDescription(*config::NodeItem(*notes)));
}

TEST_F(TreeEditing, MoveRefusesNoTargetItselfAndDescendants) {
  TreeNode* moved = nullptr;
  EXPECT_EQ(MoveNode(tree, *tools, nullptr, false, &moved, nullptr), MoveResult::NoTarget);
  EXPECT_EQ(MoveNode(tree, *tools, tools, false, &moved, nullptr), MoveResult::OntoItself);
  EXPECT_EQ(MoveNode(tree, *tools, deep, false, &moved, nullptr), MoveResult::IntoDescendant);
  EXPECT_EQ(moved, nullptr);
  EXPECT_EQ(Shape(), "Corvane[Docs Tools[Edit Sub[Deep]] Notes]");
}

TEST_F(TreeEditing, MoveCarriesTheSubtreeByThePlacementRule) {
  struct Row {
    const char* what;
    TreeNode* Sample::*dragged;
    TreeNode* Sample::*target;
    bool ctrl;
    const char* shape;
  } rows[] = {
      {"folder into a popup", &Sample::docs, &Sample::sub, false,
       "Corvane[Tools[Edit Sub[Deep Docs]] Notes]"},
      {"popup after a file", &Sample::tools, &Sample::notes, false,
       "Corvane[Docs Notes Tools[Edit Sub[Deep]]]"},
      {"Ctrl onto the root: first", &Sample::notes, &Sample::root, true,
       "Corvane[Notes Docs Tools[Edit Sub[Deep]]]"},
      {"popup into the root: last", &Sample::sub, &Sample::root, false,
       "Corvane[Docs Tools[Edit] Notes Sub[Deep]]"},
      {"first child, Ctrl onto the root: stays first", &Sample::docs, &Sample::root, true,
       "Corvane[Docs Tools[Edit Sub[Deep]] Notes]"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Sample fresh;
    TreeNode* selected = fresh.deep;
    TreeNode* moved = nullptr;
    ASSERT_EQ(MoveNode(fresh.tree, *(fresh.*row.dragged), fresh.*row.target, row.ctrl, &moved, &selected),
              MoveResult::Moved);
    EXPECT_EQ(fresh.Shape(), row.shape);
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->Text(), "Deep");  // the selection follows its node into the new place
    EXPECT_EQ(fresh.tree.Count(), 7);
  }
}

}  // namespace
