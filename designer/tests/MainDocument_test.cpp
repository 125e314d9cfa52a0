#include "designer/MainDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace designer;
namespace fs = std::filesystem;

namespace {

TEST(MainDocument, TitleNamesTheFileAndMarksChanges) {
  EXPECT_EQ(MainTitle("Designer", "", false), "Designer - Untitled");
  EXPECT_EQ(MainTitle("Designer", "", true), "Designer - Untitled*");
  EXPECT_EQ(MainTitle("Designer", "C:\\a\\b.cfg", true), "Designer - C:\\a\\b.cfg*");
}

class MainDocumentFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("maindoc_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  fs::path dir;
};

TEST_F(MainDocumentFiles, ReadingAMissingFileFailsAndCreatesNothing) {
  std::string bytes, error;
  const fs::path missing = dir / "none.cfg";
  EXPECT_FALSE(ReadWholeFile(missing.string(), bytes, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(MainDocumentFiles, SafeWriteWritesWholeFileAndLeavesNoTemporary) {
  const fs::path file = dir / "a.cfg";
  std::string error, bytes;
  ASSERT_TRUE(WriteFileSafely(file.string(), std::string("old and longer"), error)) << error;
  ASSERT_TRUE(WriteFileSafely(file.string(), std::string("new\0x", 5), error)) << error;
  EXPECT_EQ(Slurp(file), std::string("new\0x", 5));  // cut to the new length
  ASSERT_TRUE(ReadWholeFile(file.string(), bytes, error));
  EXPECT_EQ(bytes, std::string("new\0x", 5));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(MainDocumentFiles, AFailedWriteKeepsTheOldFile) {
  // A folder standing where the file should go cannot be replaced by it.
  const fs::path blocked = dir / "blocked.cfg";
  fs::create_directories(blocked / "inside");
  std::string error;
  EXPECT_FALSE(WriteFileSafely(blocked.string(), "bytes", error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs::is_directory(blocked / "inside"));
  EXPECT_FALSE(fs::exists(dir / "blocked.cfg.tmp~"));
  // No folder to write into at all.
  EXPECT_FALSE(WriteFileSafely((dir / "missing" / "x.cfg").string(), "bytes", error));
}

}  // namespace
