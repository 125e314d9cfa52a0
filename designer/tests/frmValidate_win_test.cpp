// The validation report window on screen (under Xvfb): what it shows, that
// it cannot be edited, how it ends, and that it leaves nothing behind.
#include "designer/frmValidate.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/screenshot.h"
#include "base/tests/testing.h"
#include "common/appinfo.h"
#include "config/clsCorvaneData.h"
#include "designer/tests/insidemodal_win.h"
#include "ui/clsApplication.h"
#include "widgets/TextEditor.h"
#include "widgets/TreeView.h"
#include "widgets/form_controls.h"

using designer::frmValidate;
using designer_test::InsideModal;

namespace {

std::string Report(int lines, size_t longest) {
  std::string text = "Summary Information\rErrors Found: 1\r";
  for (int i = 0; i < lines; ++i) text += "OK       line " + std::to_string(i) + "\r";
  return text + "ERROR    " + std::string(longest, 'x') + "\r";
}

std::string CrLf(std::string text) {
  for (size_t i = 0; (i = text.find('\r', i)) != std::string::npos; i += 2) text.insert(i + 1, "\n");
  return text;
}

HWND InnerOf(widgets::Control& control) { return GetWindow(control.Hwnd(), GW_CHILD); }

class ValidateWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() { ui::g_oApplication().ImageList_LoadIcons(); }
  testing_support::DesktopLock desktop;
};

}  // namespace

TEST_F(ValidateWindow, ShowsTheReportUnwrappedReadOnlyAndInAFixedFont) {
  frmValidate form;
  form.m_szResults = Report(40, 600);
  designer_test::Watchdog watch;
  bool ran = false;
  InsideModal inside([&] {
    ran = true;
    designer_test::PumpWaiting();
    EXPECT_EQ(form.Results().Text(), CrLf(form.m_szResults));
    char caption[256] = {};
    GetWindowTextA(form.Hwnd(), caption, sizeof caption);
    EXPECT_EQ(std::string(caption), common::ProductName() + " - Validate");

    widgets::Control& box = *form.Find("txtResults");
    HWND inner = InnerOf(box);
    // Every report line is one line of the box, the longest too: it scrolls sideways.
    EXPECT_EQ(SendMessageA(inner, EM_GETLINECOUNT, 0, 0), 40 + 3 + 1);
    EXPECT_TRUE(GetWindowLongA(inner, GWL_STYLE) & WS_HSCROLL);
    EXPECT_TRUE(GetWindowLongA(box.Hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(inner, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, "Courier New");

    // Typing and pasting change nothing.
    const std::string before = form.Results().Text();
    for (char c : std::string("abc")) SendMessageA(inner, WM_CHAR, c, 1);
    SendMessageA(inner, WM_KEYDOWN, VK_DELETE, 1);
    SendMessageA(inner, WM_PASTE, 0, 0);
    EXPECT_EQ(form.Results().Text(), before);

    // The divider lies along the bottom of the picture box, the buttons below it.
    widgets::Control& picture = *form.Find("picBackground");
    // (Twips come back from whole pixels: 15 apart at 96 dots per inch.)
    EXPECT_NEAR(form.Find("VertDivider1")->Top(), picture.Height(), 15);
    EXPECT_NEAR(form.Find("btnOk")->Top(), picture.Height() + 200, 15);
    EXPECT_NEAR(box.Width(), picture.Width() - 300, 15);
    // The report has the focus first; Tab moves on to the buttons.
    EXPECT_EQ(GetFocus(), inner);
    auto tab = [] {
      MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
      widgets::TranslateFormMessage(msg);
    };
    tab();
    EXPECT_EQ(GetFocus(), form.Find("btnOk")->Hwnd());
    tab();
    EXPECT_EQ(GetFocus(), form.Find("btnCancel")->Hwnd());
    tab();
    EXPECT_EQ(GetFocus(), inner);

    UpdateWindow(form.Hwnd());
    designer_test::PumpWaiting();
    testing_support::WritePng(testing_support::CaptureScreen(form.Hwnd()),
                              testing_support::TestProgramFolder() + "\\frmValidate.png");
    // Enter in the report presses OK.
    designer_test::PostKey(inner, VK_RETURN);
  });
  EXPECT_TRUE(form.ShowDialog(nullptr));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(watch.Fired());
}

TEST_F(ValidateWindow, OkCancelEscAndTheCloseBoxEachCloseIt) {
  enum class End { Ok, Cancel, Esc, CloseBox };
  struct Case {
    const char* name;
    End end;
    bool ok;
  } cases[] = {
      {"OK", End::Ok, true},
      {"Cancel", End::Cancel, false},
      {"Esc", End::Esc, false},
      {"the close box", End::CloseBox, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frmValidate form;
    form.m_szResults = Report(2, 10);
    designer_test::Watchdog watch;
    InsideModal inside([&] {
      switch (c.end) {
        case End::Ok: static_cast<widgets::Button*>(form.Find("btnOk"))->Press(); break;
        case End::Cancel: static_cast<widgets::Button*>(form.Find("btnCancel"))->Press(); break;
        case End::Esc: designer_test::PostKey(InnerOf(*form.Find("txtResults")), VK_ESCAPE); break;
        case End::CloseBox: PostMessageA(form.Hwnd(), WM_CLOSE, 0, 0); break;
      }
    });
    EXPECT_EQ(form.ShowDialog(nullptr), c.ok);
    EXPECT_EQ(form.m_bOk, c.ok);
    EXPECT_FALSE(IsWindowVisible(form.Hwnd()));
  }
}

TEST_F(ValidateWindow, TheCommandShowsTheTreesReportAndLeavesNoObjectsBehind) {
  widgets::TreeView tree;
  auto root = std::make_shared<config::clsCorvaneData>();
  root->m_lType = config::clsCorvaneData::TypeRoot;
  root->SetCaption("Corvane");
  tree.Add(nullptr, widgets::tvwFirst, "root", "Corvane").SetTag(root);

  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  auto once = [&] {
    std::string shown;
    InsideModal inside([&] {
      for (widgets::Form* f : widgets::LoadedForms())
        if (auto* box = dynamic_cast<widgets::TextEditor*>(f->Find("txtResults"))) shown = box->Text();
      EXPECT_FALSE(IsWindowEnabled(owner));  // modal over its owner
      designer_test::PostKey(GetFocus(), VK_ESCAPE);
    });
    designer::Action_Validate(owner, tree);
    EXPECT_NE(shown.find("Errors Found: 0\r\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("OK       Corvane"), std::string::npos) << shown;
    EXPECT_TRUE(widgets::LoadedForms().empty());  // unloaded afterwards
  };
  testing_support::SettleGdi(once);
  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 3; ++i) once();
  EXPECT_EQ(testing_support::GdiObjects(), gdi);
  EXPECT_EQ(testing_support::UserObjects(), user);
  DestroyWindow(owner);
}
