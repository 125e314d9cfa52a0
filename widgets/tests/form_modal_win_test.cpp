// The modal lifecycle and keyboard interface of the form base, on real
// windows (under Xvfb).
#include "widgets/form_controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/tests/desktoplock.h"
#include "widgets/tests/formwatch.h"

using namespace widgets;

namespace {

// A small dialog: a text box, a check box, OK (default) and Cancel, and a
// result field that OK fills.
struct NameDialog : Form {
  NameDialog() : Form("Name", 4800, 2400) {
    Load();
    text = &Add<TextBox>("txtName", "", 120, 120, 3000, 315);
    check = &Add<CheckBox>("chkKeep", "&Keep", 120, 540, 2000, 255);
    ok = &Add<Button>("cmdOK", "OK", 1800, 1200, 1215, 375, ButtonRole::Default);
    cancel = &Add<Button>("cmdCancel", "Cancel", 3120, 1200, 1215, 375, ButtonRole::Cancel);
    ok->Click = [this](Button&) {
      m_szName = text->Text();
      m_bOk = true;
      Hide();
    };
    cancel->Click = [this](Button&) {
      ++cancelled;
      m_bOk = false;
      Hide();
    };
  }
  TextBox* text;
  CheckBox* check;
  Button* ok;
  Button* cancel;
  std::string m_szName;
  int cancelled = 0;
};

void PostKey(HWND hwnd, WPARAM key) {
  PostMessageA(hwnd, WM_KEYDOWN, key, 1);
  PostMessageA(hwnd, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

TEST(FormModal, EnterEscAndTheCloseBoxEndTheDialogWhichStaysReadableUntilItGoes) {
  enum class End { Enter, Esc, CloseBox, SystemClose };
  struct Case {
    const char* name;
    End end;
    bool ok;
    int cancelled;
  } cases[] = {
      {"Enter presses the default button", End::Enter, true, 0},
      {"Esc presses Cancel", End::Esc, false, 1},
      {"the close box is Cancel", End::CloseBox, false, 1},
      {"the system menu's Close is Cancel", End::SystemClose, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NameDialog dialog;
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    // Typed into the text box, the check box clicked, then the key, all
    // waiting when the loop starts.
    bool ownerDisabledInside = false;
    dialog.check->Click = [&](CheckBox&) { ownerDisabledInside = !IsWindowEnabled(owner); };
    for (char ch : std::string("Ann")) PostMessageA(dialog.text->Hwnd(), WM_CHAR, ch, 1);
    PostMessageA(dialog.check->Hwnd(), BM_CLICK, 0, 0);
    switch (c.end) {
      case End::Enter: PostKey(dialog.text->Hwnd(), VK_RETURN); break;
      case End::Esc: PostKey(dialog.text->Hwnd(), VK_ESCAPE); break;
      case End::CloseBox: PostMessageA(dialog.Hwnd(), WM_CLOSE, 0, 0); break;
      case End::SystemClose: PostMessageA(dialog.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
    testing_support::ModalWatch watch(dialog.Hwnd());
    const bool result = dialog.ShowModal(owner);
    EXPECT_FALSE(watch.Fired());
    EXPECT_EQ(result, c.ok);
    EXPECT_EQ(dialog.m_bOk, c.ok);
    EXPECT_EQ(dialog.cancelled, c.cancelled);
    EXPECT_TRUE(ownerDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    // Hidden, not gone: the caller reads the results now.
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_FALSE(IsWindowVisible(dialog.Hwnd()));
    EXPECT_EQ(dialog.text->Text(), "Ann");
    EXPECT_EQ(dialog.check->Value(), 1);
    EXPECT_EQ(dialog.m_szName, c.ok ? "Ann" : "");
    DestroyWindow(owner);
  }
}

TEST(FormModal, EnterDoesNothingWhileTheDefaultButtonIsDisabledAndEscWorksWithoutACancelButton) {
  Form form("Plain", 3000, 2000);
  form.Load();
  auto& text = form.Add<TextBox>("txt", "", 120, 120, 2000, 315);
  auto& ok = form.Add<Button>("cmdOK", "OK", 120, 600, 1215, 375, ButtonRole::Default);
  int pressed = 0;
  ok.Click = [&](Button&) { ++pressed; };
  ok.SetEnabled(false);
  PostKey(text.Hwnd(), VK_RETURN);
  PostKey(text.Hwnd(), VK_ESCAPE);
  form.m_bOk = true;
  testing_support::ModalWatch watch(form.Hwnd());
  EXPECT_FALSE(form.ShowModal());
  EXPECT_FALSE(watch.Fired());
  EXPECT_EQ(pressed, 0);
  EXPECT_FALSE(IsWindowVisible(form.Hwnd()));
}

TEST(FormModal, DialogButtonsWithoutHandlersEndTheDialogAsTheySay) {
  for (ButtonRole role : {ButtonRole::Default, ButtonRole::Cancel}) {
    Form form("Roles", 3000, 2000);
    form.Load();
    auto& button = form.Add<Button>("cmd", "Go", 120, 600, 1215, 375, role);
    PostMessageA(button.Hwnd(), BM_CLICK, 0, 0);
    testing_support::ModalWatch watch(form.Hwnd());
    EXPECT_EQ(form.ShowModal(), role == ButtonRole::Default);
    EXPECT_FALSE(watch.Fired());
  }
}

TEST(FormModal, AButtonThatUnloadsItsFormFromItsOwnClickLeavesNothingBehind) {
  Form form("Unloads", 3000, 2000);
  form.Load();
  auto& button = form.Add<Button>("cmdClose", "Close", 120, 600, 1215, 375);
  HWND buttonWindow = button.Hwnd();
  bool after = false;
  button.Click = [&](Button& b) {
    form.Unload();
    after = b.Name() == "cmdClose" && b.Hwnd() == nullptr;  // the object is still there
  };
  PostMessageA(buttonWindow, BM_CLICK, 0, 0);
  testing_support::ModalWatch watch(form.Hwnd());
  EXPECT_FALSE(form.ShowModal());
  EXPECT_FALSE(watch.Fired());
  EXPECT_TRUE(after);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_TRUE(form.Controls().empty());
  EXPECT_FALSE(IsWindow(buttonWindow));
}

TEST(FormModal, TabVisitsTheControlsInTheOrderTheyWereMadeSkippingLabelsAndFrames) {
  testing_support::DesktopLock desktop;  // real keystrokes need the focus
  Form form("Tabs", 4800, 3000);
  form.Load();
  form.Add<Frame>("fraOptions", "Options", 60, 60, 4500, 1500);
  form.Add<Label>("lblName", "&Name:", 120, 240, 1000, 255);
  form.Add<TextBox>("txtName", "", 1200, 240, 2000, 315);
  form.Add<CheckBox>("chkKeep", "Keep", 1200, 700, 2000, 255);
  form.Add<DividerLine>("linDivider", 60, 1700, 4500);
  form.Add<Button>("cmdOK", "OK", 1800, 1900, 1215, 375, ButtonRole::Default);
  form.Add<Button>("cmdCancel", "Cancel", 3120, 1900, 1215, 375, ButtonRole::Cancel);

  // Each tick notes the focus and sends the next key through the keyboard,
  // Tab four times (round to the start), then Shift+Tab, then Esc.
  static std::vector<std::string>* seen;
  static int step;
  static Form* tabbed;
  std::vector<std::string> names;
  seen = &names;
  step = 0;
  tabbed = &form;
  struct Tick {
    static void CALLBACK Run(HWND, UINT, UINT_PTR id, DWORD) {
      std::string name = "?";
      for (const auto& control : tabbed->Controls())
        if (control->Hwnd() == GetFocus()) name = control->Name();
      seen->push_back(name);
      INPUT in[4] = {};
      for (auto& i : in) i.type = INPUT_KEYBOARD;
      int n = 0;
      const int s = step++;
      if (s < 4) {
        in[0].ki.wVk = VK_TAB;
        in[1].ki.wVk = VK_TAB;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        n = 2;
      } else if (s == 4) {
        in[0].ki.wVk = VK_SHIFT;
        in[1].ki.wVk = VK_TAB;
        in[2].ki.wVk = VK_TAB;
        in[2].ki.dwFlags = KEYEVENTF_KEYUP;
        in[3].ki.wVk = VK_SHIFT;
        in[3].ki.dwFlags = KEYEVENTF_KEYUP;
        n = 4;
      } else {
        KillTimer(nullptr, id);
        in[0].ki.wVk = VK_ESCAPE;
        in[1].ki.wVk = VK_ESCAPE;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        n = 2;
      }
      SendInput(n, in, sizeof(INPUT));
    }
  };
  SetForegroundWindow(form.Hwnd());
  UINT_PTR timer = SetTimer(nullptr, 0, 150, &Tick::Run);
  testing_support::ModalWatch watch(form.Hwnd());
  EXPECT_FALSE(form.ShowModal());
  KillTimer(nullptr, timer);
  EXPECT_FALSE(watch.Fired());
  const std::vector<std::string> expected = {"txtName", "chkKeep", "cmdOK",  "cmdCancel",
                                             "txtName", "cmdCancel"};
  EXPECT_EQ(names, expected);
}
