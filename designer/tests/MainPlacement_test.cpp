#include "designer/MainPlacement.h"

#include <gtest/gtest.h>

using namespace designer;

namespace {

const std::vector<PixelRect> kTwoScreens = {{0, 0, 1024, 738}, {-1280, -200, 0, 824}};

TEST(MainPlacement, SavesTheNormalRectangleInTwipsWhateverTheState) {
  const PixelRect normal{100, 50, 700, 550};
  struct Row {
    bool minimised, maximised;
    std::int32_t state;
  } rows[] = {{false, false, kStateNormal}, {true, false, kStateMinimised}, {false, true, kStateMaximised}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.state);
    EXPECT_EQ(PlacementToStore(normal, row.minimised, row.maximised, 15, 15),
              (StoredPlacement{row.state, 750, 1500, 9000, 7500}));
  }
}

TEST(MainPlacement, OnlyMaximisedIsRestoredAsItWas) {
  EXPECT_EQ(RestoredState(kStateNormal), kStateNormal);
  EXPECT_EQ(RestoredState(kStateMinimised), kStateNormal);
  EXPECT_EQ(RestoredState(kStateMaximised), kStateMaximised);
  EXPECT_EQ(RestoredState(-7), kStateNormal);
}

TEST(MainPlacement, KeepsTheRectangleOnAScreenThatExists) {
  struct Row {
    const char* what;
    StoredPlacement stored;
    PixelRect expected;
  } rows[] = {
      {"on the primary screen", {0, 1500, 1500, 9000, 7500}, {100, 100, 700, 600}},
      {"on the left-hand screen, negative", {0, -1500, -15000, 9000, 7500}, {-1000, -100, -400, 400}},
      {"half off the right edge", {0, 0, 12000, 9000, 7500}, {424, 0, 1024, 500}},
      {"where no screen is any more", {0, 60000, 60000, 9000, 7500}, {424, 238, 1024, 738}},
      {"larger than the screen", {0, 0, 0, 30000, 30000}, {0, 0, 1024, 738}},
      {"too small", {0, 0, 0, 100, 100}, {0, 0, 400, 400}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(KeepOnScreen(row.stored, kTwoScreens, 15, 15), row.expected);
  }
}

}  // namespace
