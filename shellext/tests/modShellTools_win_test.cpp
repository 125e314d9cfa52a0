// The shell and file helpers against real files, folders and the shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/tests/testing.h"
#include "shellext/modShellTools.h"

namespace {

using namespace shellext;

TEST(FennickShellTools, FolderOfAPathIsTheFolderItselfOrItsParent) {
  testing_support::TempDir dir;
  testing_support::WriteFileBytes(dir.File("f.txt"), "f");
  struct Case {
    std::string path, folder;
  };
  const Case cases[] = {
      {dir.Path(), dir.Path()},                           // an existing folder
      {dir.File("f.txt"), dir.Path()},                    // a file
      {"Z:\\nowhere\\b.txt", "Z:\\nowhere"},              // what is not there: by its text
      {"C:\\file.txt", "C:\\"},                           // a drive's file: the drive with its backslash
      {"plain", "plain"},                                 // no backslash at all
  };
  for (const Case& c : cases) EXPECT_EQ(GetFolderOfPath(c.path), c.folder) << c.path;
  EXPECT_TRUE(IsDirectory(dir.Path()));
  EXPECT_FALSE(IsDirectory(dir.File("f.txt")));
  EXPECT_FALSE(IsDirectory(dir.File("missing")));
}

TEST(FennickShellTools, SmallConversions) {
  EXPECT_EQ(HiWord(0x80000000u), 32768u);
  EXPECT_EQ(HiWord(0x1234FFFFu), 0x1234u);
  EXPECT_EQ(StringFromAnsiPtr("abc\0def"), "abc");
  EXPECT_EQ(StringFromAnsiPtr(nullptr), "");
  std::vector<std::uint8_t> bytes;
  const void* address = nullptr;
  EXPECT_EQ(StringToUnicodeBytes("A\xe9", bytes, &address), 4);  // é in the ANSI code page
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'A', 0, 0xe9, 0, 0, 0}));
  EXPECT_EQ(address, bytes.data());
  EXPECT_EQ(GetWindowClassName(GetDesktopWindow()), "#32769");
  EXPECT_EQ(GetWindowClassName(nullptr), "");
}

TEST(FennickShellTools, PathsAndItemListsConvertBothWays) {
  testing_support::TempDir dir;
  base::UniquePidl pidl = GetPidlFromPath(nullptr, dir.Path());
  ASSERT_TRUE(pidl);
  EXPECT_EQ(PidlToPath(pidl.get()), dir.Path());
  // A virtual folder has no path.
  base::UniquePidl drives;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.put()), S_OK);
  EXPECT_EQ(PidlToPath(drives.get()), "");
  EXPECT_THROW(GetPidlFromPath(nullptr, dir.File("missing\\deeper")), base::Error);

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_TRUE(IsCurrentFolderCSIDL(nullptr, CSIDL_WINDOWS, windows));
  EXPECT_FALSE(IsCurrentFolderCSIDL(nullptr, CSIDL_WINDOWS, dir.Path()));
  EXPECT_FALSE(IsCurrentFolderCSIDL(nullptr, 0x7F, windows));  // no such folder
}

TEST(FennickShellTools, ARefusedStartReportsTheShellsError) {
  testing_support::TempDir dir;
  base::Error failure(0, "");
  EXPECT_FALSE(ShellExecuteChecked(dir.File("missing.exe"), 10, "", "", "", nullptr, &failure));
  EXPECT_EQ(failure.Number(), 53);
  EXPECT_EQ(failure.Description(), "File not found");
  EXPECT_EQ(failure.Source(), "shellext_tests");
}

}  // namespace
