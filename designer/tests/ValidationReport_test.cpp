// The validation report's text around the per-item lines.
#include "designer/ValidationReport.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/tests/testing.h"
#include "config/clsCorvaneData.h"
#include "widgets/TreeView.h"

using config::clsCorvaneData;

namespace {

std::shared_ptr<clsCorvaneData> Item(std::int32_t type, const std::string& caption, const std::string& location = "") {
  auto item = std::make_shared<clsCorvaneData>();
  item->m_lType = type;
  item->SetCaption(caption);
  item->SetLocation(location);
  return item;
}

const std::string kHead = "Summary Information\r-------------------\r\r";
const std::string kColumns = "Status   Description\r------   ------------------------------\r";

}  // namespace

TEST(ValidationReport, SummaryAndHeadingStandAboveTheLinesWithTheCountAsAPlainNumber) {
  struct Case {
    std::string lines;
    std::int32_t errors;
    std::string count;
  } cases[] = {
      {"", 0, "0"},
      {"OK       Root\r", 0, "0"},
      {"ERROR    A\rERROR    B\r", 12345, "12345"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(designer::ValidationReportText(c.lines, c.errors),
              kHead + "Errors Found: " + c.count + "\r\r\r" + kColumns + c.lines);
  }
}

TEST(ValidationReport, ChecksTheWholeTreeFromItsRoot) {
  testing_support::TempDir dir;
  widgets::TreeView tree;
  // A new configuration: the root alone, no errors.
  widgets::TreeNode& root = tree.Add(nullptr, widgets::tvwFirst, "root", "Corvane");
  root.SetTag(Item(clsCorvaneData::TypeRoot, "Corvane"));
  EXPECT_EQ(designer::BuildValidationReport(tree), kHead + "Errors Found: 0\r\r\r" + kColumns + "OK       Corvane\r");

  widgets::TreeNode& popup = tree.Add(&root, widgets::tvwChild, "", "More");
  popup.SetTag(Item(clsCorvaneData::TypePopupMenu, "More"));
  tree.Add(&popup, widgets::tvwChild, "", "Gone").SetTag(Item(clsCorvaneData::TypeFolder, "Gone", dir.File("gone")));
  tree.Add(&root, widgets::tvwChild, "", "Here").SetTag(Item(clsCorvaneData::TypeFolder, "Here", dir.Path()));
  const std::string report = designer::BuildValidationReport(tree);
  EXPECT_NE(report.find("Errors Found: 1\r"), std::string::npos);
  EXPECT_NE(report.find("ERROR    " + std::string(6, ' ') + "Gone"), std::string::npos) << report;
  EXPECT_LT(report.find("Gone"), report.find("Here"));  // tree order

  // No root at all: the summary alone.
  widgets::TreeView empty;
  EXPECT_EQ(designer::BuildValidationReport(empty), kHead + "Errors Found: 0\r\r\r" + kColumns);
}
