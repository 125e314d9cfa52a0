// The shell's pictures and special-folder names in Designer's tree.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/tests/gui_counts.h"
#include "base/tests/testing.h"
#include "common/SpecialFolders.h"
#include "config/BinaryFile.h"
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

// The shell's number of a location's icon in its system image list.
int ShellIconIndex(const std::string& location) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(location.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) return -1;
  return info.iIcon;
}

// The pixels of picture `index` (0-based) of an image list, drawn on white.
std::vector<DWORD> PixelsOf(HIMAGELIST list, int index) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  base::UniqueHBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  base::UniqueHdc dc(CreateCompatibleDC(nullptr));
  {
    base::SelectObjectScope select(dc.get(), bitmap.get());
    RECT r{0, 0, 16, 16};
    FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list, index, dc.get(), 0, 0, ILD_NORMAL);
  }
  const auto* p = static_cast<const DWORD*>(bits);
  return std::vector<DWORD>(p, p + 16 * 16);
}

// The shell's icon of a location as a list of its own would hold it.
std::vector<DWORD> ShellPixels(const std::string& location) {
  SHFILEINFOA info{};
  SHGetFileInfoA(location.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
  base::UniqueHIcon icon(info.hIcon);
  widgets::ImageList own;
  own.Add("", icon.get());
  return PixelsOf(own.Handle(), 0);
}

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

}  // namespace

TEST(TreeIcons, OnePicturePerIconEachTheShellsOwn) {
  testing_support::TempDir dir;
  CreateDirectoryA(dir.File("sub").c_str(), nullptr);
  for (const char* name : {"notes.txt", "other.TXT", "setup.ini", "plain"})
    testing_support::WriteFileBytes(dir.File(name), "x");
  // Folders, files of a kind, files without one, programs with icons of
  // their own, and a location seen again.
  const std::vector<std::string> locations = {dir.Path(),
                                              dir.File("sub"),
                                              dir.File("notes.txt"),
                                              dir.File("other.TXT"),
                                              dir.File("setup.ini"),
                                              dir.File("plain"),
                                              WindowsFile("notepad.exe"),
                                              WindowsFile("regedit.exe"),
                                              dir.File("notes.txt"),
                                              WindowsFile("notepad.exe")};
  PicturedTree t;
  std::vector<std::string> keys;
  std::vector<int> shell;
  for (const std::string& location : locations) {
    keys.push_back(kTools.TVW_AddIcon(t.tree, location));
    shell.push_back(ShellIconIndex(location));
    ASSERT_NE(shell.back(), -1) << location;
    ASSERT_NE(keys.back(), "error") << location;
  }
  EXPECT_EQ(keys[0], "image_7");  // the first picture added
  // Two locations share a picture exactly when the shell gives them one icon.
  std::set<int> distinct;
  for (size_t i = 0; i < locations.size(); ++i) {
    distinct.insert(shell[i]);
    for (size_t j = 0; j < i; ++j)
      EXPECT_EQ(keys[i] == keys[j], shell[i] == shell[j]) << locations[i] << " and " << locations[j];
    EXPECT_EQ(PixelsOf(t.images.Handle(), t.images.IndexOf(keys[i]) - 1), ShellPixels(locations[i])) << locations[i];
  }
  EXPECT_NE(keys[0], keys[2]);  // a folder is not a text file
  EXPECT_EQ(t.images.Count(), 7 + static_cast<int>(distinct.size()));
  EXPECT_EQ(ImageList_GetImageCount(t.images.Handle()), t.images.Count());

  // A new configuration's list starts again.
  PicturedTree fresh;
  EXPECT_EQ(kTools.TVW_AddIcon(fresh.tree, dir.File("notes.txt")), "image_7");
}

TEST(TreeIcons, LoadingAgainAndAgainHoldsNoFurtherGdiObjects) {
  testing_support::TempDir dir;
  widgets::TreeView source;
  widgets::TreeNode& root = config_test::AddNode(source, nullptr, config_test::Item(clsCorvaneData::TypeRoot, "r"));
  for (int i = 0; i < 40; ++i) {
    const std::string file = dir.File("f" + std::to_string(i) + (i % 2 ? ".txt" : ".log"));
    testing_support::WriteFileBytes(file, "x");
    config_test::AddNode(source, &root, config_test::Item(clsCorvaneData::TypeFile, "f", file));
  }
  config_test::AddNode(source, &root, config_test::Item(clsCorvaneData::TypeFolder, "d", dir.Path()));
  config::MemoryFile bytes;
  widgets::TreeView scratch;
  kTools.File_WriteConfig(bytes, source, scratch);
  auto openAndClose = [&] {
    PicturedTree t;
    config::MemoryFile file(bytes.Bytes());
    std::string error;
    ASSERT_TRUE(kTools.TVW_ReadConfig(t.tree, file, error, false)) << error;
    ASSERT_EQ(t.tree.Count(), 42);
    EXPECT_LE(t.images.Count(), 7 + 3);
  };
  testing_support::SettleGdi(openAndClose);
  const long before = testing_support::GdiObjects();
  for (int i = 0; i < 5; ++i) openAndClose();
  EXPECT_EQ(testing_support::GdiObjects(), before);
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
