// The recent lists, the Designer and reset entries and the built-in commands
// planned for combinations of settings, written as one line per step:
//   [?]MENU[POS] WHAT[>INSERTPOS]
// "?" an identifier check first; MENU S shell, R root popup, H History popup,
// Q Quick Access popup; POS absent when appended; WHAT "-" a separator, a
// list entry "H2#5" (History entry 2 numbered 5), "check", or a name;
// ">n" the shell menu's insert position afterwards.
#include "shellext/MenuListPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/clsCorvaneData.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using shellext::ListMenu;
using shellext::ListStep;
using shellext::MenuListFacts;

std::string TypeName(std::int32_t type) {
  switch (type) {
    case clsCorvaneData::TypePopupHistory: return "History";
    case clsCorvaneData::TypePopupQuickAccess: return "QuickAccess";
    case clsCorvaneData::TypeAddToQuickAccessMRU: return "AddQA";
    case clsCorvaneData::TypeDesigner: return "Designer";
    case clsCorvaneData::TypeResetHistoryMRU: return "ResetH";
    case clsCorvaneData::TypeResetQuickAccessMRU: return "ResetQA";
    case clsCorvaneData::TypeOpenInNewWindow: return "Open";
    case clsCorvaneData::TypeCopyFilenamesToClipboard: return "Clipboard";
    case clsCorvaneData::TypeRunDialog: return "Run";
    case clsCorvaneData::TypeCopyTo: return "CopyTo";
    case clsCorvaneData::TypeMoveTo: return "MoveTo";
    case clsCorvaneData::TypeCommandPrompt: return "Prompt";
    case clsCorvaneData::TypeTaskManager: return "TaskMgr";
    default: return "type" + std::to_string(type);
  }
}

std::string Describe(const ListStep& s) {
  std::string text = s.checked ? "?" : "";
  text += "SRHQ"[static_cast<int>(s.menu)];
  if (s.position >= 0) text += std::to_string(s.position);
  text += " ";
  switch (s.kind) {
    case ListStep::Kind::Check: text += "check"; break;
    case ListStep::Kind::Separator: text += "-"; break;
    case ListStep::Kind::ListEntry:
      text += (s.list == shellext::ListSource::History ? "H" : "Q") + std::to_string(s.index) + "#" +
              std::to_string(s.number);
      break;
    default: text += TypeName(s.type); break;
  }
  if (s.insertPosAfter >= 0) text += ">" + std::to_string(s.insertPosAfter);
  return text;
}

std::vector<std::string> Plan(const clsOptions& options, const MenuListFacts& facts) {
  std::vector<std::string> lines;
  for (const ListStep& step : shellext::PlanMenuLists(options, facts)) lines.push_back(Describe(step));
  return lines;
}

struct Settings {
  std::int32_t history = 0, quickAccess = 0, flags = 0;
};

clsOptions Options(const Settings& s) {
  clsOptions o;
  o.m_lShellShowHistoryMRU = s.history;
  o.m_lShellShowQuickAccessMRU = s.quickAccess;
  o.m_lShellShowFlags = s.flags;
  return o;
}

// The shell's menu holds Fennick's leading separator; entries go in after it.
MenuListFacts Facts(std::int32_t history, std::int32_t quickAccess, std::int32_t rootCount = 0) {
  MenuListFacts f;
  for (std::int32_t i = 1; i <= history; ++i) f.history.push_back(i);
  for (std::int32_t i = 1; i <= quickAccess; ++i) f.quickAccess.push_back(i);
  f.rootCount = rootCount;
  f.shellCount = 1;
  f.insertPos = 1;
  return f;
}

constexpr int kMain = clsOptions::OptionsMenuDisplay_ShowInMainMenu;
constexpr int kSub = clsOptions::OptionsMenuDisplay_ShowInSubMenu;

TEST(MenuListPlan, RecentListsWhereTheSettingsPutThem) {
  MenuListFacts withFolder = Facts(3, 2);
  withFolder.hasCurrentFolder = true;
  const struct {
    const char* what;
    Settings settings;
    MenuListFacts facts;
    std::vector<std::string> steps;
  } cases[] = {
      {"nothing to show: Designer alone", {}, Facts(0, 0), {"?R Designer"}},
      {"lists off: their resets still show",
       {},
       Facts(1, 1, 2),
       {"R -", "?R Designer", "?R -", "R ResetH", "?R ResetQA"}},
      {"History in the main menu, numbered from 1, the insert position following",
       {kMain, 0, 0},
       Facts(3, 0),
       {"?S1 H1#1>2", "?S2 H2#2>3", "?S3 H3#3>4", "?R Designer", "?R -", "R ResetH"}},
      {"both in the main menu: Quick Access numbers go on after History's",
       {kMain, kMain, 0},
       withFolder,
       {"?S1 H1#1>2", "?S2 H2#2>3", "?S3 H3#3>4", "S4 ->5", "?S5 Q1#4>6", "?S6 Q2#5>7", "?S7 AddQA>8",
        "?R Designer", "?R -", "R ResetH", "?R ResetQA"}},
      {"Quick Access in the main menu counts History's entries even when History is off",
       {0, kMain, 0},
       withFolder,
       {"S1 ->2", "?S2 Q1#4>3", "?S3 Q2#5>4", "?S4 AddQA>5", "?R Designer", "?R -", "R ResetH", "?R ResetQA"}},
      {"both in submenus, after the configured entries, numbered from 1 each",
       {kSub, kSub, 0},
       [] {
         MenuListFacts f = Facts(2, 1, 4);
         f.hasCurrentFile = true;
         return f;
       }(),
       {"R -", "R History", "?H0 H1#1", "?H1 H2#2", "R -", "R QuickAccess", "?Q0 Q1#1", "?Q1 AddQA", "R -",
        "?R Designer", "?R -", "R ResetH", "?R ResetQA"}},
      {"an empty Quick Access submenu holds only Add To Quick Access",
       {0, kSub, 0},
       [] {
         MenuListFacts f = Facts(0, 0);
         f.hasCurrentFile = true;
         return f;
       }(),
       {"R QuickAccess", "?Q0 AddQA", "R -", "?R Designer"}},
      {"no current file or folder: no Add To Quick Access, its check stays",
       {0, kSub, 0},
       Facts(0, 0),
       {"R QuickAccess", "?Q check", "R -", "?R Designer"}},
      {"entries left out of a damaged list: the numbers count the entries shown",
       {kMain, kMain, 0},
       [] {
         MenuListFacts f = Facts(0, 0);
         f.history = {2, 7};
         f.quickAccess = {3};
         f.hasCurrentFolder = true;
         return f;
       }(),
       {"?S1 H2#1>2", "?S2 H7#2>3", "S3 ->4", "?S4 Q3#3>5", "?S5 AddQA>6", "?R Designer", "?R -", "R ResetH",
        "?R ResetQA"}},
      {"empty History, some Quick Access: one separator, then its reset",
       {kSub, kSub, 0},
       Facts(0, 2),
       {"R QuickAccess", "?Q0 Q1#1", "?Q1 Q2#2", "?Q check", "R -", "?R Designer", "?R -", "R ResetQA"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Plan(Options(c.settings), c.facts), c.steps);
  }
}

TEST(MenuListPlan, BuiltInCommandsByTheirFlagsAndTheSelection) {
  constexpr int all = clsOptions::ShowFlag_OpenInNewWindow | clsOptions::ShowFlag_CopyToClipboard |
                      clsOptions::ShowFlag_RunDialog | clsOptions::ShowFlag_CopyTo | clsOptions::ShowFlag_MoveTo |
                      clsOptions::ShowFlag_CommandPrompt | clsOptions::ShowFlag_TaskManager |
                      clsOptions::ShowFlag_Desktop;
  auto facts = [](std::int32_t selected, bool file, bool folder, bool dataObject) {
    MenuListFacts f = Facts(0, 0);
    f.selectionCount = selected;
    f.hasCurrentFile = file;
    f.hasCurrentFolder = folder;
    f.hasDataObject = dataObject;
    return f;
  };
  const struct {
    const char* what;
    std::int32_t flags;
    MenuListFacts facts;
    std::vector<std::string> steps;
  } cases[] = {
      {"one file selected: all of them, in their order, between separators in the shell's menu",
       all,
       facts(1, true, true, true),
       {"?R Designer", "?S1 ->2", "S2 Open>3", "?S3 Clipboard>4", "?S4 Run>5", "?S5 CopyTo>6", "?S6 MoveTo>7",
        "?S7 Prompt>8", "?S8 TaskMgr>9", "S9 -"}},
      {"two names selected: no Run dialog, no Open without a current file",
       all,
       facts(2, false, true, true),
       {"?R Designer", "?S1 ->2", "S2 Clipboard>3", "?S3 CopyTo>4", "?S4 MoveTo>5", "?S5 Prompt>6",
        "?S6 TaskMgr>7", "S7 -"}},
      {"a folder's background: nothing selected, no data object",
       all,
       facts(0, false, true, false),
       {"?R Designer", "?S1 ->2", "S2 Prompt>3", "?S3 TaskMgr>4", "S4 -"}},
      {"in the submenu: appended to the root popup after one separator, none closing",
       all | clsOptions::ShowFlag_InSubMenu,
       facts(0, false, true, false),
       {"?R Designer", "?R1 -", "R2 Prompt", "?R3 TaskMgr"}},
      {"no command shown: no separator for the group",
       clsOptions::ShowFlag_RunDialog | clsOptions::ShowFlag_Desktop,
       facts(3, false, false, true),
       {"?R Designer"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Plan(Options({0, 0, c.flags}), c.facts), c.steps);
  }
}

}  // namespace
