// The property grid and the list in real windows: driven by SendInput and by
// messages, the model read back after each step, pixels probed.
#include "smartui/grid_view.h"

#include <gtest/gtest.h>

#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/testing.h"
#include "smartui/tests/event_log.h"
#include "base/tests/screenshot.h"

namespace {

using namespace sui;
using sui_testing::EventLog;
using sui_testing::Lines;

constexpr int kGridWidth = 400, kGridHeight = 520;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd, msg, wp, lp); }

void Pump(int rounds = 3, DWORD pause = 10) {
  for (int r = 0; r < rounds; ++r) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (pause) Sleep(pause);
  }
}

void Keys(std::initializer_list<WORD> keys, WORD modifier = 0) {
  std::vector<INPUT> in;
  auto add = [&](WORD vk, bool up) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD vk : keys) {
    if (modifier) add(modifier, false);
    add(vk, false);
    add(vk, true);
    if (modifier) add(modifier, true);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  Pump();
}

void Type(const char* text) {
  for (const char* p = text; *p; ++p) {
    SHORT scan = VkKeyScanA(*p);
    Keys({static_cast<WORD>(scan & 0xff)}, (scan & 0x100) ? VK_SHIFT : 0);
  }
}

// One mouse event at a point of the window's client area, in absolute
// coordinates (relative moves would be accelerated).
void Mouse(HWND hwnd, int x, int y, DWORD what) {
  POINT pt = {x, y};
  ClientToScreen(hwnd, &pt);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | what;
  SendInput(1, &in, sizeof in);
  Pump();
}

void Click(HWND hwnd, int x, int y) {
  Mouse(hwnd, x, y, MOUSEEVENTF_LEFTDOWN);
  Mouse(hwnd, x, y, MOUSEEVENTF_LEFTUP);
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 24 && std::abs(GetGValue(a) - GetGValue(b)) < 24 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 24;
}

struct AllKinds;

// One frame for the whole program: under Xvfb with no window manager, Wine
// waits about two seconds for each visible top-level window it takes down.
class GridWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_lock = new testing_support::DesktopLock;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "CorvaneGridTestFrame";
    RegisterClassA(&wc);
    s_frame = CreateWindowExA(WS_EX_CONTROLPARENT, wc.lpszClassName, "grid", WS_POPUP | WS_VISIBLE, 0, 0,
                              kGridWidth + 20, kGridHeight + 20, nullptr, nullptr, wc.hInstance, nullptr);
    s_font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  }
  static void TearDownTestSuite() {
    DestroyWindow(s_frame);
    DeleteObject(s_font);
    delete s_lock;
  }
  void SetUp() override {
    SetForegroundWindow(s_frame);
    SetFocus(s_frame);
  }
  void TearDown() override {
    view.reset();
    Pump();
  }

  void Show(Control& c) {
    view = std::make_unique<GridView>(c);
    ASSERT_TRUE(view->create(s_frame, 7, 10, 10, kGridWidth, kGridHeight));
    SendMessageA(view->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(s_font), TRUE);
    UpdateWindow(view->hwnd());
    Pump();
  }
  // The middle of a row's caption, and a point in its value cell.
  POINT CaptionPoint(const ItemPtr& item) {
    RECT rc = view->rowRect(item);
    return {rc.left + 30, (rc.top + rc.bottom) / 2};
  }
  POINT ValuePoint(const ItemPtr& item) {
    RECT rc = view->rowRect(item);
    return {view->splitter() + 30, (rc.top + rc.bottom) / 2};
  }
  COLORREF PixelAt(POINT pt) {
    UpdateWindow(view->hwnd());
    Pump();
    testing_support::Pixels p = testing_support::CaptureWindowDc(view->hwnd());
    RECT wr, cr = {};
    GetWindowRect(view->hwnd(), &wr);
    POINT origin = {0, 0};
    ClientToScreen(view->hwnd(), &origin);
    (void)cr;
    return p.At(pt.x + origin.x - wr.left, pt.y + origin.y - wr.top);
  }

  // Models the test shows; they outlive the view, which observes them.
  AllKinds& Kinds();
  Control& ListControl() { return *(m_list = std::make_unique<Control>(Style::List)); }

  static testing_support::DesktopLock* s_lock;
  static HWND s_frame;
  static HFONT s_font;
  std::vector<std::unique_ptr<AllKinds>> m_kinds;
  std::unique_ptr<Control> m_list;
  std::unique_ptr<GridView> view;
};

testing_support::DesktopLock* GridWindow::s_lock;
HWND GridWindow::s_frame;
HFONT GridWindow::s_font;

// Every row kind the forms use, with the values they show.
struct AllKinds {
  Control grid{Style::Grid};
  ItemPtr heading, check, checkOff, option1, option2, text, plain, readOnly, button, list, editList, hosted, entry,
      category, spacer;
  HWND hostedEdit = nullptr;

  explicit AllKinds(HWND frame) {
    auto& items = grid.items();
    grid.setCaption("Item Properties");
    heading = items.add(0, "", "General", kKindHeading);
    heading->setBold(true);
    check = items.add(0, "check", "Show hidden files", kKindCheckBox);
    check->setChecked(true);
    checkOff = items.add(0, "checkoff", "Confirm each delete", kKindCheckBox);
    option1 = items.add(0, "normal", "Normal", kKindOptionButton);
    option1->setIndent(1);
    option1->setChecked(true);
    option2 = items.add(0, "special", "Windows Special", kKindOptionButton);
    option2->setIndent(1);
    text = items.add(0, "caption", "Caption", kKindText);
    text->setValue("My Documents");
    plain = items.add(0, "plain", "Root caption", kKindPlainText);
    plain->setValue("Corvane");
    readOnly = items.add(0, "preview", "Parameters", kKindReadOnlyText);
    readOnly->setValue("%1 /s");
    button = items.add(0, "path", "Path", kKindTextButton);
    button->setValue("C:\\Users\\Public");
    list = items.add(0, "type", "Type", kKindList);
    for (const char* c : {"Folder", "File", "Separator"}) list->subItems().add(0, "", c, kKindEntry);
    list->setValue("Folder");
    editList = items.add(0, "exe", "Program", kKindEditableList);
    for (const char* c : {"notepad.exe", "cmd.exe"}) editList->subItems().add(0, "", c, kKindEntry);
    editList->setValue("notepad.exe");
    category = items.add(0, "", "Details", kKindCategory);
    hosted = items.add(0, "actions", "Actions", kKindHostedControl);
    hosted->setValue("txtActions");
    spacer = items.add(0, "", "", kKindEntry);
    spacer->setEnabled(false);
    entry = items.add(0, "mru_1", "1. C:\\Temp", kKindEntry);
    hostedEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "{ENTER}hello", WS_CHILD | ES_MULTILINE, 0, 0, 10, 10,
                                 frame, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~AllKinds() { DestroyWindow(hostedEdit); }
};

AllKinds& GridWindow::Kinds() { return *m_kinds.emplace_back(std::make_unique<AllKinds>(s_frame)); }

TEST_F(GridWindow, EveryRowKindIsDrawnWithTheCurrentRowAndGlyphsVisible) {
  AllKinds& k = Kinds();
  Show(k.grid);
  view->host("TXTACTIONS", k.hostedEdit);  // names match ignoring case
  view->images().add("folder_open", LoadIcon(nullptr, IDI_INFORMATION));
  k.button->setImage("Folder_Open");  // image keys match ignoring case too
  k.text->setSelected(true);
  Pump();
  UpdateWindow(view->hwnd());
  Pump();
  testing_support::Pixels shot = testing_support::CaptureWindowDc(s_frame);
  testing_support::WritePng(shot, testing_support::TestProgramFolder() + "\\grid_every_row_kind.png");

  // The current row's caption cell is highlighted; the others are not.
  EXPECT_TRUE(Near(PixelAt({view->splitter() - 5, CaptionPoint(k.text).y - 4}), GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_TRUE(Near(PixelAt({view->splitter() - 5, CaptionPoint(k.plain).y - 4}), GetSysColor(COLOR_WINDOW)));
  // The tick of a checked box is dark at the glyph's middle; an unchecked box is blank there.
  auto glyphMiddle = [&](const ItemPtr& row) {
    RECT rc = view->rowRect(row);
    return POINT{2 + 6, (rc.top + rc.bottom) / 2};
  };
  auto dark = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96; };
  EXPECT_TRUE(dark(PixelAt(glyphMiddle(k.check))));
  EXPECT_FALSE(dark(PixelAt(glyphMiddle(k.checkOff))));
  // Forms drop the border after loading.
  EXPECT_TRUE(GetWindowLongPtrA(view->hwnd(), GWL_STYLE) & WS_BORDER);
  k.grid.setBorderStyle(0);
  EXPECT_FALSE(GetWindowLongPtrA(view->hwnd(), GWL_STYLE) & WS_BORDER);
  Pump();
  // The hosted window stays the frame's child, laid over its row's value area.
  EXPECT_EQ(GetParent(k.hostedEdit), s_frame);
  EXPECT_TRUE(IsWindowVisible(k.hostedEdit));
  RECT placed, row = view->rowRect(k.hosted);
  GetWindowRect(k.hostedEdit, &placed);
  MapWindowPoints(nullptr, view->hwnd(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, view->splitter() + 1);
  EXPECT_EQ(placed.top, row.top);
  EXPECT_GT(placed.bottom - placed.top, 4 * (view->rowRect(k.text).bottom - view->rowRect(k.text).top));
  // Hidden with its row, and back with it.
  k.hosted->setVisible(false);
  Pump();
  EXPECT_FALSE(IsWindowVisible(k.hostedEdit));
  k.hosted->setVisible(true);
  Pump();
  EXPECT_TRUE(IsWindowVisible(k.hostedEdit));

  // The "..." row's editor open, for a person to look at beside the first.
  k.button->setSelected(true);
  view->focus();
  Pump();
  ASSERT_TRUE(view->editorButton());
  UpdateWindow(s_frame);
  Pump();
  testing_support::WritePng(testing_support::CaptureWindowDc(s_frame),
                        testing_support::TestProgramFolder() + "\\grid_editor_open.png");
}

TEST_F(GridWindow, AKeyboardOnlyWalkEditsTogglesPicksAndPressesTheButton) {
  AllKinds& k = Kinds();
  Show(k.grid);
  EventLog log(k.grid);
  k.grid.handlers.buttonClick = [&, logged = k.grid.handlers.buttonClick](const ItemPtr& i) {
    logged(i);
    k.button->setValue("D:\\Chosen");  // as a folder browser would
  };
  k.check->setSelected(true);
  log.take();
  view->focus();
  Pump();

  Keys({VK_SPACE});  // the current check row
  EXPECT_FALSE(k.check->checked());
  EXPECT_EQ(log.take(), (Lines{"change check checked"}));

  Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});  // past the options, to the text row
  EXPECT_EQ(k.grid.current(), k.text);
  ASSERT_TRUE(view->editor());
  EXPECT_EQ(GetFocus(), view->editor());
  log.take();
  Keys({VK_END});
  Type("!x");
  Keys({VK_BACK});
  EXPECT_EQ(k.text->value().ToString(), "My Documents!");
  EXPECT_EQ(log.take(), (Lines{"change caption value", "change caption value", "change caption value"}));

  Keys({VK_DOWN});  // the edit ends with a commit, before the next row's click
  EXPECT_EQ(log.take(), (Lines{"commit caption", "click plain", "query"}));
  EXPECT_EQ(k.grid.current(), k.plain);

  Keys({VK_DOWN, VK_DOWN, VK_DOWN});  // the read-only row, the "..." row, the list row
  EXPECT_EQ(k.grid.current(), k.list);
  log.take();
  Keys({VK_DOWN}, VK_MENU);  // Alt+Down drops the list
  EXPECT_EQ(log.take(), (Lines{"drop type"}));
  Keys({VK_DOWN, VK_RETURN});
  EXPECT_EQ(k.list->value().ToString(), "File");
  EXPECT_EQ(log.take(), (Lines{"change type value", "commit type"}));

  Keys({VK_UP});
  EXPECT_EQ(k.grid.current(), k.button);
  Type("z");
  Keys({VK_TAB, VK_SPACE});  // to the "..." button, and press it
  EXPECT_EQ(log.take(), (Lines{"click path", "query", "change path value", "commit path", "button path",
                               "change path value"}));
  EXPECT_EQ(k.button->value().ToString(), "D:\\Chosen");
  EXPECT_EQ(GetWindowTextLengthA(view->editor()), 9);  // the editor took the program's value

  Keys({VK_ESCAPE});  // puts back what the button left, not what the editor opened with
  EXPECT_EQ(view->editor(), nullptr);
  EXPECT_EQ(k.button->value().ToString(), "D:\\Chosen");
  EXPECT_EQ(log.take(), Lines{});
}

TEST_F(GridWindow, EscPutsBackTheOpeningTextWithoutACommit) {
  AllKinds& k = Kinds();
  Show(k.grid);
  EventLog log(k.grid);
  k.text->setSelected(true);
  view->focus();
  Pump();
  Type("abc");
  EXPECT_EQ(k.text->value().ToString(), "abc");
  log.take();
  Keys({VK_ESCAPE});
  EXPECT_EQ(k.text->value().ToString(), "My Documents");
  EXPECT_EQ(log.take(), (Lines{"change caption value"}));
  EXPECT_EQ(view->editor(), nullptr);
}

TEST_F(GridWindow, MouseClicksSelectToggleAndDragTheSplitter) {
  AllKinds& k = Kinds();
  Show(k.grid);
  EventLog log(k.grid);
  POINT p = CaptionPoint(k.checkOff);
  Click(view->hwnd(), p.x, p.y);
  EXPECT_EQ(log.take(), (Lines{"click checkoff", "change checkoff checked"}));
  EXPECT_TRUE(k.checkOff->checked());

  p = CaptionPoint(k.option2);
  Click(view->hwnd(), p.x, p.y);
  EXPECT_EQ(log.take(), (Lines{"click special", "change special checked", "change normal checked"}));

  p = CaptionPoint(k.heading);
  Click(view->hwnd(), p.x, p.y);
  EXPECT_EQ(log.take(), (Lines{"click General"}));
  EXPECT_EQ(k.grid.current(), k.option2);  // a heading never becomes current

  p = ValuePoint(k.text);
  Click(view->hwnd(), p.x, p.y);
  EXPECT_EQ(log.take(), (Lines{"click caption", "query"}));
  ASSERT_TRUE(view->editor());
  p = CaptionPoint(k.entry);  // a click elsewhere closes the editor
  Click(view->hwnd(), p.x, p.y);
  EXPECT_EQ(log.take(), (Lines{"click mru_1"}));
  EXPECT_EQ(view->editor(), nullptr);

  // Drag the splitter 60 pixels to the right.
  int was = view->splitter();
  RECT rc = view->rowRect(k.text);
  int y = (rc.top + rc.bottom) / 2;
  Mouse(view->hwnd(), was, y, MOUSEEVENTF_LEFTDOWN);
  Mouse(view->hwnd(), was + 30, y, 0);
  Mouse(view->hwnd(), was + 60, y, 0);
  Mouse(view->hwnd(), was + 60, y, MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(view->splitter(), was + 60);
  EXPECT_EQ(log.take(), Lines{});
}

TEST_F(GridWindow, ProgramChangesRepaintAndReachTheOpenEditorSilently) {
  AllKinds& k = Kinds();
  Show(k.grid);
  k.text->setSelected(true);
  view->focus();
  Pump();
  ASSERT_TRUE(view->editor());
  EventLog log(k.grid);
  k.text->setValue("Set by the program");
  Pump();
  char buf[64] = {};
  GetWindowTextA(view->editor(), buf, sizeof buf);
  EXPECT_STREQ(buf, "Set by the program");
  EXPECT_EQ(log.take(), (Lines{"change caption value"}));  // once, from the model; no commit

  k.check->setChecked(false);
  Pump();
  RECT rc = view->rowRect(k.check);
  auto dark = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96; };
  EXPECT_FALSE(dark(PixelAt({8, (rc.top + rc.bottom) / 2})));

  // Removing the edited row closes its editor without a commit.
  Type("q");
  log.take();
  k.grid.items().remove("caption");
  Pump();
  EXPECT_EQ(view->editor(), nullptr);
  EXPECT_EQ(log.take(), Lines{});

  // A heading's click handler clears the current row: the editor goes with it.
  k.plain->setSelected(true);
  view->focus();
  Pump();
  ASSERT_TRUE(view->editor());
  k.grid.setCurrent(nullptr);
  Pump();
  EXPECT_EQ(view->editor(), nullptr);
  EXPECT_TRUE(Near(PixelAt({view->splitter() - 5, CaptionPoint(k.plain).y - 4}), GetSysColor(COLOR_WINDOW)));
}

TEST_F(GridWindow, SurvivesAHandlerThatClearsOrDestroysItFromItsOwnEvent) {
  AllKinds& k = Kinds();
  Show(k.grid);
  ItemPtr refilled;
  k.grid.handlers.itemClick = [&](const ItemPtr&) {
    k.grid.items().clear();
    refilled = k.grid.items().add(0, "new", "Refilled", kKindText);
  };
  POINT p = CaptionPoint(k.text);
  Click(view->hwnd(), p.x, p.y);
  EXPECT_EQ(k.text->control(), nullptr);  // detached, still readable
  EXPECT_EQ(k.text->caption(), "Caption");
  ASSERT_TRUE(refilled);
  Keys({VK_DOWN});
  EXPECT_FALSE(refilled->selected());  // the handler runs again and clears it once more
  UpdateWindow(view->hwnd());

  AllKinds& again = Kinds();
  Show(again.grid);
  again.grid.handlers.itemClick = [&](const ItemPtr&) { view.reset(); };
  again.grid.handlers.itemChange = [&](const ItemPtr&, const std::string&) { view.reset(); };
  p = CaptionPoint(again.checkOff);
  HWND gone = view->hwnd();
  Click(gone, p.x, p.y);
  EXPECT_EQ(view, nullptr);
  EXPECT_FALSE(IsWindow(gone));
}

TEST_F(GridWindow, AListReportsClicksAndLeavesTheSelectionToTheForm) {
  Control& list = ListControl();
  list.setCaption("Actions");
  auto a = list.items().add(0, "a", "Open a command prompt", kKindEntry);
  auto b = list.items().add(0, "b", "Type the date", kKindEntry);
  a->setSelected(true);
  Show(list);
  EventLog log(list);
  POINT p = CaptionPoint(b);
  Click(view->hwnd(), p.x, p.y);
  EXPECT_EQ(log.take(), (Lines{"click b"}));
  EXPECT_TRUE(a->selected());
  EXPECT_TRUE(Near(PixelAt({kGridWidth - 30, CaptionPoint(a).y - 4}), GetSysColor(COLOR_HIGHLIGHT)));
  Keys({VK_DOWN});
  EXPECT_EQ(log.take(), (Lines{"click b"}));
  EXPECT_EQ(view->editor(), nullptr);  // a list opens no editor
  list.setRedraw(false);
  b->setSelected(true);
  EXPECT_EQ(log.take(), (Lines{"click b"}));
  list.setRedraw(true);
  Pump();
  EXPECT_TRUE(Near(PixelAt({kGridWidth - 30, CaptionPoint(b).y - 4}), GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(GridWindow, TwoHundredGridsComeAndGoWithoutLeakingObjects) {
  AllKinds& k = Kinds();
  // Every other grid opens the "..." editor (an edit and a button) instead of
  // the plain one; each paints with the form's font and its bold copy.
  auto cycle = [&](int i) {
    GridView grid(k.grid);
    grid.create(s_frame, 8, 0, 0, 300, 300);
    SendMessageA(grid.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(s_font), FALSE);
    (i % 2 ? k.button : k.text)->setSelected(true);
    grid.focus();
    UpdateWindow(grid.hwnd());
    Pump(1, 0);
    EXPECT_TRUE(grid.editor());
  };
  cycle(0);  // what the system sets up once
  cycle(1);
  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 200; ++i) cycle(i);
  EXPECT_LE(testing_support::GdiObjects(), gdi);
  EXPECT_LE(testing_support::UserObjects(), user);
}

}  // namespace

namespace {

TEST_F(GridWindow, AnEditableListTakesTypedTextAndPickedEntries) {
  AllKinds& k = Kinds();
  Show(k.grid);
  EventLog log(k.grid);
  k.grid.handlers.dropDown = [&, logged = k.grid.handlers.dropDown](const ItemPtr& row) {
    logged(row);
    row->subItems().clear();  // refilled each time, as the running programs are
    for (const char* c : {"explorer.exe", "wordpad.exe"}) row->subItems().add(0, "", c, kKindEntry);
  };
  k.editList->setSelected(true);
  view->focus();
  Pump();
  ASSERT_TRUE(view->editor());
  log.take();
  Keys({VK_END});
  Type("x");
  EXPECT_EQ(k.editList->value().ToString(), "notepad.exex");
  Keys({VK_F4});
  Keys({VK_DOWN, VK_RETURN});
  EXPECT_EQ(k.editList->value().ToString(), "explorer.exe");
  EXPECT_EQ(log.take(), (Lines{"change exe value", "drop exe", "change exe value", "commit exe"}));
  Keys({VK_RETURN});  // nothing typed since the pick: no second commit
  EXPECT_EQ(log.take(), Lines{});
  EXPECT_EQ(view->editor(), nullptr);
}

TEST_F(GridWindow, AHostedWindowShowsOnlyWhileItsRowIsWhollyInView) {
  AllKinds& k = Kinds();
  Show(k.grid);
  view->host("txtActions", k.hostedEdit);
  Pump();
  EXPECT_TRUE(IsWindowVisible(k.hostedEdit));
  SetWindowPos(view->hwnd(), nullptr, 0, 0, kGridWidth, view->rowRect(k.hosted).top + 20, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_FALSE(IsWindowVisible(k.hostedEdit));
  // A row made current below the fold is scrolled into view.
  k.entry->setSelected(true);
  Pump();
  RECT client, last = view->rowRect(k.entry);
  GetClientRect(view->hwnd(), &client);
  EXPECT_GT(last.bottom, last.top);
  EXPECT_LE(last.bottom, client.bottom);
  EXPECT_TRUE(IsRectEmpty(&(last = view->rowRect(k.heading))));  // scrolled off the top
  k.grid.setVisible(false);
  SetWindowPos(view->hwnd(), nullptr, 0, 0, kGridWidth, kGridHeight, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_FALSE(IsWindowVisible(view->hwnd()));
  EXPECT_FALSE(IsWindowVisible(k.hostedEdit));
  k.grid.setVisible(true);
  Pump();
  EXPECT_TRUE(IsWindowVisible(k.hostedEdit));
}

}  // namespace
