// Designer's main window on screen (under Xvfb): the title, adding and
// removing items, saving and opening, a failed save, and what a New/Open
// loop leaves behind. The window reads the shared settings at start and
// writes them back when it closes, so these tests take turns with the shell
// extension's.
#include "designer/tests/shell/MainWindowFixture.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/tests/gui_counts.h"
#include "base/tests/open_menu.h"
#include "base/tests/screenshot.h"

using config::clsCorvaneData;
using namespace designer_test;
using testing_support::MenuPictureOf;

namespace {

TEST_F(MainWindow, EditsSavesAndOpensAConfiguration) {
  const std::string path = dir.File("menu.cfg");
  std::ofstream(path, std::ios::binary).close();
  EXPECT_EQ(main->Tree().Count(), 1);
  EXPECT_NE(Title(main->Hwnd()).find(" - Untitled"), std::string::npos);

  // An empty file opens as an empty configuration under its own name.
  ASSERT_TRUE(main->Action_Load(path));
  EXPECT_EQ(main->Filename(), path);
  EXPECT_FALSE(main->Dirty());

  main->SmartUI_ClickProcessing("id_editadd_separator");  // no dialog for a separator
  EXPECT_TRUE(prompts.Prompts().empty());
  EXPECT_EQ(main->Tree().Count(), 2);
  EXPECT_TRUE(main->Dirty());
  EXPECT_EQ(Title(main->Hwnd()).back(), '*');
  AddItem(*main, clsCorvaneData::TypeFolder, "Projects", "C:\\Projects");
  AddItem(*main, clsCorvaneData::TypeFile, "Notes", "C:\\notes.txt");
  AddItem(*main, clsCorvaneData::TypeCustomAction, "Refresh", "");

  ASSERT_TRUE(main->Action_Save(false));
  EXPECT_FALSE(main->Dirty());
  EXPECT_EQ(Slurp(path), WriterBytes(*main));
  const std::string saved = Slurp(path);

  // Remove asks first; No keeps the item, Yes removes it.
  main->Tree().SetSelectedItem(&main->Tree().Item(2));
  prompts.Answer(base::kAnswerNo);
  main->SmartUI_ClickProcessing("id_editdelete");
  EXPECT_EQ(main->Tree().Count(), 5);
  prompts.Answer(base::kAnswerYes);
  main->SmartUI_ClickProcessing("id_editdelete");
  EXPECT_EQ(main->Tree().Count(), 4);
  ASSERT_EQ(prompts.Prompts().size(), 2u);
  EXPECT_EQ(prompts.Prompts()[0].text, "Are you sure you want to remove the separator from the menu?");

  // Open asks about the change; No drops it and reads the file back.
  prompts.Clear();
  prompts.Answer(base::kAnswerNo);
  ASSERT_TRUE(main->Action_Load(path));
  EXPECT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(main->Tree().Count(), 5);
  EXPECT_EQ(WriterBytes(*main), saved);

  main->Tree().SetSelectedItem(main->Tree().Find("root"));
  Pump();
  // The tree on screen shows every node.
  HWND tree = static_cast<HWND>(main->Tree().hWnd());
  ASSERT_TRUE(tree);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 5);
  EXPECT_TRUE(IsWindowVisible(tree));
  RedrawWindow(main->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(200);
  Pump();
  EXPECT_TRUE(
      testing_support::SaveWindowPng(main->Hwnd(), testing_support::TestProgramFolder() + "\\designer_main.png"));
}

TEST_F(MainWindow, MenuEntriesShowTheSmallIconsOfTheirCommands) {
  HMENU file = GetSubMenu(GetMenu(main->Hwnd()), 0);
  ASSERT_TRUE(file);
  // New, Open..., Merge...: the first two have pictures, Merge has none.
  EXPECT_TRUE(MenuPictureOf(file, 0));
  EXPECT_TRUE(MenuPictureOf(file, 1));
  EXPECT_FALSE(MenuPictureOf(file, 2));
  // The menu as a person sees it.
  testing_support::OpenMenuShot shot("designer_file_menu.png", main->Hwnd());
  RECT bar{};
  GetWindowRect(main->Hwnd(), &bar);
  TrackPopupMenu(file, TPM_LEFTALIGN | TPM_TOPALIGN, bar.left + 10, bar.top + 40, 0, main->Hwnd(), nullptr);
  Pump();
}

TEST_F(MainWindow, AFailedSaveKeepsTheOldFileAndTheChange) {
  const std::string path = dir.File("blocked.cfg");
  std::ofstream(path, std::ios::binary).close();
  ASSERT_TRUE(main->Action_Load(path));
  // Something the save cannot replace now stands where the file was.
  std::filesystem::remove(path);
  std::filesystem::create_directories(std::filesystem::path(path) / "kept");
  main->SmartUI_ClickProcessing("id_editadd_separator");
  EXPECT_FALSE(main->Action_Save(false));
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text.rfind("Could not open the file '" + path + "'", 0), 0u);
  EXPECT_TRUE(main->Dirty());
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(path) / "kept"));

  // A missing file is reported and never made; a recent entry that has gone too.
  prompts.Clear();
  prompts.Answer(base::kAnswerNo);  // the change is not saved
  const std::string missing = dir.File("missing.cfg");
  EXPECT_FALSE(main->Action_Load(missing));
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(main->Filename(), path);
  // Numbered commands with no valid number do nothing.
  prompts.Clear();
  for (const char* key : {"mru_", "qa_", "mru_x", "qa_0", "mru_99"}) main->SmartUI_ClickProcessing(key);
  EXPECT_TRUE(prompts.Prompts().empty());
}

TEST_F(MainWindow, NewAndOpenLeaveNoObjectsBehind) {
  const std::string path = dir.File("loop.cfg");
  std::ofstream(path, std::ios::binary).close();
  ASSERT_TRUE(main->Action_Load(path));
  AddItem(*main, clsCorvaneData::TypeFolder, "Projects", "C:\\Projects");
  ASSERT_TRUE(main->Action_Save(false));
  auto cycle = [&] {
    main->NewFile();
    main->Action_Load(path);
    Pump();
  };
  // From a settled count: under a loaded machine the window's first repaints
  // come late and make their objects inside the loop.
  testing_support::SettleGdi(cycle);
  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 5; ++i) cycle();
  EXPECT_LE(testing_support::GdiObjects(), gdi);
  EXPECT_LE(testing_support::UserObjects(), user);
}

}  // namespace
