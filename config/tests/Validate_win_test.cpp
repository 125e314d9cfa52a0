#include <windows.h>

#include <gtest/gtest.h>

#include "base/tests/testing.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"
#include "widgets/TreeView.h"

using config::clsCorvaneData;

TEST(Validate, HiddenFilesAndWildcardsCountAsFiles) {
  testing_support::TempDir dir;
  const std::string hidden = dir.File("hidden.txt");
  testing_support::WriteFileBytes(hidden, "x");
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  widgets::TreeView tree;
  auto& root = config_test::AddNode(tree, nullptr, config_test::Item(clsCorvaneData::TypeRoot, "r"));
  config_test::AddNode(tree, &root, config_test::Item(clsCorvaneData::TypeFile, "h", hidden));
  config_test::AddNode(tree, &root, config_test::Item(clsCorvaneData::TypeFile, "w", dir.File("*.txt")));
  config_test::AddNode(tree, &root, config_test::Item(clsCorvaneData::TypeFile, "n", dir.File("*.doc")));
  std::string report;
  std::int32_t errors = 0;
  config::clsCorvaneDataTools().Validate(&root, report, errors);
  EXPECT_EQ(errors, 1) << report;
  EXPECT_EQ(report.find("ERROR"), report.find("ERROR    " + std::string(3, ' ') + "n"));
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}
