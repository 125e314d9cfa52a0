// The custom-actions store against real INI files in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "actions/clsCustomActions.h"
#include "base/error.h"
#include "base/tests/testing.h"

using actions::clsCustomActions;
using testing_support::ErrorNumberOf;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {

clsCustomActions Action(const std::string& id, std::int32_t order, std::int32_t options = 1) {
  clsCustomActions a;
  a.m_szId = id;
  a.m_lType = clsCustomActions::TypeWindow;
  a.m_lOrder = order;
  a.m_szDescription = "Action " + id;
  a.m_lOptions = options;
  return a;
}

std::vector<std::string> Listed(const std::string& file, std::int32_t type = clsCustomActions::TypeWindow,
                                bool ignoreDisabled = false) {
  clsCustomActions a;
  std::vector<std::string> ids{"stale"};
  std::int32_t n = a.LoadEx(ids, type, file, ignoreDisabled);
  EXPECT_EQ(ids.size(), static_cast<size_t>(n) + 1);
  EXPECT_EQ(ids.back(), "");
  ids.pop_back();
  return ids;
}

void ExpectSameAction(const clsCustomActions& a, const clsCustomActions& b) {
  EXPECT_EQ(a.m_szId, b.m_szId);
  EXPECT_EQ(a.m_lType, b.m_lType);
  EXPECT_EQ(a.m_lOrder, b.m_lOrder);
  EXPECT_EQ(a.m_szDescription, b.m_szDescription);
  EXPECT_EQ(a.m_szExe, b.m_szExe);
  EXPECT_EQ(a.m_lExeMatch, b.m_lExeMatch);
  EXPECT_EQ(a.m_szClass, b.m_szClass);
  EXPECT_EQ(a.m_lClassMatch, b.m_lClassMatch);
  EXPECT_EQ(a.m_szCaption, b.m_szCaption);
  EXPECT_EQ(a.m_lCaptionMatch, b.m_lCaptionMatch);
  EXPECT_EQ(a.m_szActions, b.m_szActions);
  EXPECT_EQ(a.m_lOptions, b.m_lOptions);
}

}  // namespace

TEST(CustomActionsFile, HostileValuesRoundTripWhole) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  std::string longText;
  for (int i = 0; i < 400; ++i) longText += "word" + std::to_string(i) + " ";
  longText += "end";  // about 2,700 characters
  clsCustomActions saved = Action("{A}", 7);
  saved.m_szActions = longText + "{ENTER}\r\nsecond line\nthird\r[crv_item]";
  saved.m_szDescription = "  \"quoted\" with blanks  ";
  saved.m_szCaption = "x\r\n[evil]\r\nType=1\r\nOptions=1";
  saved.m_szClass = "'single'";
  saved.m_szExe = "=?C:\\Program Files\\a=b.exe ";
  saved.m_lExeMatch = 4;
  saved.m_lCaptionMatch = -3;
  saved.m_lClassMatch = 32767;
  saved.Save(file);
  clsCustomActions other = Action("{B}", 8);
  other.m_szActions = "plain";
  other.Save(file);

  clsCustomActions loaded;
  ASSERT_TRUE(loaded.Load("{A}", file));
  ExpectSameAction(loaded, saved);
  // Nothing was injected: two sections, the second untouched.
  EXPECT_EQ(loaded.Count(-1, file), 2);
  ASSERT_TRUE(loaded.Load("{B}", file));
  ExpectSameAction(loaded, other);
  std::string bytes = ReadFileBytes(file);
  EXPECT_EQ(bytes.find("\n[evil]"), std::string::npos);
  // A plain value stands in the file as it always did.
  EXPECT_NE(bytes.find("Actions=plain\r\n"), std::string::npos) << bytes;
}

TEST(CustomActionsFile, ValuesWrittenByHandReadAsTheServiceGivesThem) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  WriteFileBytes(file,
                 "[x]\r\nType=1\r\nDescription=  \"Old style\"  \r\nActions=a=b ~\r\nCaption=\r\n"
                 "Order= 12 \r\nOptions=&H1\r\n");
  clsCustomActions a;
  a.m_szExe = "kept?";
  ASSERT_TRUE(a.Load("x", file));
  EXPECT_EQ(a.m_szDescription, "Old style");
  EXPECT_EQ(a.m_szActions, "a=b ~");
  EXPECT_EQ(a.m_szCaption, "");  // present and empty
  EXPECT_EQ(a.m_szExe, "");      // absent: the default
  EXPECT_EQ(a.m_lOrder, 12);
  EXPECT_EQ(a.m_lOptions, 1);
  EXPECT_EQ(a.m_lExeMatch, 0);
}

TEST(CustomActionsFile, LongSectionListsAreReadInFull) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  std::string text;
  const int kCount = 300;  // some 12,000 characters of section names
  for (int i = 0; i < kCount; ++i) {
    char id[64];
    std::snprintf(id, sizeof id, "{%08d-C8EE-4934-B936-FC579781B845}", i);
    text += std::string("[") + id + "]\r\nType=1\r\nOptions=1\r\nOrder=" + std::to_string(kCount - i) +
            "\r\nDescription=d\r\n";
  }
  WriteFileBytes(file, text);
  std::vector<std::string> ids = Listed(file, clsCustomActions::TypeWindow, true);
  ASSERT_EQ(ids.size(), static_cast<size_t>(kCount));
  EXPECT_EQ(ids.front(), "{00000299-C8EE-4934-B936-FC579781B845}");  // Order 1
  EXPECT_EQ(ids.back(), "{00000000-C8EE-4934-B936-FC579781B845}");
  clsCustomActions a;
  EXPECT_EQ(a.Count(-1, file), kCount);
}

TEST(CustomActionsFile, LoadExFiltersAndSorts) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  WriteFileBytes(file,
                 "[late]\r\nType=1\r\nOrder=5\r\nOptions=1\r\n"
                 "[first]\r\nType=1\r\nOrder=1\r\nOptions=1\r\n"
                 "[big]\r\nType=1\r\nOrder=40000\r\nOptions=3\r\n"
                 "[tie]\r\nType=1\r\nOrder=5\r\nOptions=1\r\n"
                 "[off]\r\nType=1\r\nOrder=2\r\nOptions=0\r\n"
                 "[nooptions]\r\nType=1\r\nOrder=3\r\n"
                 "[general]\r\nType=2\r\nOrder=4\r\nOptions=1\r\n"
                 "[notype]\r\nOrder=6\r\nOptions=1\r\n");
  using V = std::vector<std::string>;
  EXPECT_EQ(Listed(file, 1, true), (V{"first", "tie", "late", "big"}));
  EXPECT_EQ(Listed(file, 1, false), (V{"first", "off", "nooptions", "tie", "late", "big"}));
  EXPECT_EQ(Listed(file, -1, false), (V{"first", "off", "nooptions", "general", "tie", "late", "notype", "big"}));
  clsCustomActions a;
  EXPECT_EQ(a.Count(1, file), 6);  // disabled ones count
  EXPECT_EQ(a.Count(-1, file), 8);
  EXPECT_EQ(a.Count(2, file), 1);

  // Order 40000 loads too; Saving "late" again makes it the file's last
  // section, so it now comes before "tie".
  ASSERT_FALSE(a.Load("big", file));  // no description
  EXPECT_EQ(a.m_lOrder, 40000);
  EXPECT_EQ(a.m_lOptions, 3);
  a.Load("late", file);
  a.Save(file);
  EXPECT_EQ(Listed(file, 1, true), (V{"first", "late", "tie", "big"}));
}

TEST(CustomActionsFile, MissingFilesAndSections) {
  TempDir dir;
  std::string file = dir.File("none.ini");
  clsCustomActions a = Action("keep", 3);
  EXPECT_FALSE(a.Load("nothing", file));
  EXPECT_EQ(a.m_szId, "nothing");
  EXPECT_EQ(a.m_lType, -1);
  EXPECT_EQ(a.m_lOrder, 0);
  EXPECT_EQ(a.m_szDescription, "");
  EXPECT_EQ(a.m_lOptions, 0);
  EXPECT_EQ(a.Count(-1, file), 0);
  EXPECT_EQ(Listed(file, -1), std::vector<std::string>{});
  a.Delete("nothing", file);  // no file, nothing to remove, no error
}

TEST(CustomActionsFile, NumbersThatAreNotNumbersRaise) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  WriteFileBytes(file,
                 "[text]\r\nType=abc\r\nOptions=1\r\n"
                 "[empty]\r\nType=1\r\nExeMatch=\r\n"
                 "[wide]\r\nType=1\r\nOptions=40000\r\n");
  clsCustomActions a;
  EXPECT_EQ(ErrorNumberOf([&] { a.Load("text", file); }), 13);
  EXPECT_EQ(ErrorNumberOf([&] { a.Load("empty", file); }), 13);
  EXPECT_EQ(ErrorNumberOf([&] { a.Load("wide", file); }), 6);  // the modes and options stay 16-bit
  EXPECT_EQ(ErrorNumberOf([&] { a.Count(1, file); }), 13);
}

TEST(CustomActionsFile, SaveDeleteResequenceAndPath) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  clsCustomActions a;
  a.SetPath(file);  // every "" file argument means Path
  for (const char* id : {"a", "b", "c"}) {
    clsCustomActions x = Action(id, 9);
    x.SetPath(file);
    x.Save("");
  }
  WritePrivateProfileStringA("b", "Extra", "gone after Save", file.c_str());
  a.Resequence({"c", "b", "a"}, "");  // element 0 is not used
  EXPECT_EQ(Listed(file), (std::vector<std::string>{"b", "a", "c"}));
  ASSERT_TRUE(a.Load("c", ""));
  EXPECT_EQ(a.m_lOrder, 9);  // untouched
  ASSERT_TRUE(a.Load("b", ""));
  EXPECT_EQ(a.m_lOrder, 1);
  a.Save("");
  char extra[64] = {};
  GetPrivateProfileStringA("b", "Extra", "", extra, sizeof extra, file.c_str());
  EXPECT_STREQ(extra, "");
  a.Delete("b", "");
  EXPECT_FALSE(a.Load("b", ""));
  EXPECT_EQ(a.Count(-1, ""), 2);
}

TEST(CustomActionsFile, BadIdentifiersAndUnwritableFilesRaiseAndLoseNothing) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  Action("good", 1).Save(file);
  std::string before = ReadFileBytes(file);
  for (const char* id : {"", "a]b", "a\r\n[b", " lead"}) {
    SCOPED_TRACE(id);
    clsCustomActions bad = Action(id, 2);
    EXPECT_EQ(ErrorNumberOf([&] { bad.Save(file); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { bad.Delete(id, file); }), 5);
  }
  EXPECT_EQ(ReadFileBytes(file), before);

  clsCustomActions lost = Action("x", 1);
  std::string nowhere = dir.File("no such folder\\CustomActions.ini");
  try {
    lost.Save(nowhere);
    ADD_FAILURE() << "no error";
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Number(), 75);
    EXPECT_NE(e.Description().find(nowhere), std::string::npos);
  }
}
