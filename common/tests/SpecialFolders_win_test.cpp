// Display names differ between Windows versions, languages and Wine: these
// tests hold names to their relations (qualified or not, present or not,
// the folder behind them exists), never to a literal text.
#include <windows.h>
#include <olectl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/tests/testing.h"
#include "common/ShellPicture.h"
#include "common/SpecialFolders.h"
#include "base/text.h"

namespace {

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TEST(SpecialFolders, NamesAreTheShellsWithTheQualifierInFront) {
  for (std::int32_t csidl : {35 /* COMMON_APPDATA */, 28 /* LOCAL_APPDATA */, 5 /* PERSONAL */}) {
    SCOPED_TRACE(csidl);
    const std::string plain = common::GetSpecialFolderName(nullptr, csidl, false);
    EXPECT_FALSE(plain.empty());
    EXPECT_EQ(common::GetSpecialFolderName(nullptr, csidl, true), common::SpecialFolderQualifier(csidl) + plain);
    EXPECT_EQ(plain.find('\0'), std::string::npos);
    char path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE));
    EXPECT_TRUE(IsDirectory(path)) << path;
  }
  EXPECT_EQ(common::GetSpecialFolderName(nullptr, 15, true), "");  // a number that names no folder
  EXPECT_EQ(common::GetSpecialFolderName(nullptr, 9999, false), "");
}

TEST(SpecialFolders, TheListHoldsEachFolderOnceUnderItsNumber) {
  const auto folders = common::ListSpecialFolders(nullptr);
  ASSERT_GE(folders.size(), 5u);
  std::set<std::int32_t> seen;
  std::int32_t previous = 0;
  for (const auto& [csidl, name] : folders) {
    SCOPED_TRACE(csidl);
    EXPECT_TRUE(common::IsSpecialFolderCandidate(csidl));
    EXPECT_TRUE(seen.insert(csidl).second);
    EXPECT_GT(csidl, previous);
    previous = csidl;
    EXPECT_EQ(name, common::GetSpecialFolderName(nullptr, csidl, true));
    EXPECT_FALSE(name.empty());
  }
  EXPECT_EQ(seen.count(15), 0u);
  EXPECT_EQ(seen.count(0), 0u);
}

TEST(SpecialFolders, FileDisplayNameIsTheShellsName) {
  testing_support::TempDir dir;
  const std::string file = dir.File("notes.txt");
  testing_support::WriteFileBytes(file, "x");
  const std::string name = common::GetFileDisplayName(file);
  ASSERT_FALSE(name.empty());
  // With or without its extension, as the shell's settings say.
  EXPECT_EQ(std::string("notes.txt").rfind(name, 0), 0u) << name;
  EXPECT_FALSE(common::GetFileDisplayName(dir.Path()).empty());
  EXPECT_EQ(common::GetFileDisplayName(dir.File("missing.txt")), "");
}

TEST(SpecialFolders, APictureOwnsTheIconItWasGiven) {
  HICON icon = CopyIcon(LoadIcon(nullptr, IDI_APPLICATION));
  ASSERT_NE(icon, nullptr);
  base::ComPtr<IPicture> picture = common::GDIHandleToPicture(icon, PICTYPE_ICON, nullptr);
  ASSERT_TRUE(picture);
  SHORT type = 0;
  ASSERT_EQ(picture->get_Type(&type), S_OK);
  EXPECT_EQ(type, PICTYPE_ICON);
  OLE_HANDLE handle = 0;
  ASSERT_EQ(picture->get_Handle(&handle), S_OK);
  EXPECT_EQ(handle, static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(icon)));
}
