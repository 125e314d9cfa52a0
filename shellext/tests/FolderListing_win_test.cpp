// A real folder listed the way a dynamic folder lists it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/tests/testing.h"
#include "shellext/FolderListing.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFileBytes;

std::vector<std::string> Names(const std::vector<shellext::FolderEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name + (e.directory ? "\\" : ""));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DynamicFolderListing, ListsARealFolderAndStopsWhenToldTo) {
  TempDir dir;
  for (const char* name : {"a.txt", "B.LOG", "c.doc", "Tom & Jerry.txt", "x[1].txt"})
    WriteFileBytes(dir.File(name), "x");
  ASSERT_TRUE(CreateDirectoryA(dir.File("Sub").c_str(), nullptr));
  SetFileAttributesA(dir.File("c.doc").c_str(), FILE_ATTRIBUTE_HIDDEN);  // listed like the others
  const std::string folder = shellext::DynamicFolderPath(dir.Path());

  EXPECT_EQ(Names(shellext::ListDynamicFolder(folder, "", nullptr)),
            (std::vector<std::string>{"B.LOG", "Sub\\", "Tom & Jerry.txt", "a.txt", "c.doc", "x[1].txt"}));
  EXPECT_EQ(Names(shellext::ListDynamicFolder(folder, "*.TXT,*.log", nullptr)),
            (std::vector<std::string>{"B.LOG", "Sub\\", "Tom & Jerry.txt", "a.txt", "x[1].txt"}));
  // An unclosed "[" stands for itself; a list written in brackets is one.
  EXPECT_EQ(Names(shellext::ListDynamicFolder(folder, "*[1*", nullptr)),
            (std::vector<std::string>{"Sub\\", "x[1].txt"}));
  EXPECT_EQ(Names(shellext::ListDynamicFolder(folder, "[a-b]*", nullptr)),
            (std::vector<std::string>{"B.LOG", "Sub\\", "a.txt"}));
  EXPECT_EQ(Names(shellext::ListDynamicFolder(folder, "x[[]1].txt", nullptr)),
            (std::vector<std::string>{"Sub\\", "x[1].txt"}));

  int asked = 0;
  auto two = [&](const shellext::FolderEntry&) { return ++asked <= 2; };
  EXPECT_EQ(shellext::ListDynamicFolder(folder, "", two).size(), 2u);
  EXPECT_EQ(asked, 3);

  EXPECT_TRUE(shellext::ListDynamicFolder(dir.File("missing\\"), "", nullptr).empty());
  EXPECT_TRUE(shellext::ListDynamicFolder(shellext::DynamicFolderPath(""), "", nullptr).empty());
}

}  // namespace
