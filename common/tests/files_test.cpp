// The existence tests against real files and folders, natively and on
// Windows.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/tests/testing.h"
#include "common/tools.h"

using common::DirectoryExists;
using common::FileExists;
using testing_support::TempDir;

namespace {

#ifdef _WIN32
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif

}  // namespace

TEST(Files, FilesAndFoldersAreToldApart) {
  TempDir dir;
  testing_support::WriteFileBytes(dir.File("a.txt"), "x");
  testing_support::WriteFileBytes(dir.File("empty.cfg"), "");
  const std::string sub = dir.File("sub");
  ASSERT_TRUE(std::filesystem::create_directory(sub));
  testing_support::WriteFileBytes(sub + kSep + "inside.txt", "y");

  struct Case {
    std::string path;
    bool file, folder;
  } cases[] = {
      {"", false, false},
      {dir.File("a.txt"), true, false},
      {dir.File("empty.cfg"), true, false},
      {dir.File("a.txt") + kSep, false, false},
      {sub, false, true},
      {sub + kSep, false, true},  // a folder holding a file is still no file
      {dir.File("missing"), false, false},
      {dir.File("missing") + kSep, false, false},
      {dir.File("*.txt"), true, false},  // wildcards match files
      {dir.File("*.none"), false, false},
      {dir.File("su*"), false, false},   // ... and never folders
      {dir.File("?.txt"), true, false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.path);
    EXPECT_EQ(FileExists(k.path), k.file);
    EXPECT_EQ(DirectoryExists(k.path), k.folder);
  }
}
