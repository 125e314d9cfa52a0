// The item properties dialog's logic on the grid model: the rows per type as
// the type changes, what opening does (and does not do) to the item, the
// pickers, the token menus and previews, OK's checks and the write-back.
#include "designer/PropertiesPage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/tests/testing.h"
#include "config/clsCorvaneData.h"
#include "config/tests/ConfigFixtures.h"
#include "designer/tests/PropertiesFixture.h"
#include "widgets/TextEditor.h"

namespace {

using config::clsCorvaneData;
using C = clsCorvaneData;
using designer::PickedFolder;
using designer_test::FakeShell;

struct Page {
  sui::Control grid{sui::Style::Grid};
  sui::Control tokens{sui::Style::PopupMenu};
  widgets::MemoryTextEditor actions, preview, parms;
  FakeShell shell;
  designer::PropertiesPage page{grid, tokens, {actions, preview, parms}, shell};
  testing_support::PromptRecorder prompts;
  std::vector<std::string> popups;
  int focused = 0;

  Page() {
    page.PopupTokens = [this](const sui::ItemPtr& menu) { popups.push_back(menu->key()); };
    page.FocusGrid = [this] { ++focused; };
  }
  sui::ItemPtr Row(const std::string& key) const { return grid.items().find(key); }
  std::string Value(const std::string& key) const { return Row(key)->value().ToString(); }
  void Set(const std::string& key, const std::string& text) { grid.userEdit(Row(key), text); }
  void Pick(const std::string& key, const std::string& caption) {
    sui::ItemPtr row = Row(key);
    for (const auto& entry : row->subItems())
      if (entry->caption() == caption) return grid.userPick(row, entry);
    ADD_FAILURE() << "no entry " << caption;
  }
  std::string CurrentKey() const { return grid.current() ? grid.current()->key() : std::string(); }
  // The keyed rows shown, in order.
  std::string Shown() const {
    std::string out;
    for (const auto& row : grid.items())
      if (row->visible() && !row->key().empty()) out += row->key() + " ";
    return out;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& p : prompts.Prompts()) out.push_back(p.text);
    return out;
  }
};

std::shared_ptr<clsCorvaneData> NewItem(std::int32_t type, const std::string& caption = "",
                                        const std::string& location = "") {
  return config_test::Item(type, caption, location);
}

// ---- rows by type

TEST(PropertiesRows, EachTypeShowsItsOwnRowsAndStartsOnItsFirst) {
  struct Case {
    std::int32_t type;
    std::int32_t options;
    const char* typeCaption;
    const char* prefix;
    const char* current;
  } cases[] = {
      {C::TypeFolder, 0, "Folder", "folder_", "folder_folder"},
      {C::TypeFolder, C::OptionsCSIDL, "Folder", "folder_", "folder_csidldesc"},
      {C::TypePopupMenu, 0, "Popup Menu", "popupmenu_", "popupmenu_caption"},
      {C::TypeFile, 0, "File", "file_", "file_location"},
      // No entry of its own: the rows are shown all the same.
      {C::TypeCustomAction, 0, "", "action_", "action_caption"},
      {C::TypeSelectionTask, 0, "Selection Task", "selection_", ""},
      // Its entry is hidden, yet the item keeps its type.
      {C::TypeDynamicFolder, 0, "Dynamic Folder", "dfolder_", "dfolder_folder"},
      {C::TypeCopyToX, 0, "Copy/Move To", "copytox_", "copytox_folder"},
      {C::TypeSeparator, 0, "Separator", "", ""},
      {C::TypeRoot, 0, "Root Menu Entry", "root_", "root_caption"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prefix + std::to_string(c.type));
    Page p;
    auto item = NewItem(c.type, "Caption");
    item->m_lOptions = c.options;
    p.page.Load(*item, 0);
    EXPECT_EQ(p.Value("type"), c.typeCaption);
    EXPECT_EQ(p.page.CurrentType(), c.type);
    EXPECT_EQ(p.CurrentKey(), c.current);
    int shown = 0;
    for (const auto& row : p.grid.items()) {
      if (row->key().empty() || row->key() == "TYPE") {
        EXPECT_TRUE(row->visible());
        continue;
      }
      const bool own = *c.prefix && row->key().rfind(c.prefix, 0) == 0;
      EXPECT_EQ(row->visible(), own) << row->key();
      shown += own;
    }
    EXPECT_EQ(shown > 0, *c.prefix != 0);
  }
}

TEST(PropertiesRows, RootHasOnlyTheDisabledTypeRowTheSpacerAndItsCaption) {
  Page p;
  p.page.Load(*NewItem(C::TypeRoot, "My Menu"), 0);
  ASSERT_EQ(p.grid.items().count(), 3);
  EXPECT_FALSE(p.Row("type")->enabled());
  EXPECT_EQ(p.Row("type")->subItems().count(), 1);
  EXPECT_EQ(p.Value("root_caption"), "My Menu");
}

TEST(PropertiesRows, SwitchingTheTypeShowsTheNewRowsWithTheSameCaption) {
  Page p;
  p.page.Load(*NewItem(C::TypeFile, "Notes", "C:\\notes.txt"), 0);
  p.Pick("type", "Folder");
  EXPECT_EQ(p.page.CurrentType(), C::TypeFolder);
  EXPECT_EQ(p.Value("folder_caption"), "Notes");
  EXPECT_EQ(p.Value("folder_folder"), "");  // only a folder's own location fills it
  EXPECT_TRUE(p.Row("folder_caption")->visible());
  EXPECT_FALSE(p.Row("file_location")->visible());
  p.Pick("type", "Separator");
  EXPECT_EQ(p.Shown(), "TYPE ");
  // The type list never offers dynamic folders.
  EXPECT_FALSE(p.Row("type")->subItems().at(2)->visible());
}

// ---- opening never changes the item

TEST(PropertiesOpen, OpeningAndCancellingLeavesEveryKindOfItemAsItCame) {
  struct Case {
    std::int32_t type;
    std::int32_t mode;
    std::int32_t options;
  } cases[] = {
      {C::TypeSelectionTask, 1, 0},  // a new task: its defaults go into the rows only
      {C::TypeSelectionTask, 0, 0},
      {C::TypeFolder, 2, 0},  // a new special folder
      {C::TypeFolder, 0, C::OptionsCSIDL},
      {C::TypeFolder, 1, 0},
      {C::TypeFile, 1, 0},
      {C::TypeCustomAction, 1, 0},
      {C::TypeCopyToX, 1, 0},
      {C::TypeDynamicFolder, 1, 0},
      {C::TypeRoot, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.mode));
    Page p;
    auto item = NewItem(c.type, "", "");
    item->m_lOptions = c.options;
    const std::string before = config_test::StoredFields(*item);
    p.page.Load(*item, c.mode);
    p.page.OpenPickerOfNewItem();  // cancelled: nothing queued
    EXPECT_EQ(config_test::StoredFields(*item), before);
  }
}

TEST(PropertiesOpen, ANewSelectionTaskStartsWithItsDefaultsInTheRows) {
  Page p;
  p.page.Load(*NewItem(C::TypeSelectionTask), 1);
  EXPECT_EQ(p.Value("selection_show"), "Always");
  EXPECT_EQ(p.Value("selection_cmdsuffix"), "\\x20");
  EXPECT_EQ(p.Value("selection_filesuffix"), "\\n");
  EXPECT_EQ(p.parms.Text(), "[crv_selection]");
  EXPECT_EQ(p.Value("selection_preview"), "<selection goes here>");

  Page q;
  auto task = NewItem(C::TypeSelectionTask, "Task");
  task->m_lSelection_Options = C::SelectionOptions_ShowSingle | C::SelectionOptions_Recurse;
  task->m_szSelection_CmdSuffix = "x";
  q.page.Load(*task, 0);
  EXPECT_EQ(q.Value("selection_show"), "Only one entry is selected");
  EXPECT_EQ(q.Value("selection_cmdsuffix"), "x");
  EXPECT_TRUE(q.Row("selection_recurse")->checked());
  EXPECT_FALSE(q.Row("selection_clipboard")->checked());
}

// ---- special folders

TEST(PropertiesSpecialFolder, TheStoredNumberSurvivesOpenAndOkWhenItsNameIsShared) {
  for (int csidl : {5, 12, 16}) {
    SCOPED_TRACE(csidl);
    Page p;
    auto item = NewItem(C::TypeFolder, "", std::to_string(csidl));
    item->m_lOptions = C::OptionsCSIDL | C::OptionsExploreInNewWindow;
    p.page.Load(*item, 0);
    EXPECT_EQ(p.Row("folder_csidldesc")->tag().ToLong(), csidl);
    EXPECT_TRUE(p.Row("folder_typepidl")->checked());
    ASSERT_TRUE(p.page.Ok(*item));
    EXPECT_EQ(item->m_szFolder_Location, std::to_string(csidl));
    EXPECT_EQ(item->m_lOptions, C::OptionsCSIDL | C::OptionsExploreInNewWindow);
    EXPECT_EQ(item->m_szFolder_Caption, "");
  }
}

TEST(PropertiesSpecialFolder, TheEntryThePickedIsStoredNotTheFirstOfItsName) {
  Page p;
  auto item = NewItem(C::TypeFolder, "Docs", "C:\\Docs");
  p.page.Load(*item, 0);
  sui::ItemPtr row = p.Row("folder_csidldesc");
  auto entry = [&](const char* key) { return row->subItems().find(key); };
  p.grid.userPick(row, entry("12"));
  EXPECT_TRUE(p.Row("folder_typepidl")->checked());
  EXPECT_FALSE(p.Row("folder_typefolder")->checked());
  EXPECT_EQ(row->tag().ToLong(), 12);
  p.grid.userPick(row, entry("5"));  // the same name: a change all the same
  EXPECT_EQ(row->tag().ToLong(), 5);
  p.grid.userPick(row, entry("38"));
  p.grid.userPick(row, entry("12"));
  ASSERT_TRUE(p.page.Ok(*item));
  EXPECT_EQ(item->m_szFolder_Location, "12");
  EXPECT_EQ(item->m_lOptions, C::OptionsCSIDL);
}

TEST(PropertiesSpecialFolder, ANewSpecialFolderShowsTheDesktopAndStoresZero) {
  Page p;
  auto item = NewItem(C::TypeFolder);
  p.page.Load(*item, 2);
  EXPECT_EQ(p.Value("folder_csidldesc"), "Desktop");
  EXPECT_EQ(p.Row("folder_csidldesc")->tag().ToLong(), 0);
  ASSERT_TRUE(p.page.Ok(*item));
  EXPECT_EQ(item->m_szFolder_Location, "0");
  EXPECT_EQ(item->m_lOptions, C::OptionsCSIDL);
}

TEST(PropertiesSpecialFolder, ANumberOutsideTheListLeavesTheRowEmpty) {
  for (const char* location : {"62", "99999999999", ""}) {
    SCOPED_TRACE(location);
    Page p;
    auto item = NewItem(C::TypeFolder, "", location);
    item->m_lOptions = C::OptionsCSIDL;
    p.page.Load(*item, 0);
    if (*location) {
      EXPECT_EQ(p.Value("folder_csidldesc"), "");
      EXPECT_FALSE(p.page.Ok(*item));
      EXPECT_EQ(p.Messages(), std::vector<std::string>{"Missing folder value!"});
    } else {
      EXPECT_EQ(p.Value("folder_csidldesc"), "Desktop");  // blank reads as 0
    }
  }
}

// ---- pickers

TEST(PropertiesPickers, ANewItemOpensItsPickerAndACancelChangesNoRow) {
  struct Case {
    std::int32_t type;
    const char* row;
    const char* caption;
  } cases[] = {
      {C::TypeFolder, "folder_folder", "folder_caption"},
      {C::TypeDynamicFolder, "dfolder_folder", "dfolder_caption"},
      {C::TypeCopyToX, "copytox_folder", "copytox_caption"},
      {C::TypeFile, "file_location", "file_caption"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    Page p;
    p.page.Load(*NewItem(c.type, "Typed"), 1);
    p.page.OpenPickerOfNewItem();
    ASSERT_EQ(p.shell.asked.size(), 1u);
    EXPECT_EQ(p.Value(c.row), "");
    EXPECT_EQ(p.Value(c.caption), "Typed");
    // A plain edit opens nothing.
    Page q;
    q.page.Load(*NewItem(c.type), 0);
    q.page.OpenPickerOfNewItem();
    EXPECT_TRUE(q.shell.asked.empty());
  }
}

TEST(PropertiesPickers, AChoiceFillsTheRowAndItsCaption) {
  Page p;
  p.page.Load(*NewItem(C::TypeCopyToX, "Copy to Old"), 0);
  p.shell.folders = {PickedFolder{"C:\\Backup", "Backup"}, PickedFolder{"C:\\Archive", "Archive"}};
  p.grid.userButton(p.Row("copytox_folder"));
  EXPECT_EQ(p.Value("copytox_folder"), "C:\\Backup");
  EXPECT_EQ(p.Value("copytox_caption"), "Copy to Backup");
  p.grid.userToggle(p.Row("copytox_move"));
  EXPECT_EQ(p.Value("copytox_caption"), "Move to Backup");
  p.grid.userButton(p.Row("copytox_folder"));
  EXPECT_EQ(p.Value("copytox_caption"), "Move to Archive");
  EXPECT_EQ(p.shell.asked.back(), "folder Select the destination folder C:\\Backup");

  Page f;
  f.page.Load(*NewItem(C::TypeFolder, "", "5"), 0);
  f.Pick("folder_csidldesc", "Program Files");
  f.shell.folders = {PickedFolder{"C:\\Tools", "Tools"}};
  f.grid.userButton(f.Row("folder_folder"));
  EXPECT_TRUE(f.Row("folder_typefolder")->checked());
  EXPECT_FALSE(f.Row("folder_typepidl")->checked());
  EXPECT_EQ(f.Value("folder_caption"), "Tools");

  Page s;
  s.page.Load(*NewItem(C::TypeSelectionTask), 0);
  s.shell.files = {std::string("C:\\bin\\tool.exe\0\0", 17), std::string("C:\\out.txt")};
  s.shell.folders = {PickedFolder{"C:\\work", "work"}};
  s.grid.userButton(s.Row("selection_cmd"));
  s.grid.userButton(s.Row("selection_file"));
  s.grid.userButton(s.Row("selection_workingdir"));
  EXPECT_EQ(s.Value("selection_cmd"), "C:\\bin\\tool.exe");
  EXPECT_EQ(s.Value("selection_caption"), "<tool.exe>");
  EXPECT_EQ(s.Value("selection_file"), "C:\\out.txt");
  EXPECT_EQ(s.Value("selection_workingdir"), "C:\\work");
  EXPECT_EQ(s.shell.asked.back(), "folder Select the working directory ");
}

TEST(PropertiesPickers, AnEmptyChoiceOrARefusedDialogChangesNoRow) {
  Page p;
  p.page.Load(*NewItem(C::TypeFile, "Keep", "C:\\a.txt"), 0);
  p.shell.files = {std::string("\0", 1)};
  p.shell.folders = {PickedFolder{"", "Nothing"}};
  p.grid.userButton(p.Row("file_location"));
  EXPECT_EQ(p.Value("file_location"), "C:\\a.txt");
  EXPECT_EQ(p.Value("file_caption"), "Keep");

  const std::string longPath = "C:\\" + std::string(5000, 'x');
  p.Set("file_location", longPath);
  p.shell.fileDialogRefuses = true;
  p.grid.userButton(p.Row("file_location"));
  EXPECT_EQ(p.Value("file_location"), longPath);
  ASSERT_EQ(p.prompts.Prompts().size(), 1u);
  EXPECT_EQ(p.prompts.Prompts()[0].text.rfind("Could not open the file dialog on 'C:\\xxx", 0), 0u);
  EXPECT_NE(p.prompts.Prompts()[0].text.find("Error 5 - "), std::string::npos);
}

// ---- rows that follow others

TEST(PropertiesRows, MoveTurnsACopyCaptionIntoAMoveCaptionAndBack) {
  struct Case {
    const char* caption;
    const char* checked;
    const char* unchecked;
  } cases[] = {
      {"Copy to Backup", "Move to Backup", "Copy to Backup"},
      {"COPY files", "Move files", "Copy files"},
      {"move x", "Move x", "Copy x"},
      {"Backup", "Backup", "Backup"},
      {"Copy", "Copy", "Copy"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    Page p;
    p.page.Load(*NewItem(C::TypeCopyToX, c.caption, "C:\\B"), 0);
    p.grid.userToggle(p.Row("copytox_move"));
    EXPECT_EQ(p.Value("copytox_caption"), c.checked);
    p.grid.userToggle(p.Row("copytox_move"));
    EXPECT_EQ(p.Value("copytox_caption"), c.unchecked);
  }
}

TEST(PropertiesRows, AHeadingLeavesTheGridWithoutACurrentRow) {
  Page p;
  p.page.Load(*NewItem(C::TypeSelectionTask), 0);
  p.grid.userClick(p.Row("selection_caption"));
  p.grid.userClick(p.Row("selection_heading2"));
  EXPECT_EQ(p.grid.current(), nullptr);
}

// ---- token menus and previews

TEST(PropertiesTokens, ARightClickPopsTheBoxsMenuAndAnEntryGoesInAtTheCaret) {
  Page p;
  p.page.Load(*NewItem(C::TypeCustomAction, "Act"), 0);
  sui::ItemPtr actionMenu = p.tokens.items().find("id_actiontokens");
  ASSERT_TRUE(actionMenu);
  EXPECT_EQ(actionMenu->subItems().find("[crv_item]"), nullptr);  // no selected-item token here
  p.actions.SetText("ab");
  p.actions.SetSelStart(1);
  p.actions.MouseDown(1, 0, 10, 10);  // the left button pops nothing
  p.actions.MouseDown(2, 0, 10, 10);
  const std::string date = actionMenu->subItems().at(2)->key();  // "Date"
  p.tokens.userClick(actionMenu->subItems().at(2));
  p.tokens.userClick(actionMenu->subItems().at(3));  // a separator inserts nothing
  EXPECT_EQ(p.actions.Text(), "a" + date + "b");

  p.parms.SetText("");
  p.parms.MouseDown(2, 0, 0, 0);
  sui::ItemPtr selectionMenu = p.tokens.items().find("id_selectiontokens");
  p.tokens.userClick(selectionMenu->subItems().at(1));
  EXPECT_EQ(p.parms.Text(), "[crv_selection]");
  EXPECT_EQ(p.popups, (std::vector<std::string>{"id_actiontokens", "id_selectiontokens"}));
  EXPECT_EQ(p.actions.Text(), "a" + date + "b");  // the other box is left alone
}

TEST(PropertiesTokens, ThePreviewsShowWhatTheTokensStandFor) {
  Page p;
  p.page.Load(*NewItem(C::TypeCustomAction, "Act"), 0);
  p.actions.SetText("open [crv_item] with [crv_selection]");
  EXPECT_EQ(p.preview.Text(), "open <item goes here> with <selection goes here>");
  p.parms.SetText("-f [crv_selection]");
  EXPECT_EQ(p.Value("selection_preview"), "-f <selection goes here>");
}

// ---- OK: checks

TEST(PropertiesOk, EachTypeReportsItsFirstProblemAndKeepsTheItem) {
  struct Case {
    std::int32_t type;
    std::vector<std::pair<std::string, std::string>> rows;  // edits before OK
    const char* message;
    const char* current;
  } cases[] = {
      {C::TypeRoot, {{"root_caption", "  "}}, "Missing caption value!", "root_caption"},
      {C::TypeFolder, {{"folder_folder", " "}}, "Missing folder value!", "folder_folder"},
      {C::TypeFile, {{"file_location", "   "}}, "Missing location!", "file_location"},
      {C::TypeFile, {{"file_location", "C:\\missing.txt"}}, "File does not exist!", "file_location"},
      {C::TypeCustomAction, {{"action_caption", ""}}, "Missing caption!", "action_caption"},
      {C::TypeCustomAction, {}, "Missing actions!", "action_actions"},
      {C::TypePopupMenu, {{"popupmenu_caption", " "}}, "Missing caption value!", "popupmenu_caption"},
      {C::TypeSelectionTask, {{"selection_caption", ""}}, "Must select something to do!", ""},
      {C::TypeSelectionTask, {{"selection_cmd", "x.exe"}, {"selection_caption", " "}}, "Missing caption!",
       "selection_caption"},
      {C::TypeDynamicFolder, {{"dfolder_folder", ""}}, "Missing folder value!", "dfolder_folder"},
      {C::TypeCopyToX, {{"copytox_folder", " "}}, "Missing destination!", "copytox_folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message + std::string(" ") + std::to_string(c.type));
    Page p;
    auto item = NewItem(c.type, "Cap", "C:\\x");
    const std::string before = config_test::StoredFields(*item);
    p.page.Load(*item, 0);
    for (const auto& [key, text] : c.rows) p.Set(key, text);
    p.grid.userClick(p.Row("type"));
    EXPECT_FALSE(p.page.Ok(*item));
    EXPECT_EQ(p.Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(p.prompts.Prompts()[0].flags, 48u);
    EXPECT_EQ(p.CurrentKey(), *c.current ? c.current : "TYPE");
    EXPECT_EQ(p.focused, 1);
    EXPECT_EQ(config_test::StoredFields(*item), before);
  }
}

TEST(PropertiesOk, ASelectionTaskWithOnlyTheClipboardPasses) {
  Page p;
  auto item = NewItem(C::TypeSelectionTask, "Copy names");
  p.page.Load(*item, 1);
  p.grid.userToggle(p.Row("selection_clipboard"));
  EXPECT_TRUE(p.page.Ok(*item));
  EXPECT_TRUE(p.Messages().empty());
}

// ---- OK: write-back

TEST(PropertiesOk, ASelectionTaskIsStoredFromItsRows) {
  Page p;
  auto item = NewItem(C::TypeSelectionTask);
  p.page.Load(*item, 1);
  p.Set("selection_caption", " Run tool ");
  p.Set("selection_cmd", " C:\\tool.exe ");
  p.Set("selection_workingdir", " C:\\work ");
  p.Set("selection_cmdsuffix", " ");
  p.Set("selection_fileprefix", "\\x20");
  p.Set("selection_ext", " *.txt ");
  p.parms.SetText("  -a [crv_selection]  ");
  p.Pick("selection_show", "Only one entry is selected");
  p.grid.userToggle(p.Row("selection_recurse"));
  p.grid.userToggle(p.Row("selection_clipboard"));
  ASSERT_TRUE(p.page.Ok(*item));
  EXPECT_EQ(item->m_lType, C::TypeSelectionTask);
  EXPECT_EQ(item->m_lSelection_Options, 26);
  EXPECT_EQ(item->m_szSelection_Caption, "Run tool");
  EXPECT_EQ(item->m_szSelection_Command, "C:\\tool.exe");
  EXPECT_EQ(item->m_szSelection_WorkingDir, "C:\\work");
  EXPECT_EQ(item->m_szSelection_CmdSuffix, "");
  EXPECT_EQ(item->m_szSelection_FilePrefix, "\\x20");
  EXPECT_EQ(item->m_szSelection_FileSuffix, "\\n");
  EXPECT_EQ(item->m_szSelection_Filter, "*.txt");
  EXPECT_EQ(item->m_szSelection_Parms, "  -a [crv_selection]  ");
}

TEST(PropertiesOk, EachTypeIsRewrittenFromItsRows) {
  struct Case {
    const char* name;
    std::int32_t from;
    const char* toType;  // the type row's entry chosen, "" to keep
    std::vector<std::pair<std::string, std::string>> rows;
    std::vector<std::string> checks;  // rows toggled
    std::string stored;  // the item's stored fields afterwards
  };
  auto fields = [](std::int32_t type, auto fill) {
    clsCorvaneData d;
    d.m_lType = type;
    fill(d);
    return config_test::StoredFields(d);
  };
  std::vector<Case> cases = {
      {"folder with its display name as caption", C::TypeFolder, "",
       {{"folder_folder", " C:\\Data "}, {"folder_caption", " "}}, {"folder_browseandopen"},
       fields(C::TypeFolder, [](clsCorvaneData& d) {
         d.m_lOptions = C::OptionsBrowseAndOpen;
         d.m_szFolder_Location = "C:\\Data";
         d.m_szFolder_Caption = "<Data>";
       })},
      {"file turned popup keeps its caption", C::TypeFile, "Popup Menu", {}, {},
       fields(C::TypePopupMenu, [](clsCorvaneData& d) { d.m_szPopupMenu_caption = "Cap"; })},
      {"file checked and stored trimmed", C::TypeFile, "", {{"file_location", " C:\\here.txt "}}, {},
       fields(C::TypeFile, [](clsCorvaneData& d) {
         d.m_szFile_Location = "C:\\here.txt";
         d.m_szFile_Caption = "Cap";
       })},
      {"copy/move with Move checked", C::TypeCopyToX, "", {{"copytox_caption", ""}}, {"copytox_move"},
       fields(C::TypeCopyToX, [](clsCorvaneData& d) {
         d.m_szCopyToX_Location = "C:\\x";
         d.m_szCopyToX_Caption = "<x>";
         d.m_lCopyToX_Options = 1;
       })},
      {"dynamic folder", C::TypeDynamicFolder, "", {{"dfolder_filter", " *.doc "}}, {},
       fields(C::TypeDynamicFolder, [](clsCorvaneData& d) {
         d.m_szDFolder_Location = "C:\\x";
         d.m_szDFolder_Caption = "Cap";
         d.m_szDFolder_Filter = "*.doc";
       })},
      {"separator keeps only the action texts", C::TypeCustomAction, "Separator", {}, {},
       fields(C::TypeSeparator, [](clsCorvaneData& d) {
         d.m_szAction_Caption = "Cap";
         d.m_szAction_Actions = "keys";
       })},
      {"root", C::TypeRoot, "", {{"root_caption", " Top "}}, {},
       fields(C::TypeRoot, [](clsCorvaneData& d) { d.m_szRoot_Caption = "Top"; })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Page p;
    p.shell.existing = {"C:\\here.txt"};
    auto item = NewItem(c.from, "Cap", "C:\\x");
    if (c.from == C::TypeCustomAction) item->m_szAction_Actions = "keys";
    p.page.Load(*item, 0);
    if (*c.toType) p.Pick("type", c.toType);
    for (const auto& [key, text] : c.rows) p.Set(key, text);
    for (const auto& key : c.checks) p.grid.userToggle(p.Row(key));
    ASSERT_TRUE(p.page.Ok(*item)) << (p.Messages().empty() ? "" : p.Messages()[0]);
    EXPECT_EQ(config_test::StoredFields(*item), c.stored);
  }
}

TEST(PropertiesOk, ACustomActionStoresItsCommandsTrimmed) {
  Page p;
  auto item = NewItem(C::TypeCustomAction, "Act");
  p.page.Load(*item, 0);
  p.actions.SetText("  ^c{ENTER}  ");
  ASSERT_TRUE(p.page.Ok(*item));
  EXPECT_EQ(item->m_lType, C::TypeCustomAction);
  EXPECT_EQ(item->m_szAction_Actions, "^c{ENTER}");
  EXPECT_EQ(item->m_szAction_Caption, "Act");
}

}  // namespace
