// The settings store against a key of the test's own: natively the
// in-memory registry, under Wine the prefix's registry.
#include "config/clsOptions.h"

#include <gtest/gtest.h>

#include <thread>

#include "base/context.h"

#include "base/tests/testing.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/modRegistry.h"
#include "common/tests/testkey.h"

namespace {

using common_test::TestKey;
using config::clsOptions;

// Every setting the registry holds, in one list for the comparisons.
struct Values {
  bool b[12];
  std::int32_t l[8];
  std::string s[4];
};

Values Of(const clsOptions& o) {
  return Values{{o.m_bGeneralShowBackground, o.m_bGeneralAllowMultipleInstances, o.m_bGeneralSaveWindowPos,
                 o.m_bShellEnable, o.m_bShellShowInIE, o.m_bShellUseOwnFolderBitmap, o.m_bShellIgnoreBoundsCheck,
                 o.m_bShellOwnerDraw, o.m_bDebugEnable, o.m_bDebugShowWindowsMenuInfo, o.m_bDebugEnableInMenu,
                 o.m_bTimingEnable},
                {o.m_lShellShowIcons, o.m_lShellShowHistoryMRU, o.m_lShellMaxHistoryMRU, o.m_lShellShowQuickAccessMRU,
                 o.m_lShellMaxQuickAccessMRU, o.m_lShellShowFlags, o.m_lShellMaxMenuText, o.m_lDebugFlags},
                {o.m_szShellConfigFile, o.m_szShellCustomActionsFile, o.m_szDebugOutput, o.m_szTimingOutput}};
}

void ExpectSame(const Values& a, const Values& b) {
  for (int i = 0; i < 12; ++i) EXPECT_EQ(a.b[i], b.b[i]) << "flag " << i;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(a.l[i], b.l[i]) << "number " << i;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(a.s[i], b.s[i]) << "text " << i;
}

long Stored(const TestKey& key, const char* name, base::Variant& out) {
  return common::RegistryGetValue("HKCU", key.Path(), name, "D", base::Variant(), out);
}

class Settings : public testing::Test {
 protected:
  void TearDown() override {
    common::g_Debug().Terminate();
    common::g_oTiming().Terminate();
  }
  TestKey m_key;
  testing_support::PromptRecorder m_prompts;
};

TEST_F(Settings, AnEmptyKeyLoadsExactlyTheDefaults) {
  clsOptions o;
  o.Reg_Load(m_key.Path());
  const std::string folder = common::ProgramFolder();
  Values expected{{true, false, true, true, false, false, false, true, false, false, false, false},
                  {3, 1, 5, 1, 1, 254, 64, 66},
                  {folder + "\\Default.cfg", folder + "\\CustomActions.ini", folder + "\\Debug.dbg",
                   folder + "\\Timing.dbg"}};
  ExpectSame(Of(o), expected);
  EXPECT_EQ(o.m_szPath, m_key.Path());
  EXPECT_TRUE(o.ShowFlag_IsOpen());
  EXPECT_FALSE(o.ShowFlag_IsDesktop());
  EXPECT_FALSE(o.ShowFlag_IsInSubMenu());
  EXPECT_TRUE(o.ShowFlag_IsTaskManager());
  EXPECT_TRUE(m_prompts.Prompts().empty());
  EXPECT_FALSE(common::g_Debug().IsInitialized());
}

TEST_F(Settings, ASaveFollowedByALoadGivesEverySettingBack) {
  testing_support::TempDir dir;
  clsOptions o;
  o.Reg_Load(m_key.Path());
  o.m_bGeneralShowBackground = false;
  o.m_bGeneralAllowMultipleInstances = true;
  o.m_bGeneralSaveWindowPos = false;
  o.m_bShellEnable = false;
  o.m_bShellShowInIE = true;
  o.m_szShellConfigFile = "C:\\Menus\\My menu.cfg";
  o.m_lShellShowIcons = 0;
  o.m_bShellUseOwnFolderBitmap = true;
  o.m_lShellShowHistoryMRU = 2;
  o.m_lShellMaxHistoryMRU = 12;
  o.m_lShellShowQuickAccessMRU = 0;
  o.m_lShellShowFlags = 1 | 256;
  o.m_szShellCustomActionsFile = " spaced actions.ini ";
  o.m_lShellMaxMenuText = 0;
  o.m_bShellIgnoreBoundsCheck = true;
  o.m_bShellOwnerDraw = false;
  o.m_bDebugEnable = true;
  o.m_szDebugOutput = dir.File("d.dbg");
  o.m_bDebugShowWindowsMenuInfo = true;
  o.m_bDebugEnableInMenu = true;
  o.m_bTimingEnable = true;
  o.m_szTimingOutput = dir.File("t.dbg");
  o.Reg_Save("", false);

  clsOptions loaded;
  loaded.Reg_Load(m_key.Path());
  ExpectSame(Of(loaded), Of(o));
  EXPECT_EQ(m_prompts.Prompts().size(), 1u) << "the debugging warning of the load";
}

TEST_F(Settings, TheQuickAccessMaximumIsAlwaysOne) {
  ASSERT_EQ(common::RegistrySetValue("HKCU", m_key.Path(), "ShelllMaxQuickAccessMRU", "D", 7), 0);
  ASSERT_EQ(common::RegistrySetValue("HKCU", m_key.Path(), "ShelllMaxHistoryMRU", "D", 12), 0);
  clsOptions o;
  o.Reg_Load(m_key.Path());
  EXPECT_EQ(o.m_lShellMaxQuickAccessMRU, 1);
  EXPECT_EQ(o.m_lShellMaxHistoryMRU, 12);
  o.m_lShellMaxQuickAccessMRU = 9;
  o.Reg_Save("", false);
  base::Variant stored;
  EXPECT_EQ(Stored(m_key, "ShelllMaxQuickAccessMRU", stored), 0);
  EXPECT_EQ(stored.ToLong(), 1);
}

TEST_F(Settings, OnlyTheConfigFileLosesItsSurroundingSpaces) {
  common::RegistrySetValue("HKCU", m_key.Path(), "ShellConfigFile", "S", "  menu.cfg ");
  common::RegistrySetValue("HKCU", m_key.Path(), "ShellCustomActionsFile", "S", "  actions.ini ");
  clsOptions o;
  o.Reg_Load(m_key.Path());
  EXPECT_EQ(o.m_szShellConfigFile, "menu.cfg");
  EXPECT_EQ(o.m_szShellCustomActionsFile, "  actions.ini ");
}

TEST_F(Settings, DebugFlagsAreReadButNeverWritten) {
  clsOptions o;
  o.Reg_Load(m_key.Path());
  o.Reg_Save("", false);
  base::Variant stored;
  EXPECT_EQ(Stored(m_key, "DebugFlags", stored), 2);

  common::RegistrySetValue("HKCU", m_key.Path(), "DebugFlags", "D", 0);
  o.Reg_Load(m_key.Path());
  EXPECT_EQ(o.m_lDebugFlags, 0);
  o.m_lDebugFlags = 5;
  o.Reg_Save("", false);
  EXPECT_EQ(Stored(m_key, "DebugFlags", stored), 0);
  EXPECT_EQ(stored.ToLong(), 0);
}

TEST_F(Settings, TheDebugOnlySaveWritesOnlyTheFourDebugValues) {
  clsOptions o;
  o.Reg_Load(m_key.Path());
  o.Reg_Save("", true);
  struct Case {
    const char* name;
    bool written;
  } cases[] = {
      {"DebugEnable", true}, {"DebugOutput", true}, {"DebugShowWindowsMenuInfo", true},
      {"DebugEnableInMenu", true}, {"DebugFlags", false}, {"TimingEnable", false},
      {"TimingOutput", false}, {"ShellEnable", false}, {"ShelllMaxQuickAccessMRU", false},
      {"ShellConfigFile", false}, {"GeneralSaveWindowPos", false},
  };
  for (const Case& c : cases) {
    std::string text;
    long status = common::RegistryGetValue("HKCU", m_key.Path(), c.name, "S", "", text);
    EXPECT_EQ(status == 0, c.written) << c.name;
  }
}

TEST_F(Settings, ASaveToAnotherKeyWritesThereAndKeepsThePath) {
  TestKey other;
  clsOptions o;
  o.Reg_Load(m_key.Path());
  o.m_lShellMaxMenuText = 40;
  o.Reg_Save(other.Path(), false);
  EXPECT_EQ(o.m_szPath, m_key.Path());
  base::Variant stored;
  EXPECT_EQ(Stored(other, "ShellMaxMenuText", stored), 0);
  EXPECT_EQ(stored.ToLong(), 40);
  EXPECT_EQ(Stored(m_key, "ShellMaxMenuText", stored), 2);
}

TEST(ListSize, AStoredSizeIsClampedWhereItIsUsed) {
  struct Case {
    std::int32_t stored, used;
  } cases[] = {{-5, 0}, {0, 0}, {5, 5}, {config::kMaxListSize, config::kMaxListSize},
               {config::kMaxListSize + 1, config::kMaxListSize}, {INT32_MAX, config::kMaxListSize},
               {INT32_MIN, 0}};
  for (const Case& c : cases) EXPECT_EQ(config::ClampListSize(c.stored), c.used) << c.stored;
}

TEST(ListSize, TheSettingsObjectIsPerThread) {
  clsOptions* mine = &config::g_oOptions();
  clsOptions* other = nullptr;
  std::thread([&] {
    other = &config::g_oOptions();
    base::ThreadContext::DestroyCurrent();
  }).join();
  EXPECT_NE(mine, other);
}

}  // namespace
