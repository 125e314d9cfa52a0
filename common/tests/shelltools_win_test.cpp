// Files, resources and the shell, for real: the test program's own
// resources, files in a temporary folder, processes started by the shell.
#include "common/shelltools.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/tests/testing.h"
#include "common/appinfo.h"
#include "common/tools.h"

using namespace common;
using testing_support::PromptRecorder;
using testing_support::TempDir;

namespace {

// Points the temporary folder of this process at a folder of the test's own,
// so that what the tools leave there can be counted.
class TempFolderScope {
 public:
  explicit TempFolderScope(const std::string& folder) {
    char old[1024] = {};
    DWORD n = GetEnvironmentVariableA("TMP", old, sizeof old);
    m_had = n > 0 && n < sizeof old;
    m_old.assign(old, m_had ? n : 0);
    SetEnvironmentVariableA("TMP", (folder + "\\").c_str());
  }
  ~TempFolderScope() { SetEnvironmentVariableA("TMP", m_had ? m_old.c_str() : nullptr); }

 private:
  bool m_had;
  std::string m_old;
};

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  return names;
}

// The picture stored as "sample": tests/data/corner.bmp, a 198-byte bitmap.
void ExpectSampleBitmap(const std::string& bytes) {
  ASSERT_EQ(bytes.size(), 198u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
}

}  // namespace

TEST(ShellTools, StringResourcesAreExpandedOnceByLoadAndAgainAsNumbers) {
  EXPECT_EQ(LoadResStringEx(101), "Tab\there");
  EXPECT_EQ(LoadResStringEx(102), "\\\\\\\\");        // eight stored, four after one expansion
  EXPECT_EQ(ExpandEscapes(std::int32_t{102}), "\\\\");  // a number is expanded twice
  EXPECT_EQ(ExpandEscapes(std::int16_t{101}), "Tab\there");
  try {
    LoadResStringEx(999);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Number(), 326);
    EXPECT_EQ(e.Description(), "Resource with identifier '999' not found");
  }
}

TEST(ShellTools, AppVersionComesFromTheVersionResource) {
  EXPECT_EQ(GetAppVersion(false), "1.04");
  EXPECT_EQ(GetAppVersion(true), "1.04.007");
}

TEST(ShellTools, TempFileNamesAreNewEmptyFilesInTheTemporaryFolder) {
  TempDir dir;
  TempFolderScope scope(dir.Path());
  std::string a = CreateTempFileName();
  std::string b = CreateTempFileName();
  EXPECT_NE(a, b);
  for (const auto& name : {a, b}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(name.rfind(dir.Path() + "\\VRK", 0), 0u);
    EXPECT_EQ(name.substr(name.size() - 4), ".tmp");
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(std::filesystem::file_size(name), 0u);
  }
}

TEST(ShellTools, ExtractResourceToTempFile) {
  TempDir dir;
  TempFolderScope scope(dir.Path());
  PromptRecorder prompts;

  std::string plain = ExtractResourceToTempFile("sample", "PICTURES", "");
  ExpectSampleBitmap(testing_support::ReadFileBytes(plain));
  std::string suffixed = ExtractResourceToTempFile("sample", "PICTURES", ".bmp");
  EXPECT_EQ(suffixed.substr(suffixed.size() - 8), ".tmp.bmp");
  EXPECT_EQ(testing_support::ReadFileBytes(suffixed), testing_support::ReadFileBytes(plain));
  EXPECT_EQ(FilesIn(dir.Path()).size(), 2u);  // no empty placeholder stays behind
  EXPECT_TRUE(prompts.Prompts().empty());

  // A resource that cannot be read is reported; the program goes on and no
  // file is left.
  g_szAppTitle() = "Corvane Designer";
  EXPECT_EQ(ExtractResourceToTempFile("missing", "PICTURES", ".bmp"), "");
  EXPECT_EQ(FilesIn(dir.Path()).size(), 2u);
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text,
            "Error encountered while referencing the resource \"missing\"\r\n\r\n"
            "Resource with identifier 'missing' not found (326)");
  EXPECT_EQ(prompts.Prompts()[0].flags, base::kPromptCritical);
  EXPECT_EQ(prompts.Prompts()[0].title, "Corvane Designer");
}

TEST(ShellTools, ShortPathsOfRealFiles) {
  TempDir dir;
  std::string longName = dir.File("a rather long file name.config");
  testing_support::WriteFileBytes(longName, "x");
  std::string shortName = GetShortPath(longName);
  EXPECT_TRUE(FileExists(shortName)) << shortName;
  EXPECT_EQ(shortName.find(' '), std::string::npos) << shortName;
  std::string missing = dir.File("no such file.txt");
  EXPECT_EQ(GetShortPath(missing), missing);
}

TEST(ShellTools, HiddenAndSystemFilesExist) {
  TempDir dir;
  for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_READONLY}) {
    std::string name = dir.File("f" + std::to_string(attribute));
    testing_support::WriteFileBytes(name, "x");
    ASSERT_TRUE(SetFileAttributesA(name.c_str(), attribute));
    EXPECT_TRUE(FileExists(name)) << attribute;
    EXPECT_TRUE(FileExists(dir.File("f*"))) << attribute;
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::string hiddenFolder = dir.File("hidden");
  ASSERT_TRUE(CreateDirectoryA(hiddenFolder.c_str(), nullptr));
  SetFileAttributesA(hiddenFolder.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(DirectoryExists(hiddenFolder));
  EXPECT_FALSE(FileExists(hiddenFolder));
  EXPECT_TRUE(DirectoryExists("C:\\"));
  EXPECT_FALSE(FileExists("C:\\"));
}

TEST(ShellTools, ShellExecuteFileReportsThroughItsResult) {
  base::Error failure(0, "");
  TempDir dir;
  EXPECT_FALSE(ShellExecuteFile(dir.File("missing.cfg"), 10, "", "", "", nullptr, &failure));
  EXPECT_EQ(failure.Number(), base::kErrFileNotFound);
  EXPECT_EQ(failure.Description(), "File not found");
  EXPECT_EQ(failure.Source(), "common_tests");

  // A program the shell starts: with parameters the caller's show command holds.
  std::string marker = dir.File("ran.txt");
  EXPECT_TRUE(ShellExecuteFile("cmd.exe", SW_HIDE, "/c echo x> \"" + marker + "\"", dir.Path(),
                               "open", nullptr, &failure));
  for (int i = 0; i < 100 && !FileExists(marker); ++i) Sleep(50);
  EXPECT_TRUE(FileExists(marker));
}
