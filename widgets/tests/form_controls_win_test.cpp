// The form base's named controls, font, background picture and divider line,
// and the thread helpers, on real windows (under Xvfb).
#include "base/module.h"
#include "widgets/form_controls.h"
#include "widgets/form_tools.h"

#include <gtest/gtest.h>

#include <thread>

#include "base/context.h"
#include "widgets/tests/pictures.h"

using namespace widgets;
using testing_support::SolidPicture;

namespace {

COLORREF PixelOf(HWND hwnd, int x, int y) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  base::WindowDc dc(hwnd);
  return GetPixel(dc.get(), x, y);
}

}  // namespace

TEST(FormControls, NamedControlsKeepKindTagAndTwipsLayoutInTheFormFont) {
  Form form("Controls", 6000, 4000);
  form.Load();
  const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
  struct Expect {
    Control& control;
    ControlKind kind;
  } made[] = {
      {form.Add<Label>("lblName", "&Name:", 10 * tx, 12 * ty, 60 * tx, 17 * ty), ControlKind::Label},
      {form.Add<TextBox>("txtName", "first", 80 * tx, 10 * ty, 150 * tx, 21 * ty), ControlKind::TextBox},
      {form.Add<CheckBox>("chkKeep", "Keep", 10 * tx, 40 * ty, 100 * tx, 17 * ty), ControlKind::CheckBox},
      {form.Add<Frame>("fraGroup", "Group", 5 * tx, 5 * ty, 300 * tx, 70 * ty), ControlKind::Frame},
      {form.Add<DividerLine>("linDivider", 5 * tx, 80 * ty, 300 * tx), ControlKind::Divider},
      {form.Add<Button>("cmdOK", "OK", 200 * tx, 90 * ty, 81 * tx, 25 * ty, ButtonRole::Default),
       ControlKind::Button},
  };
  for (const Expect& e : made) {
    SCOPED_TRACE(e.control.Name());
    EXPECT_EQ(e.control.Kind(), e.kind);
    EXPECT_EQ(form.Find(e.control.Name()), &e.control);
    if (e.kind != ControlKind::Divider) {  // the line has no text
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(e.control.Hwnd(), WM_GETFONT, 0, 0)), form.Font())
          << "every control with text speaks in the form font";
    }
  }
  EXPECT_EQ(form.Find("TXTNAME"), &made[1].control);  // names without regard to case
  EXPECT_EQ(form.Find("txtMissing"), nullptr);

  LOGFONTA font = {};
  ASSERT_TRUE(GetObjectA(form.Font(), sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
  EXPECT_EQ(font.lfHeight, -MulDiv(8, 1440 / ty, 72));

  Control& text = made[1].control;
  EXPECT_EQ(text.Left(), 80 * tx);
  EXPECT_EQ(text.Width(), 150 * tx);
  text.Move(20 * tx, 30 * ty, 100 * tx, 25 * ty);
  RECT r{};
  GetWindowRect(text.Hwnd(), &r);
  MapWindowPoints(nullptr, form.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(text.Height(), 25 * ty);

  text.SetTag("keep me");
  EXPECT_EQ(text.Tag(), "keep me");
  EXPECT_EQ(text.Text(), "first");
  text.SetText("second");
  EXPECT_EQ(text.Text(), "second");

  // The buttons' ids are the dialog keys' own; others count up.
  EXPECT_EQ(made[5].control.Id(), IDOK);
  EXPECT_NE(made[0].control.Id(), made[1].control.Id());
}

TEST(FormControls, ProgramChangesRaiseTheControlsEvents) {
  Form form("Events", 6000, 4000);
  form.Load();
  auto& check = form.Add<CheckBox>("chkKeep", "Keep", 120, 120, 1500, 255);
  auto& text = form.Add<TextBox>("txtName", "", 120, 600, 1500, 315);
  int clicks = 0, changes = 0;
  check.Click = [&](CheckBox&) { ++clicks; };
  text.Change = [&](TextBox& t) { changes += t.Text() == "abc" ? 1 : 0; };
  check.SetValue(1);
  check.SetValue(1);  // no change, no event
  EXPECT_EQ(check.Value(), 1);
  SendMessageA(check.Hwnd(), BM_CLICK, 0, 0);  // as the mouse would
  EXPECT_EQ(check.Value(), 0);
  EXPECT_EQ(clicks, 2);
  text.SetText("abc");
  EXPECT_EQ(changes, 1);
}

TEST(FormControls, BackgroundPictureSitsBottomRightOnlyWhileTheSettingIsOn) {
  Form form("Background", 6000, 4000);
  form.Load();
  form.Show();
  RECT client{};
  GetClientRect(form.Hwnd(), &client);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  form.SetBackground(SolidPicture(20, 10, RGB(200, 0, 0)), false);
  EXPECT_EQ(PixelOf(form.Hwnd(), client.right - 1, client.bottom - 1), face);
  form.SetBackground(SolidPicture(20, 10, RGB(200, 0, 0)), true);
  EXPECT_EQ(PixelOf(form.Hwnd(), client.right - 1, client.bottom - 1), RGB(200, 0, 0));
  EXPECT_EQ(PixelOf(form.Hwnd(), client.right - 20, client.bottom - 10), RGB(200, 0, 0));
  EXPECT_EQ(PixelOf(form.Hwnd(), client.right - 21, client.bottom - 1), face);
  EXPECT_EQ(PixelOf(form.Hwnd(), client.right - 1, client.bottom - 11), face);
}

TEST(FormControls, DividerLineIsAnEtchedLineAlongTheTopOfItsPlace) {
  Form form("Divider", 6000, 4000);
  form.Load();
  form.Show();
  auto& line = form.Add<DividerLine>("linDivider", 150, 1500, 4500);
  EXPECT_EQ(PixelOf(line.Hwnd(), 10, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelOf(line.Hwnd(), 10, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(line.Height(), 2 * TwipsPerPixelY());  // the line and no more
}

TEST(FormTools, WaitCursorShowsWhileAGuardLivesAndNests) {
  HCURSOR before = SetCursor(LoadCursor(nullptr, IDC_ARROW));
  EXPECT_FALSE(WaitCursor::Active());
  {
    WaitCursor outer;
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    {
      WaitCursor inner;
      EXPECT_TRUE(WaitCursor::Active());
    }
    EXPECT_TRUE(WaitCursor::Active());
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  }
  EXPECT_FALSE(WaitCursor::Active());
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
  SetCursor(before);
}

TEST(FormTools, PumpMessagesStopsAtItsLimitAndPutsAQuitBack) {
  static int received;
  received = 0;
  struct Counter {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
      if (msg == WM_APP) ++received;
      return DefWindowProcA(hwnd, msg, wp, lp);
    }
  };
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &Counter::Proc;
  wc.hInstance = base::ThisModule();
  wc.lpszClassName = "PumpCounter";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, "PumpCounter", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, base::ThisModule(), nullptr);
  ASSERT_TRUE(hwnd);
  PumpMessages(1000);  // whatever was waiting already
  for (int i = 0; i < 300; ++i) PostMessageA(hwnd, WM_APP, 0, 0);
  EXPECT_EQ(PumpMessages(100), 100);
  EXPECT_EQ(received, 100);
  EXPECT_EQ(PumpMessages(1000), 200);
  EXPECT_EQ(received, 300);

  PostQuitMessage(7);
  PostMessageA(hwnd, WM_APP, 0, 0);
  PumpMessages();
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(hwnd);
  UnregisterClassA("PumpCounter", base::ThisModule());
}

TEST(FormTools, OleIsReadyOnTheThreadOnceAndUndoneWithItsContext) {
  std::thread([] {
    EXPECT_EQ(EnsureOleOnThisThread(), S_OK);
    EXPECT_EQ(EnsureOleOnThisThread(), S_OK);  // the one initialisation, kept
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    OleUninitialize();
    base::ThreadContext::DestroyCurrent();
    EXPECT_EQ(OleInitialize(nullptr), S_OK);  // undone: this is a first one again
    OleUninitialize();
  }).join();
}
