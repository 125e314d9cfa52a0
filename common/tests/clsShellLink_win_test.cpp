// Shortcuts written and read back through the shell's own link object.
#include "common/clsShellLink.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/handles.h"
#include "base/tests/testing.h"

using common::g_oShellLink;

namespace {

class ShellLinkFile : public ::testing::Test {
 protected:
  base::ComInit com;
  testing_support::TempDir dir;
};

}  // namespace

TEST_F(ShellLinkFile, AShortcutRoundTripsEveryField) {
  const std::string lnk = dir.File("notepad.lnk");
  ASSERT_TRUE(g_oShellLink().CreateShellLink(lnk, "C:\\windows\\notepad.exe", "C:\\windows",
                                             "/a b.txt", "C:\\windows\\notepad.exe", 1, SW_SHOWMAXIMIZED));
  std::string description, exe, work, args, icon;
  std::int32_t iconIndex = -1, show = -1;
  ASSERT_TRUE(g_oShellLink().GetShellLinkInfo(lnk, &description, &exe, &work, &args, &icon, &iconIndex, &show));
  EXPECT_EQ(description, "ShellLink Sample");
  EXPECT_EQ(_stricmp(exe.c_str(), "C:\\windows\\notepad.exe"), 0) << exe;
  EXPECT_EQ(_stricmp(work.c_str(), "C:\\windows"), 0) << work;
  EXPECT_EQ(args, "/a b.txt");
  EXPECT_EQ(_stricmp(icon.c_str(), "C:\\windows\\notepad.exe"), 0) << icon;
  EXPECT_EQ(iconIndex, 1);
  // The show command is written into the link's header (a 32-bit number at
  // 0x3C). Windows reads it back as written; Wine 8 answers SW_SHOWNORMAL
  // for every link it loads.
  EXPECT_TRUE(show == SW_SHOWMAXIMIZED || show == SW_SHOWNORMAL) << show;
  std::ifstream stored(lnk, std::ios::binary);
  char header[0x40] = {};
  stored.read(header, sizeof header);
  EXPECT_EQ(header[0x3C], SW_SHOWMAXIMIZED);

  // Outputs left out are skipped; a shortcut without arguments has none,
  // with no padding after the text.
  const std::string bare = dir.File("bare.lnk");
  ASSERT_TRUE(g_oShellLink().CreateShellLink(bare, "C:\\windows\\notepad.exe", "", "", "", 0, SW_SHOWNORMAL));
  args = "was here";
  exe.clear();
  ASSERT_TRUE(g_oShellLink().GetShellLinkInfo(bare, nullptr, &exe, nullptr, &args));
  EXPECT_EQ(args, "");
  EXPECT_FALSE(exe.empty());
  EXPECT_EQ(exe.find('\0'), std::string::npos);
}

TEST_F(ShellLinkFile, NothingReadLeavesEveryOutputAsPassed) {
  std::string description = "d", exe = "e", work = "w", args = "a", icon = "i";
  std::int32_t iconIndex = 7, show = 8;
  for (const std::string& file : {std::string(), dir.File("missing.lnk")}) {
    EXPECT_FALSE(g_oShellLink().GetShellLinkInfo(file, &description, &exe, &work, &args, &icon, &iconIndex, &show));
    EXPECT_EQ(description + exe + work + args + icon, "dewai") << file;
    EXPECT_EQ(iconIndex, 7);
    EXPECT_EQ(show, 8);
  }
  // Nothing to point at or nowhere to write: no file.
  EXPECT_FALSE(g_oShellLink().CreateShellLink(dir.File("none.lnk"), "", "", "", "", 0, 1));
  EXPECT_FALSE(g_oShellLink().CreateShellLink("", "C:\\windows\\notepad.exe", "", "", "", 0, 1));
  EXPECT_EQ(GetFileAttributesA(dir.File("none.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}
