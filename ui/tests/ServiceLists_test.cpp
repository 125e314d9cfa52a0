#include "ui/ServiceLists.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

TEST(ServiceLists, MatchOptionsFillAGridList) {
  sui::Control grid(sui::Style::Grid);
  sui::ItemPtr row = grid.items().add(0, "match", "Match", sui::kKindList);
  for (int fill = 0; fill < 2; ++fill) ui::AddMatchOptions(*row);  // a refill replaces
  ASSERT_EQ(row->subItems().count(), 4);
  const std::pair<const char*, std::int32_t> want[] = {
      {"(None)", 0}, {"Partial", 1}, {"Exact", 2}, {"Anywhere", 4}};
  for (int i = 0; i < 4; ++i) {
    sui::ItemPtr e = row->subItems().at(i + 1);
    EXPECT_EQ(e->caption(), want[i].first);
    EXPECT_EQ(e->kind(), sui::kKindEntry);
    EXPECT_EQ(e->tag().ToLong(), want[i].second);
  }
}
