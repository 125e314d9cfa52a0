// Configuration files on a real disk, through the system's own file calls.
#include <gtest/gtest.h>

#include <string>

#include "base/tests/testing.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"
#include "widgets/TreeView.h"
#include "widgets/tests/TreeShape.h"

using config::DiskFile;
using testing_support::ErrorNumberOf;

TEST(DiskFile, OpenFailuresCarryTheFileErrors) {
  testing_support::TempDir dir;
  EXPECT_EQ(ErrorNumberOf([&] { DiskFile f(dir.File("missing.cfg"), DiskFile::Mode::kRead); }),
            base::kErrFileNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { DiskFile f(dir.File("no\\such\\folder.cfg"), DiskFile::Mode::kReadWrite); }),
            base::kErrPathNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { DiskFile f(dir.Path(), DiskFile::Mode::kReadWrite); }), base::kErrPathFileAccess);
}

TEST(DiskFile, AConfigurationSavesAndLoadsThroughTheDisk) {
  testing_support::TempDir dir;
  const std::string path = dir.File("Default.cfg");
  const config::clsCorvaneDataTools tools;
  widgets::TreeView tree, temp;
  auto& root = config_test::AddNode(tree, nullptr, config_test::Item(config::clsCorvaneData::TypeRoot, "My Menu"));
  config_test::AddNode(tree, &root, config_test::Item(config::clsCorvaneData::TypeFile, "Notes", "C:\\notes.txt"));
  {
    DiskFile file(path, DiskFile::Mode::kReadWrite);  // created
    EXPECT_EQ(file.Length(), 0);
    EXPECT_EQ(tools.File_WriteConfig(file, tree, temp), 1);
  }
  const std::string written = testing_support::ReadFileBytes(path);
  EXPECT_EQ(config_test::RecordTexts(written).size(), 7u);

  DiskFile file(path, DiskFile::Mode::kRead);
  EXPECT_EQ(file.Length(), static_cast<std::int64_t>(written.size()));
  widgets::TreeView loaded;
  std::string error;
  ASSERT_TRUE(tools.TVW_ReadConfig(loaded, file, error, false)) << error;
  EXPECT_EQ(testing_support::Shape(loaded), "My Menu[Notes]");
  // Past the end, a read is the end-of-file error.
  EXPECT_EQ(ErrorNumberOf([&] { tools.File_ReadString(file); }), base::kErrPastEnd);
  file.Close();

  // Opened for writing, the file is not truncated: a shorter save keeps the tail.
  {
    DiskFile again(path, DiskFile::Mode::kReadWrite);
    again.Write("1234");
  }
  EXPECT_EQ(testing_support::ReadFileBytes(path), "1234" + written.substr(4));
}
