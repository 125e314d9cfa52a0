// Fennick's whole menu through shellhost: the recent lists and built-in
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
#include "shellext/tests/fennick_session.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using fennick_test::FennickSession;
using fennick_test::ListItem;
using fennick_test::MenuOutline;
using testing_support::WriteFileBytes;

TEST(FennickMenu, RecentListsAndBuiltInCommandsAsTheSettingsSay) {
  FennickSession s;
  const std::string dir = s.Dir().Path();
  WriteFileBytes(s.Dir().File("notes.txt"), "n");
  configbuilder::ConfigBuilder cfg("Tools");
  cfg.Add(clsCorvaneData::TypeFile, "Notes", s.Dir().File("notes.txt"));
  cfg.Save(s.Dir().File("menu.cfg"));
  const std::string system = "C:\\windows\\system32";
  s.WriteList(shellext::kHistoryMRUKey, {ListItem(clsCorvaneData::TypeFolder, system, system),
                                         ListItem(clsCorvaneData::TypeFile, "Tom & Jerry.txt", dir + "\\Tom & Jerry.txt")});
  const std::string deep = "C:\\archive\\2019\\projects\\corvane\\drafts\\old";
  s.WriteList(shellext::kQuickAccessMRUKey, {ListItem(clsCorvaneData::TypeFolder, deep, deep)});

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
    s.WriteSettings(s.Dir().File("menu.cfg"), c.settings);
    const std::string menu = MenuOutline(s.Run({s.Dir().File("notes.txt")}).output, dir);
    EXPECT_EQ(menu, c.menu);
  }
}

}  // namespace
