// The views that paint themselves: view bar, panel and caption bar, progress
// panel and link, on real windows worked by mouse and keyboard messages.
#include "smartui/bar_views.h"

#include <gtest/gtest.h>

#include "smartui/tests/event_log.h"
#include "smartui/tests/viewhost.h"

using namespace sui;
using namespace sui_testing;

namespace {

COLORREF Pixel(HWND hwnd, int x, int y) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  base::WindowDc dc(hwnd);
  return GetPixel(dc.get(), x, y);
}

void ClickAt(HWND hwnd, int x, int y) {
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

TEST(ViewBarView, AClickOrSpaceMakesTheEntryCurrentAndReportsItOnceDrawnPressed) {
  Frame frame;
  frame.show();
  Control bar(Style::ViewBar);
  bar.setBorderStyle(5);
  ItemPtr designer = bar.items().add(0, "id_viewmenudesigner", "Menu Designer", kKindViewBarEntry, "menu");
  designer->setBold(true);
  ItemPtr test = bar.items().add(0, "id_viewtestmenu", "Test Menu", kKindViewBarEntry, "testmenu");
  designer->setSelected(true);
  EventLog log(bar);
  ViewBarView view(bar, frame.hwnd(), RECT{0, 0, 100, 300});

  const RECT first = view.cellOf(designer), second = view.cellOf(test);
  ASSERT_GT(second.top, first.bottom - 1);
  // The current cell is sunken (its outer top-left edge in the shadow colour).
  EXPECT_EQ(Pixel(view.hwnd(), first.left, first.top + 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Pixel(view.hwnd(), second.left, second.top + 5), GetSysColor(COLOR_BTNFACE));

  ClickAt(view.hwnd(), (second.left + second.right) / 2, second.top + 10);
  EXPECT_EQ(log.take(), (Lines{"click id_viewtestmenu"}));
  EXPECT_EQ(bar.current(), test);
  EXPECT_EQ(Pixel(view.hwnd(), second.left, second.top + 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Pixel(view.hwnd(), first.left, first.top + 5), GetSysColor(COLOR_BTNFACE));
  // Clicking the current entry again still reports it, once; a gap reports nothing.
  ClickAt(view.hwnd(), (second.left + second.right) / 2, second.top + 10);
  ClickAt(view.hwnd(), 50, 295);
  EXPECT_EQ(log.take(), (Lines{"click id_viewtestmenu"}));

  // Up and Space, as the keyboard sends them.
  SendMessageA(view.hwnd(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_TRUE(log.take().empty());
  SendMessageA(view.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(log.take(), (Lines{"click id_viewmenudesigner"}));
  EXPECT_EQ(bar.current(), designer);

  // A disabled entry ignores the user.
  test->setEnabled(false);
  ClickAt(view.hwnd(), (second.left + second.right) / 2, second.top + 10);
  EXPECT_TRUE(log.take().empty());
}

TEST(ViewBarView, AHandlerThatDestroysTheViewFromItsOwnClickEndsCleanly) {
  Frame frame;
  Control bar(Style::ViewBar);
  ItemPtr entry = bar.items().add(0, "a", "A", kKindViewBarEntry);
  auto view = std::make_unique<ViewBarView>(bar, frame.hwnd(), RECT{0, 0, 100, 300});
  HWND hwnd = view->hwnd();
  int clicks = 0;
  bar.handlers.itemClick = [&](const ItemPtr&) {
    ++clicks;
    view.reset();  // as Exit unloads the form from inside a click
    bar.items().clear();
  };
  const RECT cell = view->cellOf(entry);
  ClickAt(hwnd, cell.left + 5, cell.top + 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(PanelView, PanesAndCaptionBarReportAClickOnTheControl) {
  Frame frame;
  frame.show();
  for (Style style : {Style::Panel, Style::CaptionBar}) {
    Control panel(style);
    panel.setBorderStyle(2);
    panel.setCaption("Preview");
    panel.items().add(0, "status", "Ready", kKindPlainText);
    EventLog log(panel);
    PanelView view(panel, frame.hwnd(), RECT{0, 0, 300, 24});
    // The sunken border: shadow on the top edge, highlight on the bottom.
    EXPECT_EQ(Pixel(view.hwnd(), 10, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(view.hwnd(), 10, 23), GetSysColor(COLOR_BTNHIGHLIGHT));
    ClickAt(view.hwnd(), 100, 10);
    EXPECT_EQ(log.take(), (Lines{"click"}));
    panel.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(view.hwnd()));
  }
}

TEST(ProgressView, StepsOnEveryCaptionChangeWrapsRoundAndAClickIsTheStop) {
  Frame frame;
  frame.show();
  Control progress(Style::Progress);
  progress.setCaption("Copy to Clipboard Progress");
  ItemPtr folder = progress.items().add(0, "id_folder", "C:\\", kKindPlainText, "folder_open");
  EventLog log(progress);
  ProgressView view(progress, frame.hwnd(), RECT{0, 0, 360, 90});
  EXPECT_EQ(SendMessageA(view.bar(), PBM_GETPOS, 0, 0), 0);
  folder->setCaption("C:\\windows");
  folder->setCaption("C:\\windows\\system32");
  EXPECT_EQ(SendMessageA(view.bar(), PBM_GETPOS, 0, 0), 10);
  folder->setImage("other");  // not a caption: no step
  EXPECT_EQ(SendMessageA(view.bar(), PBM_GETPOS, 0, 0), 10);
  for (int i = 0; i < 18; ++i) folder->setCaption("C:\\" + std::to_string(i));
  EXPECT_EQ(SendMessageA(view.bar(), PBM_GETPOS, 0, 0), 100);
  folder->setCaption("C:\\again");
  EXPECT_EQ(SendMessageA(view.bar(), PBM_GETPOS, 0, 0), 5);

  // Anywhere, the bar included.
  RECT bar{};
  GetWindowRect(view.bar(), &bar);
  MapWindowPoints(nullptr, view.hwnd(), reinterpret_cast<POINT*>(&bar), 2);
  POINT onBar{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
  ClientToScreen(view.hwnd(), &onBar);
  HWND under = WindowFromPoint(onBar);
  EXPECT_EQ(under, view.hwnd()) << "the bar lets the click through to the panel";
  ClickAt(view.hwnd(), 5, 5);
  EXPECT_EQ(log.take(), (Lines{"click"}));
}

TEST(LinkView, AClickEnterOrSpaceReportsTheItemThenOpensItsTarget) {
  Frame frame;
  frame.show();
  Control link(Style::Link);
  ItemPtr item = link.items().add(0, "", "support@corvane.example", kKindPlainText);
  std::vector<std::string> seen;
  link.handlers.itemClick = [&](const ItemPtr& i) { seen.push_back("click " + i->caption()); };
  LinkView view(link, frame.hwnd(), RECT{0, 0, 200, 20});
  view.open = [&](HWND, const std::string& target) { seen.push_back("open " + target); };
  ClickAt(view.hwnd(), 10, 10);
  item->setValue(std::string("https://corvane.example/"));
  SendMessageA(view.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(view.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "click support@corvane.example", "open mailto:support@corvane.example",
                      "click support@corvane.example", "open https://corvane.example/",
                      "click support@corvane.example", "open https://corvane.example/"}));
  // The hand over the link.
  EXPECT_EQ(SendMessageA(view.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(view.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}
