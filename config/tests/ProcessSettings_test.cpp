// Settings processing: the warning, the banner and settings lines of the
// debug trace, the timing trace, and what happens to traces already running.
#include "config/clsOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "base/tests/testing.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/tests/testkey.h"

namespace {

using common::clsTrace;
using common::g_Debug;
using common::g_oTiming;
using config::clsOptions;
using testing_support::ReadFileBytes;
using testing_support::TempDir;

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(bytes.substr(at, end - at));
  return lines;
}

bool Exists(const std::string& path) { return !ReadFileBytes(path).empty(); }

const char kWarning[] =
    "Warning, debugging has been enabled.\r\n\r\nThe windows context menu may be slow to appear due to the amount "
    "of information being written.";

class Processing : public testing::Test {
 protected:
  void SetUp() override {
    common::g_szAppTitle() = "Settings Test";
    m_o.Reset();
    m_o.m_szDebugOutput = m_dir.File("debug.dbg");
    m_o.m_szTimingOutput = m_dir.File("timing.dbg");
    m_o.m_lDebugFlags = 0;  // plain text, kept open
  }
  void TearDown() override {
    g_Debug().Terminate();
    g_oTiming().Terminate();
  }
  TempDir m_dir;
  clsOptions m_o;
  testing_support::PromptRecorder m_prompts;
};

TEST_F(Processing, WithBothOffNothingIsShownOrTouched) {
  m_o.ProcessSettings(false, true);
  EXPECT_TRUE(m_prompts.Prompts().empty());
  EXPECT_FALSE(Exists(m_o.m_szDebugOutput));
  EXPECT_FALSE(Exists(m_o.m_szTimingOutput));
  EXPECT_FALSE(g_Debug().IsInitialized());
}

TEST_F(Processing, DebuggingWritesTheBannerThenEverySettingOneLevelDeeper) {
  m_o.m_bDebugEnable = true;
  m_o.ProcessSettings(false, true);
  ASSERT_EQ(m_prompts.Prompts().size(), 1u);
  EXPECT_EQ(m_prompts.Prompts()[0].text, kWarning);
  EXPECT_EQ(m_prompts.Prompts()[0].title, "Settings Test");
  EXPECT_EQ(m_prompts.Prompts()[0].flags, unsigned(base::kPromptOk | base::kPromptExclamation));
  EXPECT_TRUE(g_Debug().IsInitialized());
  EXPECT_EQ(g_Debug().Indent(), 0);
  g_Debug().Terminate();

  auto lines = Lines(ReadFileBytes(m_o.m_szDebugOutput));
  ASSERT_EQ(lines.size(), 28u) << "7 banner lines, the entry, 19 settings, the exit";
  EXPECT_THAT(lines[0], testing::EndsWith("    " + common::ApplicationTitle() + " - " + common::LegalCopyright()));
  const char* banner[] = {"ComputerName: ", "UserName: ", "CompanyName: ", "IsNT: ", "IsWindows: ", "OsInfo: "};
  for (int i = 0; i < 6; ++i) EXPECT_THAT(lines[static_cast<size_t>(i) + 1], testing::HasSubstr(std::string("    ") + banner[i]));
  EXPECT_TRUE(std::regex_search(lines[6], std::regex(R"(    OsInfo: \d+\.\d+ \(Build \d+\)$)"))) << lines[6];
  EXPECT_THAT(lines[7], testing::EndsWith(" >  ProcessSettings"));
  const std::string settings[] = {
      "m_bGeneralShowBackground: True", "m_bGeneralAllowMultipleInstances: False", "m_bGeneralSaveWindowPos: True",
      "m_bShellEnable: True", "m_bShellShowInIE: False", "m_szShellConfigFile: " + m_o.m_szShellConfigFile,
      "m_lShellShowIcons: 3", "m_bShellUseOwnFolderBitmap: False", "m_lShellShowHistoryMRU: 1",
      "m_lShellShowQuickAccessMRU: 1", "m_lShellShowFlags: 254",
      "m_szShellCustomActionsFile: " + m_o.m_szShellCustomActionsFile, "m_lShellMaxMenuText: 64",
      "m_bShellIgnoreBoundsCheck: False", "m_bShellOwnerDraw: True", "m_bDebugEnable: True",
      "m_szDebugOutput: " + m_o.m_szDebugOutput, "m_bTimingEnable: False", "m_szTimingOutput: " + m_o.m_szTimingOutput};
  for (size_t i = 0; i < 19; ++i) EXPECT_THAT(lines[8 + i], testing::EndsWith("      " + settings[i]));
  EXPECT_THAT(lines[27], testing::EndsWith(" <    (Exit)"));
}

TEST_F(Processing, ARunningTraceIsRestartedInAFreshFile) {
  m_o.m_bDebugEnable = true;
  m_o.ProcessSettings(false, false);
  g_Debug().Output("left over");
  // The running trace holds its file open; it must let go for the restart.
  m_o.ProcessSettings(false, false);
  EXPECT_TRUE(m_prompts.Prompts().empty()) << "no warning asked for, and the file opened again";
  g_Debug().Terminate();
  auto lines = Lines(ReadFileBytes(m_o.m_szDebugOutput));
  EXPECT_EQ(lines.size(), 28u);
  EXPECT_EQ(ReadFileBytes(m_o.m_szDebugOutput).find("left over"), std::string::npos);
}

TEST_F(Processing, TurningDebuggingOffStopsTheRunningTrace) {
  m_o.m_bDebugEnable = true;
  m_o.ProcessSettings(false, false);
  g_Debug().Push("Open level");
  m_o.m_bDebugEnable = false;
  m_o.ProcessSettings(false, false);
  EXPECT_FALSE(g_Debug().IsInitialized());
  g_Debug().Output("not written");
  auto lines = Lines(ReadFileBytes(m_o.m_szDebugOutput));
  ASSERT_EQ(lines.size(), 29u) << "nothing was popped that this run did not push";
  EXPECT_THAT(lines.back(), testing::EndsWith(" >  Open level"));
}

TEST_F(Processing, TheDefaultFlagsGiveOneEncipheredRecordPerLine) {
  m_o.m_bDebugEnable = true;
  m_o.m_lDebugFlags = clsTrace::FlagEncrypt | clsTrace::FlagAutoCommit;
  m_o.ProcessSettings(false, false);
  std::string bytes = ReadFileBytes(m_o.m_szDebugOutput);
  std::vector<std::string> texts;
  for (size_t at = 0; at + 4 <= bytes.size();) {
    size_t n = static_cast<unsigned char>(bytes[at + 2]) | static_cast<size_t>(static_cast<unsigned char>(bytes[at + 3])) << 8;
    texts.push_back(g_Debug().EncryptStringAscii(bytes.substr(at + 4, n)));
    at += 4 + n;
  }
  ASSERT_EQ(texts.size(), 28u);
  EXPECT_THAT(texts[7], testing::EndsWith(" >  ProcessSettings"));
  EXPECT_THAT(texts[8], testing::EndsWith("      m_bGeneralShowBackground: True"));
}

TEST_F(Processing, TimingStartsItsOwnFileUnlessOnlyDebuggingIsProcessed) {
  m_o.m_bTimingEnable = true;
  testing_support::WriteFileBytes(m_o.m_szTimingOutput, "earlier session\r\n");
  m_o.ProcessSettings(true, true);
  EXPECT_EQ(ReadFileBytes(m_o.m_szTimingOutput), "earlier session\r\n");
  EXPECT_FALSE(g_oTiming().IsInitialized());

  m_o.ProcessSettings(false, true);
  EXPECT_TRUE(g_oTiming().IsInitialized());
  auto lines = Lines(ReadFileBytes(m_o.m_szTimingOutput));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_THAT(lines[0], testing::StartsWith("    Timing session started "));
  EXPECT_GT(lines[0].size(), std::string("    Timing session started ").size() + 8);

  m_o.m_bTimingEnable = false;
  m_o.ProcessSettings(false, true);
  EXPECT_FALSE(g_oTiming().IsInitialized());
  EXPECT_TRUE(m_prompts.Prompts().empty());
}

TEST_F(Processing, TheDebugOnlySaveRestartsTheTraceWithoutTheWarning) {
  common_test::TestKey key;
  m_o.m_szPath = key.Path();
  m_o.m_bDebugEnable = true;
  m_o.ProcessSettings(false, false);
  g_Debug().Output("before the save");
  m_o.Reg_Save("", true);
  EXPECT_TRUE(m_prompts.Prompts().empty());
  EXPECT_TRUE(g_Debug().IsInitialized());
  g_Debug().Terminate();
  EXPECT_EQ(Lines(ReadFileBytes(m_o.m_szDebugOutput)).size(), 28u);
  EXPECT_EQ(ReadFileBytes(m_o.m_szDebugOutput).find("before the save"), std::string::npos);
}

}  // namespace
