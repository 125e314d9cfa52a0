#include <gtest/gtest.h>

#include <set>

#include "common/clsGUID.h"
#include "common/clsProcessing.h"

TEST(GUID, NewIdentifiersInTheirTextForm) {
  common::clsGUID g;
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) {
    std::string id = g.Create();
    ASSERT_EQ(id.size(), 38u) << id;
    EXPECT_EQ(id.front(), '{');
    EXPECT_EQ(id.back(), '}');
    for (size_t k = 1; k < 37; ++k) {
      if (k == 9 || k == 14 || k == 19 || k == 24)
        EXPECT_EQ(id[k], '-') << id;
      else
        EXPECT_TRUE((id[k] >= '0' && id[k] <= '9') || (id[k] >= 'A' && id[k] <= 'F')) << id;
    }
    seen.insert(id);
  }
  EXPECT_EQ(seen.size(), 20u);
}

TEST(Processing, CountsAndNeverGoesBelowZero) {
  common::clsProcessing busy;
  EXPECT_FALSE(busy.IsProcessing());
  busy.Pop();
  EXPECT_EQ(busy.Level(), 0);
  EXPECT_FALSE(busy.IsProcessing());
  busy.Push();
  busy.Push();
  busy.Pop();
  EXPECT_TRUE(busy.IsProcessing());
  busy.Push();
  busy.Reset();
  EXPECT_FALSE(busy.IsProcessing());
  busy.SetLevel(-3);  // plain access
  EXPECT_TRUE(busy.IsProcessing());
}
