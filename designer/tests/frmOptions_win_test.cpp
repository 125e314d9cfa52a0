// The options dialog on screen: the page's rows in its grid, a picture for a
// person to look at, and Cancel leaving the settings as they were; opened
// and closed again, it gives back its objects.
#include "designer/frmOptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "designer/tests/modal_step.h"
#include "base/tests/screenshot.h"
#include "base/tests/testing.h"
#include "config/clsOptions.h"
#include "smartui/model.h"
#include "ui/clsApplication.h"

namespace {

bool RunDialog(designer::frmOptions& dialog, std::function<void(designer::frmOptions&)> step) {
  return designer_test::RunDialog(dialog, std::move(step), [&] { return dialog.ShowModal(nullptr); });
}

int Rows(const sui::ItemList& items) {
  int n = 0;
  for (const auto& item : items) n += 1 + (sui::isListKind(item->kind()) ? 0 : Rows(item->subItems()));
  return n;
}

TEST(frmOptionsWindow, ShowsThePageAndCancelLeavesTheSettingsAsTheyWere) {
  testing_support::DesktopLock desktop;  // it takes the focus
  static bool icons = ui::g_oApplication().ImageList_LoadIcons();
  ASSERT_TRUE(icons);
  testing_support::PromptRecorder prompts;
  config::clsOptions& options = config::g_oOptions();
  const std::string file = options.m_szShellConfigFile;
  const bool enabled = options.m_bShellEnable;

  auto cycle = [&](bool shoot) {
    designer::frmOptions dialog;
    int rows = 0;
    const bool ok = RunDialog(dialog, [&](designer::frmOptions& d) {
      rows = Rows(d.suiOptions().items());
      // An edit the user then cancels.
      for (const auto& item : d.suiOptions().items())
        if (item->key() == "shell_enable") item->setChecked(!item->checked());
      if (shoot) {
        SetForegroundWindow(d.Hwnd());
        RedrawWindow(d.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(testing_support::SaveWindowPng(d.Hwnd(), "options_dialog.png"));
      }
      SendMessageA(d.Find("btnCancel")->Hwnd(), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(ok);
    EXPECT_GE(rows, 39);
    dialog.Unload();
  };
  cycle(true);
  EXPECT_EQ(options.m_szShellConfigFile, file);
  EXPECT_EQ(options.m_bShellEnable, enabled);
  EXPECT_TRUE(prompts.Prompts().empty());

  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 3; ++i) cycle(false);
  EXPECT_LE(testing_support::GdiObjects(), gdi + 2);
  EXPECT_LE(testing_support::UserObjects(), user);
}

}  // namespace
