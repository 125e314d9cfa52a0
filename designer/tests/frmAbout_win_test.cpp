// The About box on screen (under Xvfb): its texts, its two links drawn as
// links, its Ok button, the keys that close it, and that opening and
// closing it leaves nothing behind.
#include "designer/frmAbout.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>

#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/screenshot.h"
#include "base/tests/testing.h"
#include "common/appinfo.h"
#include "designer/AboutTexts.h"
#include "designer/tests/insidemodal_win.h"
#include "smartui/model.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"

using designer::frmAbout;
using designer_test::InsideModal;

namespace {

std::string Caption(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// Pixels of a window in the colour of a link's text (or blended from it
// into the background, where the font is smoothed): blue well above red and
// green. Grey text has none.
int LinkColouredPixels(HWND hwnd) {
  const testing_support::Pixels p = testing_support::CaptureScreen(hwnd);
  int count = 0;
  for (COLORREF c : p.rgb)
    if (GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60) ++count;
  return count;
}

class AboutBox : public testing::Test {
 protected:
  static void SetUpTestSuite() { ui::g_oApplication().ImageList_LoadIcons(); }
  // Opens the box, runs `step` inside its modal loop, and reports whether it ended.
  void Run(frmAbout& about, std::function<void()> step) {
    designer_test::Watchdog watch;
    bool ran = false;
    InsideModal inside([&] {
      ran = true;
      step();
    });
    about.ShowDialog(owner);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(watch.Fired()) << "the box did not close";
    EXPECT_FALSE(IsWindowVisible(about.Hwnd()));
  }
  void TearDown() override { DestroyWindow(owner); }
  testing_support::DesktopLock desktop;
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
};

}  // namespace

TEST_F(AboutBox, ShowsTheProductItsVersionAndTwoLinks) {
  frmAbout about;
  Run(about, [&] {
    designer_test::PumpWaiting();
    const std::string product = common::ProductName();
    EXPECT_EQ(Caption(about.Hwnd()), "About " + product);
    EXPECT_EQ(about.Find("lblAppTitle")->Text(), designer::OneWordPerLine(product));
    EXPECT_EQ(about.Find("lblAppProduct")->Text(), product);
    EXPECT_TRUE(std::regex_match(about.Find("lblShortVersion")->Text(), std::regex(R"(Version \d+\.\d\d\.\d\d\d)")))
        << about.Find("lblShortVersion")->Text();
    EXPECT_EQ(about.Find("lblCopyright")->Text(), common::LegalCopyright());
    EXPECT_FALSE(common::LegalCopyright().empty());
    EXPECT_EQ(about.Find("lblDisclaimer")->Text(), designer::kAboutDisclaimer);
    EXPECT_EQ(about.Find("Label2")->Text(), "Website:");
    EXPECT_EQ(about.Find("Label1")->Text(), "Support:");
    EXPECT_EQ(Caption(about.Find("btnOk")->Hwnd()), "&Ok");
    EXPECT_EQ(Caption(about.Find("btnSystemInfo")->Hwnd()), "&System Info ...");
    // The box opens on its Ok button; Tab goes on to the links.
    EXPECT_EQ(GetFocus(), about.Find("btnOk")->Hwnd());
    EXPECT_EQ(GetNextDlgTabItem(about.Hwnd(), GetFocus(), FALSE), about.Find("suiWebAddress")->Hwnd());

    struct Link {
      const char* name;
      const char* address;
    } links[] = {{"suiWebAddress", designer::kAboutWebAddress}, {"suiSupport", designer::kAboutSupportAddress}};
    for (const Link& l : links) {
      SCOPED_TRACE(l.name);
      auto* link = dynamic_cast<ui::SmartUIControl*>(about.Find(l.name));
      ASSERT_TRUE(link);
      ASSERT_EQ(link->Model().items().count(), 1);
      EXPECT_EQ(link->Model().items().at(1)->caption(), l.address);
      EXPECT_EQ(link->Model().items().at(1)->value().ToString(), l.address);
      EXPECT_TRUE(IsWindowVisible(link->Hwnd()));
      EXPECT_TRUE(IsWindowEnabled(link->Hwnd()));
      // Its text is there, in the link colour.
      EXPECT_GT(LinkColouredPixels(link->Hwnd()), 20);
    }
    EXPECT_TRUE(
        testing_support::SaveWindowPng(about.Hwnd(), testing_support::TestProgramFolder() + "\\designer_about.png"));
    designer_test::PostKey(GetFocus(), VK_RETURN);
  });
  EXPECT_TRUE(about.m_bOk);
}

TEST_F(AboutBox, EnterEscAndTheCloseBoxCloseIt) {
  struct Case {
    const char* name;
    WPARAM key;  // 0: the close box
    bool ok;
  } cases[] = {{"Enter", VK_RETURN, true}, {"Esc", VK_ESCAPE, false}, {"the close box", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frmAbout about;
    Run(about, [&] {
      if (c.key)
        designer_test::PostKey(GetFocus(), c.key);
      else
        PostMessageA(about.Hwnd(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(about.m_bOk, c.ok);
  }
}

TEST_F(AboutBox, OpeningAndClosingLeavesNoObjectsBehind) {
  auto once = [&] {
    frmAbout about;
    Run(about, [] { designer_test::PostKey(GetFocus(), VK_ESCAPE); });
    about.Unload();
  };
  testing_support::SettleGdi(once);
  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 3; ++i) once();
  EXPECT_EQ(testing_support::GdiObjects(), gdi);
  EXPECT_EQ(testing_support::UserObjects(), user);
}
