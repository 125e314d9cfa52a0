// Validation against real folders and files in a temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "base/tests/testing.h"
#include "common/SpecialFolders.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"
#include "widgets/TreeView.h"

using config::clsCorvaneData;
using config_test::AddNode;
using config_test::Item;
using widgets::TreeNode;

namespace {

const config::clsCorvaneDataTools kTools;

std::string Line(const std::string& status, int indent, const std::string& description) {
  std::string padded = status;
  padded.resize(9, ' ');
  return padded + std::string(static_cast<size_t>(indent), ' ') + description + "\r";
}

}  // namespace

TEST(Validate, ReportsEveryNodeInTreeOrderAndCountsWhatIsMissing) {
  testing_support::TempDir dir;
  const std::string file = dir.File("notes.txt");
  testing_support::WriteFileBytes(file, "x");
  const std::string missing = dir.File("missing");

  widgets::TreeView tree;
  TreeNode& root = AddNode(tree, nullptr, Item(clsCorvaneData::TypeRoot, "My Menu"));
  AddNode(tree, &root, Item(clsCorvaneData::TypeFolder, "Here", dir.Path()));
  AddNode(tree, &root, Item(clsCorvaneData::TypeFolder, "Gone", missing));
  auto special = Item(clsCorvaneData::TypeFolder, "");
  special->m_lOptions = clsCorvaneData::OptionsCSIDL;
  special->SetFolderCSIDL(15);  // no such folder: still never an error
  AddNode(tree, &root, special);
  TreeNode& popup = AddNode(tree, &root, Item(clsCorvaneData::TypePopupMenu, "More"));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeFile, "Notes", file));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeFile, "A folder", dir.Path()));  // files only
  AddNode(tree, &popup, Item(clsCorvaneData::TypeSeparator, ""));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeCustomAction, "Act"));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeSelectionTask, "Task", missing));
  AddNode(tree, &root, Item(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.Path()));
  AddNode(tree, &root, Item(clsCorvaneData::TypeCopyToX, "Copy", ""));  // an empty location fails

  std::string report;
  std::int32_t errors = 0;
  const std::string result = kTools.Validate(&root, report, errors);
  const std::string tab = "\t  - ";
  const std::string expected = Line("OK", 0, "My Menu") + Line("OK", 3, "Here" + tab + dir.Path()) +
                               Line("ERROR", 3, "Gone" + tab + missing) +
                               Line("OK", 3, common::GetSpecialFolderName(nullptr, 15, true)) + Line("OK", 3, "More") +
                               Line("OK", 6, "Notes" + tab + file) + Line("ERROR", 6, "A folder" + tab + dir.Path()) +
                               Line("OK", 6, "-") + Line("OK", 6, "Act") + Line("OK", 6, "Task") +
                               Line("OK", 3, "Dyn" + tab + dir.Path()) + Line("ERROR", 3, "Copy" + tab);
  EXPECT_EQ(result, expected);
  EXPECT_EQ(report, expected);
  EXPECT_EQ(errors, 3);

  // From a node further down, the lines carry that node's depth; the count
  // and the report go on from what they were given.
  std::int32_t more = 10;
  std::string text = "before\r";
  kTools.Validate(popup.Child(), text, more);
  EXPECT_EQ(more, 11);
  EXPECT_EQ(text.substr(0, 7 + 9 + 6), "before\rOK       " + std::string(6, ' '));
}

TEST(Validate, ARootAloneIsOneLine) {
  widgets::TreeView tree;
  TreeNode& root = AddNode(tree, nullptr, Item(clsCorvaneData::TypeRoot, "Root"));
  std::string report;
  std::int32_t errors = 0;
  EXPECT_EQ(kTools.Validate(&root, report, errors), "OK       Root\r");
  EXPECT_EQ(errors, 0);
}
