#include "shellext/FolderListing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using shellext::FolderEntry;

std::vector<std::string> Shown(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  for (size_t i : shellext::DynamicMenuOrder(entries)) names.push_back(entries[i].name);
  return names;
}

TEST(DynamicFolder, PathGetsOneTrailingBackslashAndAnEmptyLocationNone) {
  EXPECT_EQ(shellext::DynamicFolderPath("c:\\data"), "c:\\data\\");
  EXPECT_EQ(shellext::DynamicFolderPath("c:\\data\\"), "c:\\data\\");
  EXPECT_EQ(shellext::DynamicFolderPath(""), "");
  EXPECT_EQ(shellext::DynamicFolderPath("   "), "");
}

TEST(DynamicFolder, SubFoldersAlwaysAndFilesByTheFilter) {
  const struct {
    const char* filter;
    FolderEntry entry;
    bool listed;
  } cases[] = {
      {"", {".", true}, false},
      {"", {"..", true}, false},
      {"", {"any.bin", false}, true},
      {"*.txt,*.log", {"Readme.TXT", false}, true},
      {"*.TXT", {"readme.txt", false}, true},
      {"*.txt,*.log", {"a.doc", false}, false},
      {"*.txt,*.log", {"Sub.Folder", true}, true},
      {"*.txt, *.log", {"a.log", false}, false},  // the blank belongs to the pattern
      {",,,", {"a.txt", false}, false},
      {",,,", {"sub", true}, true},
      {"*[1", {"Copy[1", false}, true},  // an unclosed "[" stands for itself
      {"[z-a]*", {"m.txt", false}, false},  // a backwards range holds nothing
      {"a&b*", {"A&B.txt", false}, true},
      {"report #.doc", {"Report 7.DOC", false}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.filter) + " / " + c.entry.name);
    EXPECT_EQ(shellext::DynamicEntryQualifies(c.entry, c.filter), c.listed);
  }
}

TEST(DynamicFolder, SubFoldersFirstThenFilesEachByLowerCasedName) {
  EXPECT_EQ(Shown({{"c.txt", false}, {"b", true}, {"B.txt", false}, {"A", true}}),
            (std::vector<std::string>{"A", "b", "B.txt", "c.txt"}));
  // By the character codes of the lower-cased names: "[" and "_" before the
  // letters, an accented letter after "z".
  EXPECT_EQ(Shown({{"\xe9t\xe9.txt", false}, {"zulu.txt", false}, {"_x.txt", false}, {"[a].txt", false},
                   {"#1.txt", false}, {"Alpha.txt", false}}),
            (std::vector<std::string>{"#1.txt", "[a].txt", "_x.txt", "Alpha.txt", "zulu.txt", "\xe9t\xe9.txt"}));
  EXPECT_TRUE(Shown({}).empty());
}

TEST(DynamicFolder, AmpersandsShowAsThemselves) {
  EXPECT_EQ(shellext::MenuTextOf("Tom & Jerry.txt"), "Tom && Jerry.txt");
  EXPECT_EQ(shellext::MenuTextOf("&&x&"), "&&&&x&&");
  EXPECT_EQ(shellext::MenuTextOf("plain"), "plain");
}

}  // namespace
