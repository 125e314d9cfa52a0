// The options page against the grid model alone: the rows it makes, the
// rows that follow others, the checks before a save and the copy back.
#include <gtest/gtest.h>

#include "base/tests/testing.h"
#include "common/clsTrace.h"
#include "config/clsOptions.h"
#include "smartui/model.h"

namespace {

using config::clsOptions;

// Settings as a user might have them, with debugging and timing off so that
// a save writes no trace file.
clsOptions Sample() {
  clsOptions o;
  o.Reset();
  o.m_szShellConfigFile = "C:\\Menus\\My menu.cfg";
  o.m_szShellCustomActionsFile = "C:\\Menus\\CustomActions.ini";
  o.m_szDebugOutput = "C:\\Menus\\Debug.dbg";
  o.m_szTimingOutput = "C:\\Menus\\Timing.dbg";
  return o;
}

class OptionsPage : public testing::Test {
 protected:
  OptionsPage() {
    // The page is hosted as the dialog hosts it: every change goes to the page.
    m_grid.handlers.itemChange = [this](const sui::ItemPtr& row, const std::string& p) {
      m_o.SmartUI_SetStatus(m_grid, row, p);
    };
  }
  sui::ItemPtr Row(const char* key) { return m_grid.items().at(key); }
  std::string Validate() {
    std::string message = "(none)";
    sui::ItemPtr row = m_o.SmartUI_Validate(m_grid, message);
    return row ? row->key() + ": " + message : message;
  }
  void TearDown() override {
    common::g_Debug().Terminate();
    common::g_oTiming().Terminate();
  }
  clsOptions m_o = Sample();
  sui::Control m_grid{sui::Style::Grid};
  testing_support::PromptRecorder m_prompts;
};

TEST_F(OptionsPage, LoadMakesTheRowsWithTheirValuesAndChoices) {
  m_o.m_lShellShowFlags = clsOptions::ShowFlag_InSubMenu | clsOptions::ShowFlag_CopyTo;
  m_o.m_lShellShowHistoryMRU = 2;
  m_o.SmartUI_Load(m_grid);
  m_o.SmartUI_Load(m_grid);  // a second load starts over
  ASSERT_EQ(m_grid.items().count(), 39);
  EXPECT_TRUE(m_grid.items().at(1)->bold());
  EXPECT_FALSE(m_grid.items().at(5)->enabled());
  EXPECT_EQ(Row("shell_configfile")->image(), "folder_open");
  EXPECT_EQ(Row("shell_configfile")->value().ToString(), "C:\\Menus\\My menu.cfg");
  EXPECT_EQ(Row("shell_maxmenutext")->value().ToString(), "64");
  EXPECT_TRUE(Row("shell_showcopyto")->checked());
  EXPECT_FALSE(Row("shell_showopen")->checked());
  EXPECT_EQ(Row("shell_showicons")->value().ToString(), "Maximum");
  EXPECT_EQ(Row("shell_showicons")->tag().ToLong(), 3);
  EXPECT_EQ(Row("shell_showmru")->value().ToString(), "Show in sub menu");
  EXPECT_EQ(Row("shell_showposition")->value().ToString(), "Show in root menu");
  EXPECT_EQ(Row("shell_showposition")->subItems().count(), 2);
  EXPECT_EQ(Row("shell_maxqa")->value().ToString(), "1");
  EXPECT_FALSE(Row("shell_maxqa")->enabled());
  EXPECT_FALSE(Row("debug_debugoutput")->enabled());
  EXPECT_TRUE(Row("shell_useownfolderbitmap")->enabled());
}

TEST_F(OptionsPage, ShellRowsFollowIntegrationAndIconRowsFollowTheLevel) {
  m_o.SmartUI_Load(m_grid);
  const char* shellRows[] = {"shell_showinie", "shell_configfile", "shell_showicons", "shell_useownfolderbitmap",
                             "shell_showmru", "shell_maxmru", "shell_showqa", "shell_showopen", "shell_showposition",
                             "shell_maxmenutext", "shell_cafile", "shell_ownerdraw", "shell_ignoreboundscheck"};
  m_grid.userToggle(Row("shell_enable"));
  for (const char* key : shellRows) EXPECT_FALSE(Row(key)->enabled()) << key;
  EXPECT_TRUE(Row("designer_showbackground")->enabled());

  m_grid.userToggle(Row("shell_enable"));
  for (const char* key : shellRows) EXPECT_TRUE(Row(key)->enabled()) << key;
  EXPECT_FALSE(Row("shell_maxqa")->enabled()) << "never enabled";

  sui::ItemPtr icons = Row("shell_showicons");
  m_grid.userPick(icons, icons->subItems().at(1));  // "None"
  EXPECT_EQ(icons->tag().ToLong(), 0);
  EXPECT_FALSE(Row("shell_useownfolderbitmap")->enabled());
  EXPECT_FALSE(Row("shell_ownerdraw")->enabled());
  m_grid.userToggle(Row("shell_enable"));
  m_grid.userToggle(Row("shell_enable"));
  EXPECT_FALSE(Row("shell_useownfolderbitmap")->enabled()) << "no icons: no own folder picture";
  EXPECT_TRUE(Row("shell_ownerdraw")->enabled()) << "drawn items follow integration alone";
  m_grid.userPick(icons, icons->subItems().at(2));  // "Minimum"
  EXPECT_TRUE(Row("shell_useownfolderbitmap")->enabled());

  m_grid.userToggle(Row("debug_debugenabled"));
  EXPECT_TRUE(Row("debug_debugoutput")->enabled());
  m_grid.userToggle(Row("debug_timingenabled"));
  EXPECT_TRUE(Row("debug_timingoutput")->enabled());
}

TEST_F(OptionsPage, ValidationReportsTheFirstFailingRow) {
  struct Case {
    std::vector<std::pair<const char*, const char*>> edits;
    std::string expected;
  } cases[] = {
      {{}, "(none)"},
      {{{"shell_configfile", "   "}, {"debug_debugoutput", ""}}, "shell_configfile: No config file specified!"},
      {{{"shell_configfile", " \r\n\t"}}, "shell_configfile: No config file specified!"},
      {{{"debug_debugoutput", ""}, {"shell_maxmenutext", ""}}, "debug_debugoutput: No debug file specified!"},
      {{{"debug_timingoutput", " "}}, "debug_timingoutput: No timings file specified!"},
      {{{"shell_maxmenutext", "-1"}}, "shell_maxmenutext: Invalid menu text length entered!"},
      {{{"shell_maxmenutext", "0"}}, "(none)"},
      {{{"shell_maxmenutext", " 12 "}}, "(none)"},
      {{{"shell_maxmenutext", "12abc"}}, "shell_maxmenutext: Invalid menu text length entered!"},
      {{{"shell_maxmenutext", "99999999999"}}, "shell_maxmenutext: Invalid menu text length entered!"},
      {{{"shell_maxmru", "0"}}, "shell_maxmru: Invalid number entered!"},
      {{{"shell_maxmru", "1"}}, "(none)"},
      {{{"shell_maxmru", "abc"}}, "shell_maxmru: Invalid number entered!"},
      {{{"shell_maxqa", ""}}, "shell_maxqa: Invalid number entered!"},
  };
  for (const Case& c : cases) {
    m_o.SmartUI_Load(m_grid);
    std::string label;
    for (const auto& [key, value] : c.edits) {
      Row(key)->setValue(std::string(value));
      label += std::string(key) + "='" + value + "' ";
    }
    EXPECT_EQ(Validate(), c.expected) << label;
  }
}

TEST_F(OptionsPage, LoadThenSaveKeepsEverySetting) {
  m_o.m_lShellShowFlags = 2 | 16 | 128 | clsOptions::ShowFlag_InSubMenu | clsOptions::ShowFlag_Desktop;
  m_o.m_lShellShowIcons = 1;
  m_o.m_lShellShowQuickAccessMRU = 0;
  m_o.m_lShellMaxHistoryMRU = 9;
  m_o.m_bShellShowInIE = true;
  m_o.m_bGeneralAllowMultipleInstances = true;
  m_o.m_szShellCustomActionsFile = "  C:\\a.ini \r\n";
  const clsOptions before = m_o;
  m_o.SmartUI_Load(m_grid);
  ASSERT_EQ(Validate(), "(none)");
  m_o.SmartUI_Save(m_grid);
  EXPECT_EQ(m_o.m_lShellShowFlags, before.m_lShellShowFlags & ~clsOptions::ShowFlag_Desktop);
  EXPECT_EQ(m_o.m_lShellShowIcons, 1);
  EXPECT_EQ(m_o.m_lShellShowQuickAccessMRU, 0);
  EXPECT_EQ(m_o.m_lShellShowHistoryMRU, before.m_lShellShowHistoryMRU);
  EXPECT_EQ(m_o.m_lShellMaxHistoryMRU, 9);
  EXPECT_EQ(m_o.m_lShellMaxMenuText, before.m_lShellMaxMenuText);
  EXPECT_TRUE(m_o.m_bShellShowInIE);
  EXPECT_TRUE(m_o.m_bGeneralAllowMultipleInstances);
  EXPECT_EQ(m_o.m_bShellOwnerDraw, before.m_bShellOwnerDraw);
  EXPECT_EQ(m_o.m_szShellConfigFile, before.m_szShellConfigFile);
  EXPECT_EQ(m_o.m_szShellCustomActionsFile, "  C:\\a.ini") << "trailing blanks and breaks go, leading stay";
  EXPECT_TRUE(m_prompts.Prompts().empty());
}

TEST_F(OptionsPage, EditsReachTheFieldsOnlyOnSave) {
  m_o.SmartUI_Load(m_grid);
  m_grid.userToggle(Row("shell_showopen"));
  sui::ItemPtr position = Row("shell_showposition");
  m_grid.userPick(position, position->subItems().at(2));
  m_grid.userEdit(Row("shell_maxmru"), " 7 ");
  EXPECT_TRUE(m_o.ShowFlag_IsOpen());
  EXPECT_EQ(m_o.m_lShellMaxHistoryMRU, 5);
  m_o.SmartUI_Save(m_grid);
  EXPECT_FALSE(m_o.ShowFlag_IsOpen());
  EXPECT_TRUE(m_o.ShowFlag_IsInSubMenu());
  EXPECT_EQ(m_o.m_lShellMaxHistoryMRU, 7);
}

TEST_F(OptionsPage, AStoredNumberNoEntryStandsForIsKeptUnlessTheUserPicks) {
  m_o.m_lShellShowIcons = 7;
  m_o.m_lShellShowHistoryMRU = 5;
  m_o.m_lShellShowQuickAccessMRU = -1;
  m_o.SmartUI_Load(m_grid);
  EXPECT_EQ(Row("shell_showicons")->value().ToString(), "");
  EXPECT_EQ(Row("shell_showmru")->value().ToString(), "");
  m_o.SmartUI_Save(m_grid);
  EXPECT_EQ(m_o.m_lShellShowIcons, 7);
  EXPECT_EQ(m_o.m_lShellShowHistoryMRU, 5);
  EXPECT_EQ(m_o.m_lShellShowQuickAccessMRU, -1);

  sui::ItemPtr mru = Row("shell_showmru");
  m_grid.userPick(mru, mru->subItems().at(1));  // "Do not show"
  m_o.SmartUI_Save(m_grid);
  EXPECT_EQ(m_o.m_lShellShowHistoryMRU, 0);
}

TEST_F(OptionsPage, SavingWithDebuggingOnWarnsAndRestartsTheTrace) {
  testing_support::TempDir dir;
  m_o.m_szDebugOutput = dir.File("d.dbg");
  m_o.SmartUI_Load(m_grid);
  m_grid.userToggle(Row("debug_debugenabled"));
  m_o.SmartUI_Save(m_grid);
  EXPECT_TRUE(m_o.m_bDebugEnable);
  ASSERT_EQ(m_prompts.Prompts().size(), 1u);
  EXPECT_NE(m_prompts.Prompts()[0].text.find("Warning, debugging has been enabled."), std::string::npos);
  EXPECT_TRUE(common::g_Debug().IsInitialized());
}

}  // namespace
