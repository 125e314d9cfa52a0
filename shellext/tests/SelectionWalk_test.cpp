// The selection walk over a small tree held in memory: C:\t holds
// "a b.txt", "x~1.log" and a folder "sub" with "deep.txt" and a link "loop"
// back to C:\t; C:\u is a second path to "sub" (the same folder).
#include "shellext/SelectionWalk.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using shellext::WalkEntry;

class Tree : public shellext::FolderSource {
 public:
  std::vector<WalkEntry> List(const std::string& folder) override {
    ++lists;
    auto it = folders.find(Key(folder));
    return it == folders.end() ? std::vector<WalkEntry>{} : it->second;
  }
  bool IsDirectory(const std::string& path) override { return folders.count(Key(path)) != 0; }
  std::string Identity(const std::string& folder) override {
    const std::string k = Key(folder);
    if (k == "C:\\u" || k == "C:\\t\\sub\\loop\\sub") return "sub";
    if (k == "C:\\t\\sub\\loop") return "t";
    return k == "C:\\t\\sub" ? "sub" : k == "C:\\t" ? "t" : k;
  }
  std::string ShortPath(const std::string& path) override {
    return path == "C:\\t\\a b.txt" ? "C:\\t\\AB~1.TXT" : path;
  }
  static std::string Key(std::string p) {
    if (p.size() > 3 && p.back() == '\\') p.pop_back();
    return p;
  }

  std::map<std::string, std::vector<WalkEntry>> folders = {
      {"C:\\t", {{"a b.txt", false, false}, {"sub", true, false}, {"x~1.log", false, false}}},
      // The link is a folder as the file system lists it; a source that
      // cannot tell links (reparse false) is caught by the identity.
      {"C:\\t\\sub", {{"deep.txt", false, false}, {"loop", true, false}}},
      {"C:\\t\\sub\\loop", {{"a b.txt", false, false}, {"sub", true, false}, {"x~1.log", false, false}}},
      {"C:\\u", {{"deep.txt", false, false}, {"loop", true, false}}},
  };
  int lists = 0;
};

TEST(SelectionWalk, ClipboardListsWalkDepthFirstAndEnterEveryFolderOnce) {
  Tree tree;
  shellext::SelectionWalk walk(tree, false);
  EXPECT_EQ(walk.ClipboardList({"C:\\t\\a b.txt", "C:\\t\\sub"}, false), "C:\\t\\a b.txt\r\nC:\\t\\sub\r\n");
  // The loop leads back to C:\t: listed, and entered only because C:\t was
  // not entered before; its "sub" is the folder already walked.
  EXPECT_EQ(walk.ClipboardList({"C:\\t\\sub"}, true),
            "C:\\t\\sub\r\nC:\\t\\sub\\deep.txt\r\nC:\\t\\sub\\loop\r\nC:\\t\\sub\\loop\\a b.txt\r\n"
            "C:\\t\\sub\\loop\\sub\r\nC:\\t\\sub\\loop\\x~1.log\r\n");
  // The same folder by two paths is walked once.
  const std::string twice = walk.ClipboardList({"C:\\t\\sub", "C:\\u"}, true);
  EXPECT_EQ(twice.find("C:\\u\\deep.txt"), std::string::npos) << twice;
  EXPECT_NE(twice.find("C:\\u\r\n"), std::string::npos) << twice;
  // A link the source reports as one is listed and not entered.
  tree.folders["C:\\t\\sub"][1].reparse = true;
  EXPECT_EQ(walk.ClipboardList({"C:\\t\\sub"}, true), "C:\\t\\sub\r\nC:\\t\\sub\\deep.txt\r\nC:\\t\\sub\\loop\r\n");
  // Short names, never quoted.
  shellext::SelectionWalk shortWalk(tree, true);
  EXPECT_EQ(shortWalk.ClipboardList({"C:\\t\\a b.txt"}, false), "C:\\t\\AB~1.TXT\r\n");
}

TEST(SelectionWalk, TaskListsFilterLongNamesAndShowThemAsAsked) {
  Tree tree;
  struct Case {
    const char* what;
    bool shortNames, recursive;
    shellext::TaskTexts texts;
    std::vector<std::string> selected;
    std::string cmdLine, file;
  };
  const Case cases[] = {
      {"quoted, escapes expanded", false, false, {"", "\\x20", "", "\\n", "", true}, {"C:\\t\\a b.txt"},
       "\"C:\\t\\a b.txt\" ", "\"C:\\t\\a b.txt\"\r\n"},
      {"short names are never quoted", true, false, {"", "\\x20", "", "\\n", "", true}, {"C:\\t\\a b.txt"},
       "C:\\t\\AB~1.TXT ", "C:\\t\\AB~1.TXT\r\n"},
      // The filter sees the long name even when the lists show short ones.
      {"filter on the long name", true, false, {"<", ">", "", ";", "*b.txt", false}, {"C:\\t\\a b.txt"},
       "<C:\\t\\AB~1.TXT>", "C:\\t\\AB~1.TXT;"},
      {"empty filter takes folders", false, false, {"", " ", "", "|", "", false}, {"C:\\t\\sub", "C:\\u"},
       "C:\\t\\sub C:\\u ", "C:\\t\\sub|C:\\u|"},
      // A pattern matches the file name or the full path.
      {"by name or path, not folders", false, true, {"", ",", "", ",", "*.txt,c:\\t\\x*", false}, {"C:\\t"},
       "C:\\t\\a b.txt,C:\\t\\sub\\deep.txt,C:\\t\\x~1.log,", "C:\\t\\a b.txt,C:\\t\\sub\\deep.txt,C:\\t\\x~1.log,"},
      {"nothing qualifies", false, true, {"", "", "", "", "*.doc", false}, {"C:\\t"}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    shellext::SelectionWalk walk(tree, c.shortNames);
    const shellext::TaskLists lists = walk.TaskList(c.selected, c.recursive, c.texts);
    EXPECT_EQ(lists.cmdLine, c.cmdLine);
    EXPECT_EQ(lists.file, c.file);
  }
}

TEST(SelectionWalk, AStopEndsTheWalkWithWhatWasGathered) {
  Tree tree;
  int asked = 0;
  shellext::SelectionWalk walk(tree, false, [&](const std::string&) { return ++asked < 2; });
  const std::string text = walk.ClipboardList({"C:\\t", "C:\\u"}, true);
  EXPECT_TRUE(walk.Stopped());
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(text, "C:\\t\r\nC:\\t\\a b.txt\r\nC:\\t\\sub\r\nC:\\t\\sub\\deep.txt\r\nC:\\t\\sub\\loop\r\n");
}

TEST(SelectionWalk, DestinationsAreMadeAbsoluteBeforeUse) {
  struct Case {
    const char* destination;
    const char* current;
    std::optional<std::string> absolute;
  };
  const Case cases[] = {
      {"D:\\Backup", "C:\\t", "D:\\Backup"},
      {"D:\\Backup\\", "", "D:\\Backup"},
      {"d:/a/./b/../c", "", "d:\\a\\c"},
      {"backup", "C:\\t", "C:\\t\\backup"},
      {"..\\other", "C:\\t\\sub", "C:\\t\\other"},
      {"..\\..\\..", "C:\\t", "C:\\"},
      {"\\\\server\\share\\dir", "", "\\\\server\\share\\dir"},
      {"backup", "", std::nullopt},
      {"C:relative", "C:\\t", std::nullopt},
      {"\\rooted", "C:\\t", std::nullopt},
      {"   ", "C:\\t", std::nullopt},
      {"\\\\server", "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.destination);
    EXPECT_EQ(shellext::AbsoluteDestination(c.destination, c.current), c.absolute);
  }
}

}  // namespace
