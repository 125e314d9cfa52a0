// The whole menu through shellhost: the recent lists and built-in
// commands for the settings, owner drawing into a real memory context, and
// dynamic folders over real folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "config/clsCorvaneData.h"
#include "shellext/FennickThread.h"
#include "base/tests/testing.h"
#include "shellext/tests/fennick_testing.h"
#include "shellext/tests/shellhost_menu.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using fennick_test::ListItem;
using fennick_test::MenuOutline;
using testing_support::WriteFileBytes;

// A right-click through shellhost, with the settings of a fresh
// installation, enabled, without icons, lists or built-ins, reading the
// configuration file `cfg`, as `change` adjusts them.
class ShellhostMenu : public ::testing::Test {
 protected:
  void Settings(const std::string& cfg, const std::function<void(clsOptions&)>& change = {}) {
    fennick_test::PlantSettings([&](clsOptions& o) {
      o.m_bShellEnable = true;
      o.m_szShellConfigFile = cfg;
      o.m_szShellCustomActionsFile = "";
      o.m_lShellShowIcons = clsOptions::OptionLevel_None;
      o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_DoNotShow;
      o.m_lShellMaxHistoryMRU = o.m_lShellMaxQuickAccessMRU = 10;
      o.m_lShellShowFlags = 0;
      o.m_bShellOwnerDraw = false;
      if (change) change(o);
    });
  }
  std::string Run(const std::vector<std::string>& args) {
    unsigned long exitCode = 0;
    std::string output = fennick_test::RunShellHostWithFennick(args, &exitCode);
    EXPECT_EQ(exitCode, 0u) << output;
    return output;
  }

  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
};

TEST_F(ShellhostMenu, RecentListsAndBuiltInCommandsAsTheSettingsSay) {
  WriteFileBytes(dir.File("notes.txt"), "n");
  configbuilder::ConfigBuilder cfg("Tools");
  cfg.Add(clsCorvaneData::TypeFile, "Notes", dir.File("notes.txt"));
  cfg.Save(dir.File("menu.cfg"));
  const std::string system = "C:\\windows\\system32";
  fennick_test::WriteList(shellext::kHistoryMRUKey, {ListItem(clsCorvaneData::TypeFolder, system, system),
                                         ListItem(clsCorvaneData::TypeFile, "Tom & Jerry.txt", dir.File("Tom & Jerry.txt"))});
  const std::string deep = "C:\\archive\\2019\\projects\\corvane\\drafts\\old";
  fennick_test::WriteList(shellext::kQuickAccessMRUKey, {ListItem(clsCorvaneData::TypeFolder, deep, deep)});

  const struct {
    const char* what;
    std::function<void(clsOptions&)> settings;
    std::string menu;
  } cases[] = {
      {"lists and built-ins off: the resets still show", [](clsOptions&) {}, R"(  menu
    separator - disabled
    popup - "Tools"
      string 0 "Notes"
      separator - disabled
      string 2 "&Designer..."
      separator - disabled
      string 3 "&Reset History MRU"
      string 4 "Rese&t Quick Access MRU"
    separator - disabled
)"},
      // The root popup stays where it was to go before the lists were
      // added; the built-ins' closing separator and the root's own would
      // meet, and one of them goes.
      {"both lists and two built-ins in the shell's menu", [](clsOptions& o) {
         o.m_lShellShowHistoryMRU = clsOptions::OptionsMenuDisplay_ShowInMainMenu;
         o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_ShowInMainMenu;
         o.m_lShellShowFlags = clsOptions::ShowFlag_OpenInNewWindow | clsOptions::ShowFlag_TaskManager;
       }, R"(  menu
    separator - disabled
    popup - "Tools"
      string 0 "Notes"
      separator - disabled
      string 6 "&Designer..."
      separator - disabled
      string 7 "&Reset History MRU"
      string 8 "Rese&t Quick Access MRU"
    string 2 "&1 C:\\windows\\system32"
    string 3 "&2 Tom && Jerry.txt"
    separator - disabled
    string 4 "&3 ...\\2019\\projects\\corvane\\drafts\\old"
    string 5 "&Add To Quick Access"
    separator - disabled
    string 9 "Open in New Window"
    string 10 "Task Manager"
    separator - disabled
)"},
      {"both lists and every built-in in submenus", [](clsOptions& o) {
         o.m_lShellShowHistoryMRU = clsOptions::OptionsMenuDisplay_ShowInSubMenu;
         o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_ShowInSubMenu;
         o.m_lShellShowFlags = 0x1ff;
       }, R"(  menu
    separator - disabled
    popup - "Tools"
      string 0 "Notes"
      separator - disabled
      popup - "&History"
        string 2 "&1 C:\\windows\\system32"
        string 3 "&2 Tom && Jerry.txt"
      separator - disabled
      popup - "&Quick Access"
        string 4 "&1 ...\\2019\\projects\\corvane\\drafts\\old"
        string 5 "&Add To Quick Access"
      separator - disabled
      string 6 "&Designer..."
      separator - disabled
      string 7 "&Reset History MRU"
      string 8 "Rese&t Quick Access MRU"
      separator - disabled
      string 9 "Open in New Window"
      string 10 "Copy to Clipboard"
      string 11 "Copy to Run Dialog..."
      string 12 "Copy to..."
      string 13 "Move to..."
      string 14 "Command Prompt Here"
      string 15 "Task Manager"
    separator - disabled
)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Settings(dir.File("menu.cfg"), c.settings);
    const std::string menu = MenuOutline(Run({dir.File("notes.txt")}), dir.Path());
    EXPECT_EQ(menu, c.menu);
  }
}

TEST_F(ShellhostMenu, DynamicFoldersListTheirFolderWhenFirstOpened) {
  for (const char* sub : {"a", "a\\b", "a\\A", "empty"}) ASSERT_TRUE(CreateDirectoryA(dir.File(sub).c_str(), nullptr));
  for (const char* file : {"a\\Readme.TXT", "a\\notes.log", "a\\image.png", "a\\Tom & Jerry.txt", "a\\x[1].txt",
                           "a\\#3.txt", "a\\secret.txt", "a\\A\\inner.txt", "a\\A\\inner.png"})
    WriteFileBytes(dir.File(file), "x");
  SetFileAttributesA(dir.File("a\\secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);  // listed like the others
  WriteFileBytes(dir.File("notes.txt"), "n");
  configbuilder::ConfigBuilder cfg("Tools");
  auto dynamic = [&](const char* caption, const std::string& location, const char* filter) {
    auto item = configbuilder::MakeItem(clsCorvaneData::TypeDynamicFolder, caption, location);
    item->m_szDFolder_Filter = filter;
    cfg.Add(item);
  };
  dynamic("Texts", dir.File("a"), "*.TXT,*.log");
  dynamic("Empty", dir.File("empty") + "\\", "");
  dynamic("Nowhere", "", "");
  dynamic("Inner", dir.File("a\\A"), "");
  cfg.Save(dir.File("menu.cfg"));
  Settings(dir.File("menu.cfg"));

  // Sub-folders first, then the files the filter lets through, each by
  // lower-cased name; "&" shows as itself. Identifiers follow the order in
  // which the folders first open, from the block after the other entries,
  // and a folder opened again is not listed again. Folders that list
  // nothing (an empty one, an empty location) keep their "(Empty)".
  const std::string menu = R"menu(    separator - disabled
    popup - "Tools" opened
      popup - "Texts" opened
        popup - "A" opened
          string 10 "inner.txt"
        popup - "b" opened
          string 0 "(Empty)" disabled
        string 2 "#3.txt"
        string 5 "notes.log"
        string 6 "Readme.TXT"
        string 7 "secret.txt"
        string 8 "Tom && Jerry.txt"
        string 9 "x[1].txt"
      popup - "Empty" opened
        string 0 "(Empty)" disabled
      popup - "Nowhere" opened
        string 0 "(Empty)" disabled
      popup - "Inner" opened
        string 11 "inner.png"
        string 12 "inner.txt"
      separator - disabled
      string 1 "&Designer..."
    separator - disabled
)menu";
  // The same through the older interface's HandleMenuMsg.
  for (const char* messages : {"--open-twice", "--menu2"}) {
    SCOPED_TRACE(messages);
    const std::string r = Run({"--open-twice", messages, dir.File("notes.txt")});
    EXPECT_EQ(MenuOutline(r, dir.Path()), "  menu\n" + menu + "  menu again\n" + menu);
    // The block reserved for dynamic folders lies inside the count claimed.
    EXPECT_NE(r.find("\n  QueryContextMenu 0x0000138b code 5003\n"), std::string::npos) << r;
  }
}

}  // namespace
