// The shell's pictures and special-folder names in Designer's tree.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/tests/testing.h"
#include "common/SpecialFolders.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"
#include "widgets/ImageList.h"
#include "widgets/TreeView.h"

using config::clsCorvaneData;

namespace {

const config::clsCorvaneDataTools kTools;

// A tree with the image list the main window gives it: the fixed pictures.
struct PicturedTree {
  widgets::ImageList images;
  widgets::TreeView tree;
  PicturedTree() {
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    for (const char* key : {"menu", "folder_open", "popupmenu", "separator", "customaction", "selectiontask", "error"})
      images.Add(key, icon);
    tree.SetImageList(&images);
  }
};

}  // namespace

TEST(TreeIcons, EveryCallAddsTheShellsIconOfAnExistingLocation) {
  testing_support::TempDir dir;
  const std::string file = dir.File("notes.txt");
  testing_support::WriteFileBytes(file, "x");
  PicturedTree t;
  EXPECT_EQ(kTools.TVW_AddIcon(t.tree, dir.Path()), "image_7");
  EXPECT_EQ(kTools.TVW_AddIcon(t.tree, file), "image_8");
  EXPECT_EQ(kTools.TVW_AddIcon(t.tree, file), "image_9");  // a location added before is added again
  EXPECT_EQ(t.images.Count(), 10);
  EXPECT_EQ(ImageList_GetImageCount(t.images.Handle()), 10);
  EXPECT_EQ(t.images.IndexOf("image_8"), 9);
}

TEST(TreeIcons, NoIconIsTheErrorPicture) {
  testing_support::TempDir dir;
  PicturedTree t;
  EXPECT_EQ(kTools.TVW_AddIcon(t.tree, dir.File("missing.txt")), "error");
  EXPECT_EQ(kTools.TVW_AddIcon(t.tree, ""), "error");
  EXPECT_EQ(t.images.Count(), 7);
  widgets::TreeView bare;  // no image list at all
  EXPECT_EQ(kTools.TVW_AddIcon(bare, dir.Path()), "error");
}

TEST(TreeIcons, NodesShowTheirPictures) {
  testing_support::TempDir dir;
  PicturedTree t;
  widgets::TreeNode& root = kTools.TVW_Add(t.tree, config_test::Item(clsCorvaneData::TypeRoot, "r"), nullptr, 0, nullptr);
  widgets::TreeNode& folder =
      kTools.TVW_Add(t.tree, config_test::Item(clsCorvaneData::TypeFolder, "Temp", dir.Path()), &root, 4, nullptr);
  EXPECT_EQ(folder.Image(), "image_7");
  EXPECT_EQ(folder.Text(), "Temp");
  widgets::TreeNode& gone = kTools.TVW_Add(
      t.tree, config_test::Item(clsCorvaneData::TypeFile, "Gone", dir.File("gone.txt")), &root, 4, nullptr);
  EXPECT_EQ(gone.Image(), "error");

  auto special = config_test::Item(clsCorvaneData::TypeFolder, "ignored");
  special->m_lOptions = clsCorvaneData::OptionsCSIDL;
  special->SetFolderCSIDL(35);
  widgets::TreeNode& node = kTools.TVW_Add(t.tree, special, &root, 4, nullptr);
  EXPECT_EQ(node.Text(), common::GetSpecialFolderName(nullptr, 35, true));
  EXPECT_EQ(node.Text().rfind("Common ", 0), 0u);
  EXPECT_GT(node.Text().size(), 7u);
  EXPECT_EQ(node.Image(), "folder_open");
}
