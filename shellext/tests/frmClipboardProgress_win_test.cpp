// The progress window of the walks, on screen: it walks once, a close during
// the walk stops it and the window goes only once the walk has returned, the
// clipboard is owned by the window, and nothing is left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/screenshot.h"
#include "common/appinfo.h"
#include "shellext/frmClipboardProgress.h"

namespace {

using shellext::frmClipboardProgress;

std::string TitleOf(HWND hwnd) {
  char title[256] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  return title;
}

TEST(frmClipboardProgress, WalksOnceWhileShownAndTellsTheFolder) {
  testing_support::DesktopLock desktop;
  for (const bool task : {false, true}) {
    frmClipboardProgress form(task);
    int walks = 0;
    bool visible = false;
    std::string title;
    form.Walk(nullptr, true, [&](const shellext::SelectionWalk::Progress& told) {
      ++walks;
      visible = IsWindowVisible(form.Hwnd()) != FALSE;
      title = TitleOf(form.Hwnd());
      // Activated again while it walks: the walk is not started again.
      SendMessageA(form.Hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
      SetActiveWindow(form.Hwnd());
      EXPECT_TRUE(told("C:\\windows"));
      EXPECT_TRUE(told("C:\\windows\\system32"));
      if (!task) testing_support::SaveWindowPng(form.Hwnd(), "frmClipboardProgress.png");
    });
    EXPECT_EQ(walks, 1);
    EXPECT_TRUE(visible);
    EXPECT_EQ(title, common::ProductName() + (task ? " - Selection Task Progress" : " - Copy to Clipboard Progress"));
    EXPECT_FALSE(form.m_bStop);
    EXPECT_FALSE(IsWindowVisible(form.Hwnd()));
  }
}

TEST(frmClipboardProgress, ACloseOrAClickStopsTheWalkAndTheWindowWaitsForIt) {
  testing_support::DesktopLock desktop;
  for (const bool click : {false, true}) {
    frmClipboardProgress form(false);
    int folders = 0;
    bool visibleAfterStop = false;
    form.Walk(nullptr, true, [&](const shellext::SelectionWalk::Progress& told) {
      HWND panel = FindWindowExA(form.Hwnd(), nullptr, "SuiHostProgress", nullptr);
      if (click) {
        PostMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
      } else {
        PostMessageA(form.Hwnd(), WM_CLOSE, 0, 0);
      }
      while (folders < 50 && told("C:\\folder " + std::to_string(folders))) ++folders;
      // Stopped, but the walk has not returned yet: the window is still up.
      visibleAfterStop = IsWindow(form.Hwnd()) && IsWindowVisible(form.Hwnd());
    });
    EXPECT_TRUE(form.m_bStop) << click;
    EXPECT_LT(folders, 50) << click;
    EXPECT_TRUE(visibleAfterStop) << click;
    EXPECT_FALSE(IsWindowVisible(form.Hwnd())) << click;
  }
}

TEST(frmClipboardProgress, TheClipboardIsOwnedByTheWindowAndAHiddenWalkShowsNothing) {
  frmClipboardProgress form(false);
  bool visible = true;
  form.Walk(nullptr, false, [&](const shellext::SelectionWalk::Progress&) {
    visible = IsWindowVisible(form.Hwnd()) != FALSE;
  });
  EXPECT_FALSE(visible);
  ASSERT_TRUE(form.PutOnClipboard("names\r\n"));
  EXPECT_EQ(GetClipboardOwner(), form.Hwnd());
}

TEST(frmClipboardProgress, AFailingWalkIsRaisedAfterTheWindowHid) {
  testing_support::DesktopLock desktop;
  frmClipboardProgress form(false);
  EXPECT_THROW(form.Walk(nullptr, true, [](const shellext::SelectionWalk::Progress&) { throw std::runtime_error("x"); }),
               std::runtime_error);
  EXPECT_FALSE(IsWindowVisible(form.Hwnd()));
}

TEST(frmClipboardProgress, OpeningAndClosingLeavesNoObjectsBehind) {
  testing_support::DesktopLock desktop;
  long gdi = 0, user = 0;
  for (int round = 0; round < 4; ++round) {
    if (round == 1) {
      gdi = testing_support::GdiObjects();
      user = testing_support::UserObjects();
    }
    frmClipboardProgress form(round % 2 == 0);
    form.Walk(nullptr, true, [](const shellext::SelectionWalk::Progress& told) { told("C:\\"); });
  }
  EXPECT_LE(testing_support::GdiObjects(), gdi);
  EXPECT_LE(testing_support::UserObjects(), user);
}

}  // namespace
