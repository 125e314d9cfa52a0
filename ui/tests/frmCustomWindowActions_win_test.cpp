// The custom window actions editor on screen (under Xvfb): typed into with
// real input, its file read back, closed with unsaved edits.
#include "ui/frmCustomWindowActions.h"

#include <gtest/gtest.h>

#include "actions/clsCustomActions.h"
#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/screenshot.h"
#include "base/tests/testing.h"
#include "config/clsOptions.h"
#include "smartui/grid_view.h"
#include "ui/CustomWindowActionsEditor.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"
#include "widgets/tests/formwatch.h"
#include "widgets/tests/input.h"

using actions::clsCustomActions;
using testing_support::PromptRecorder;
using testing_support::TempDir;
using ui::frmCustomWindowActions;

namespace {

struct ActionsFile {
  ActionsFile() {
    EXPECT_TRUE(ui::g_oApplication().ImageList_LoadIcons());
    path = dir.File("CustomActions.ini");
    clsCustomActions a;
    a.m_szId = "first";
    a.m_lType = clsCustomActions::TypeWindow;
    a.m_lOrder = 1;
    a.m_szDescription = "Save in Notepad";
    a.m_szClass = "Notepad";
    a.m_lClassMatch = clsCustomActions::OptionMatchExact;
    a.m_szActions = "^s";
    a.m_lOptions = clsCustomActions::OptionEnabled;
    a.Save(path);
    config::g_oOptions().m_szShellCustomActionsFile = path;
  }
  TempDir dir;
  std::string path;
};

sui::Control& Model(frmCustomWindowActions& dlg, const char* name) {
  return static_cast<ui::SmartUIControl*>(dlg.Find(name))->Model();
}

}  // namespace

TEST(frmCustomWindowActions, ANewActionTypedAndSavedReachesTheFile) {
  testing_support::DesktopLock desktop;
  ActionsFile file;
  frmCustomWindowActions dlg;
  dlg.LoadDialog(nullptr);
  dlg.Show();
  SetForegroundWindow(dlg.Hwnd());
  testing_support::Pump();
  EXPECT_EQ(Model(dlg, "suiActions").items().count(), 1);
  testing_support::SaveWindowPng(dlg.Hwnd(), "frmCustomWindowActions.png");

  auto& tools = Model(dlg, "suiTools");
  tools.userClick(tools.items().at("id_new"));
  auto& grid = Model(dlg, "suiData");
  grid.setCurrent(grid.find("id_description"));
  static_cast<ui::SmartUIControl*>(dlg.Find("suiData"))->ViewAs<sui::GridView>()->focus();
  testing_support::Pump();
  for (int i = 0; i < 12; ++i) testing_support::PressKey(VK_BACK);
  testing_support::Type("typed action");
  testing_support::PressKey(VK_RETURN);
  grid.setCurrent(grid.find("id_class"));
  static_cast<ui::SmartUIControl*>(dlg.Find("suiData"))->ViewAs<sui::GridView>()->focus();
  testing_support::Pump();
  testing_support::Type("edit");
  testing_support::PressKey(VK_RETURN);
  grid.userPick(grid.find("id_classmatch"), grid.find("id_classmatch")->subItems().at(3));
  testing_support::SaveWindowPng(dlg.Hwnd(), "frmCustomWindowActions_new.png");
  // The commands box shows in its grid row.
  EXPECT_TRUE(IsWindowVisible(dlg.Find(ui::CustomWindowActionsEditor::kCommandsBox)->Hwnd()));
  auto& save = Model(dlg, "suiSave");
  save.userClick(save.items().at(1));

  std::vector<std::string> ids;
  clsCustomActions store;
  ASSERT_EQ(store.LoadEx(ids, clsCustomActions::TypeWindow, file.path, false), 2);
  clsCustomActions back;
  ASSERT_TRUE(back.Load(ids[1], file.path));
  EXPECT_EQ(back.m_szDescription, "typed action");
  EXPECT_EQ(back.m_szClass, "edit");
  EXPECT_EQ(back.m_lClassMatch, clsCustomActions::OptionMatchExact);
  EXPECT_EQ(back.m_szActions, "[crv_item]");
  EXPECT_EQ(back.m_lOrder, 2);
  EXPECT_EQ(Model(dlg, "suiActions").items().count(), 2);
  dlg.Unload();
}

TEST(frmCustomWindowActions, TheCloseBoxAsksAboutUnsavedEditsFirst) {
  testing_support::DesktopLock desktop;
  ActionsFile file;
  frmCustomWindowActions dlg;
  dlg.LoadDialog(nullptr);
  auto& grid = Model(dlg, "suiData");
  grid.userEdit(grid.find("id_description"), "Edited");
  PromptRecorder prompts;
  prompts.Answer(base::kAnswerCancel);  // stays open, the edit kept
  prompts.Answer(base::kAnswerNo);      // closes, the edit dropped
  PostMessageA(dlg.Hwnd(), WM_CLOSE, 0, 0);
  PostMessageA(dlg.Hwnd(), WM_CLOSE, 0, 0);
  testing_support::ModalWatch watch(dlg.Hwnd());
  EXPECT_TRUE(dlg.ShowModal(nullptr));
  EXPECT_FALSE(watch.Fired());
  ASSERT_EQ(prompts.Prompts().size(), 2u);
  EXPECT_EQ(prompts.Prompts()[0].text, "Save the changes to 'Edited' ?");
  clsCustomActions back;
  ASSERT_TRUE(back.Load("first", file.path));
  EXPECT_EQ(back.m_szDescription, "Save in Notepad");
}

TEST(frmCustomWindowActions, OpenedAndClosedGivesBackItsObjects) {
  testing_support::DesktopLock desktop;
  ActionsFile file;
  auto cycle = [] {
    frmCustomWindowActions dlg;
    dlg.LoadDialog(nullptr);
    dlg.Show();
    testing_support::Pump();
    dlg.Unload();
  };
  cycle();
  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 3; ++i) cycle();
  EXPECT_LE(testing_support::GdiObjects(), gdi);
  EXPECT_LE(testing_support::UserObjects(), user);
}
