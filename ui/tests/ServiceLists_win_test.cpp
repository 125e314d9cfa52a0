// The lists of running programs and special folders, from the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/text.h"
#include "common/SpecialFolders.h"
#include "common/clsProcess.h"
#include "ui/ServiceLists.h"

namespace {

std::string OwnPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace

TEST(ServiceLists, SpecialFoldersFillAListRowAndSelectOne) {
  sui::Control grid(sui::Style::Grid);
  sui::ItemPtr row = grid.items().add(0, "folder", "Windows Special", sui::kKindList);
  row->subItems().add(0, "stale", "stale", sui::kKindEntry);
  sui::ItemPtr selected = ui::FillSpecialFolderList(nullptr, *row, 5, sui::kKindEntry);
  ASSERT_TRUE(selected);
  EXPECT_EQ(selected->key(), "5");
  EXPECT_EQ(row->value().ToString(), selected->caption());
  EXPECT_EQ(row->tag().ToLong(), 5);
  EXPECT_EQ(static_cast<size_t>(row->subItems().count()), common::ListSpecialFolders(nullptr).size());
  std::set<std::string> keys;
  std::string previous;
  for (const sui::ItemPtr& entry : row->subItems()) {
    EXPECT_TRUE(keys.insert(entry->key()).second);
    EXPECT_EQ(entry->caption(), common::GetSpecialFolderName(nullptr, std::stoi(entry->key()), true));
    EXPECT_EQ(entry->kind(), sui::kKindEntry);
    EXPECT_LE(base::LCase(previous), base::LCase(entry->caption()));  // sorted by caption
    previous = entry->caption();
  }
  EXPECT_EQ(keys.count("stale"), 0u);

  sui::ItemPtr other = grid.items().add(0, "other", "Other", sui::kKindList);
  EXPECT_FALSE(ui::FillSpecialFolderList(nullptr, *other, 0, sui::kKindEntry));  // 0 is never listed
  EXPECT_TRUE(other->value().IsEmpty());
}

TEST(ServiceLists, TheRunningProgramsFillAGridList) {
  sui::Control grid(sui::Style::Grid);
  sui::ItemPtr row = grid.items().add(0, "exe", "Program", sui::kKindList);
  row->subItems().add(0, "", "stale entry", sui::kKindEntry);
  common::clsProcess p;
  ui::AddExeListToSmartUI(p, *row);
  // Other test programs come and go meanwhile: the list is checked by its
  // entries, not against a second reading.
  ASSERT_GE(row->subItems().count(), 1);
  bool own = false;
  std::string previous;
  for (const sui::ItemPtr& e : row->subItems()) {
    EXPECT_EQ(e->kind(), sui::kKindEntry);
    EXPECT_NE(e->caption(), "stale entry");
    EXPECT_LE(base::LCase(previous), base::LCase(e->caption()));  // the list's order
    previous = e->caption();
    own = own || base::EqualsNoCase(e->caption(), OwnPath());
  }
  EXPECT_TRUE(own);
}
