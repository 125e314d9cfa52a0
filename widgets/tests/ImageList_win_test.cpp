#include "widgets/ImageList.h"

#include <gtest/gtest.h>

#include "base/tests/testing.h"
#include "widgets/TreeView.h"

TEST(ImageList, KeepsCopiesOfIconsUnderKeys) {
  widgets::ImageList images;
  HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(images.Add("menu", icon), 1);
  EXPECT_EQ(images.Add("folder_open", icon), 2);
  EXPECT_EQ(images.Count(), 2);
  EXPECT_EQ(ImageList_GetImageCount(images.Handle()), 2);
  EXPECT_EQ(images.IndexOf("FOLDER_OPEN"), 2);
  EXPECT_EQ(images.IndexOf("none"), 0);
  EXPECT_EQ(images.Key(1), "menu");
  // A source names a picture for whoever has the same source; it keeps the first.
  EXPECT_EQ(images.IndexOfSource("shell:3"), 0);
  images.SetSource("shell:3", 2);
  images.SetSource("shell:3", 1);
  EXPECT_EQ(images.IndexOfSource("shell:3"), 2);
  EXPECT_EQ(images.IndexOfSource("SHELL:3"), 0);
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { images.SetSource("x", 3); }), widgets::kErrTreeIndex);
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images.Handle(), &cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
}

TEST(ImageList, RefusesADuplicateKeyOrNoIcon) {
  widgets::ImageList images;
  HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  images.Add("a", icon);
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { images.Add("A", icon); }), widgets::kErrTreeKeyInUse);
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { images.Add("b", nullptr); }), base::kErrInvalidCall);
  EXPECT_EQ(images.Count(), 1);
  EXPECT_EQ(ImageList_GetImageCount(images.Handle()), 1);
}
