#include "common/SpecialFolders.h"

#include <gtest/gtest.h>

#include <string>

TEST(SpecialFolders, QualifiersMarkTheCommonAndLocalFolders) {
  const struct {
    std::int32_t csidl;
    const char* qualifier;
  } cases[] = {{22, "Common "}, {25, "Common "}, {28, "Local "}, {35, "Common "}, {43, "Common "}, {48, "Common "},
               {49, "Common "}, {58, "Common "}, {5, ""},        {26, ""},        {36, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.csidl);
    EXPECT_STREQ(common::SpecialFolderQualifier(c.csidl), c.qualifier);
  }
}

TEST(SpecialFolders, CandidatesLeaveOutTheDesktopAndTheAlternatives) {
  int count = 0;
  for (std::int32_t csidl = -1; csidl <= 70; ++csidl)
    if (common::IsSpecialFolderCandidate(csidl)) ++count;
  EXPECT_EQ(count, 62 - 8);
  for (std::int32_t csidl : {0, 1, 29, 30, 31, 41, 42, 44, 62}) EXPECT_FALSE(common::IsSpecialFolderCandidate(csidl));
  EXPECT_TRUE(common::IsSpecialFolderCandidate(2));
  EXPECT_TRUE(common::IsSpecialFolderCandidate(61));
}

TEST(SpecialFolders, CutAtNull) {
  EXPECT_EQ(common::CutAtNull("abc"), "abc");
  EXPECT_EQ(common::CutAtNull(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(common::CutAtNull(std::string("\0cd", 3)), "");
  EXPECT_EQ(common::CutAtNull(""), "");
}
