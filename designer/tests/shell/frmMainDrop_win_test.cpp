// Files and folders dropped from the shell onto the main window's tree: the
// drop target that the window registered on its tree, called with a real
// file list and the screen points of the tree's own rows, and the tree
// read back from the window.
#include "designer/tests/shell/MainWindowFixture.h"

#include <commctrl.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/appinfo.h"
#include "designer/tests/file_list_win.h"
#include "designer/tests/insidemodal_win.h"

using config::clsCorvaneData;
using namespace designer_test;

namespace {

HWND TreeWindow(designer::frmMain& main) { return static_cast<HWND>(main.Tree().hWnd()); }

std::string TextOf(HWND tree, HTREEITEM item) {
  char text[260] = {};
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

// The tree as the window shows it: one line per row, indented by depth.
void OutlineOf(HWND tree, HTREEITEM first, int depth, std::string& out) {
  for (HTREEITEM i = first; i; i = TreeView_GetNextSibling(tree, i)) {
    out += std::string(static_cast<size_t>(depth), ' ') + TextOf(tree, i) + "\n";
    OutlineOf(tree, TreeView_GetChild(tree, i), depth + 1, out);
  }
}

std::string ShownOutline(HWND tree) {
  std::string out;
  OutlineOf(tree, TreeView_GetRoot(tree), 0, out);
  return out;
}

HTREEITEM RowOf(HWND tree, HTREEITEM first, const std::string& text) {
  for (HTREEITEM i = first; i; i = TreeView_GetNextSibling(tree, i)) {
    if (TextOf(tree, i) == text) return i;
    if (HTREEITEM found = RowOf(tree, TreeView_GetChild(tree, i), text)) return found;
  }
  return nullptr;
}

// The middle of a row's text on the screen.
POINT ScreenPointOf(HWND tree, const std::string& text) {
  RECT r{};
  HTREEITEM row = RowOf(tree, TreeView_GetRoot(tree), text);
  EXPECT_TRUE(row) << text;
  std::memcpy(&r, &row, sizeof row);  // the message takes the row in the rectangle
  EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(tree, &p);
  return p;
}

// The drop target the window registered on its tree: the pointer the
// system's drag loop finds on the window.
IDropTarget* RegisteredTarget(HWND tree) {
  return static_cast<IDropTarget*>(GetPropA(tree, "OleDropTargetInterface"));
}

struct Dropped {
  DWORD over = 0xdeadbeef, dropped = 0xdeadbeef;
};

Dropped DropAt(IDropTarget* target, IDataObject* data, POINT p) {
  Dropped d;
  d.over = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, {p.x, p.y}, &d.over), S_OK);
  DWORD effect = d.over;
  EXPECT_EQ(target->DragOver(MK_LBUTTON, {p.x, p.y}, &effect), S_OK);
  d.dropped = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(data, MK_LBUTTON, {p.x, p.y}, &d.dropped), S_OK);
  return d;
}

class MainWindowDrop : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    std::filesystem::create_directories(std::filesystem::path(dir.Path()) / "Sub");
    std::ofstream(dir.File("a.txt")) << "a";
    folder = dir.File("Sub");
    file = dir.File("a.txt");
  }
  // Corvane: Docs, Tools
  void Fill() {
    main->InitializeTree();
    AddItem(*main, clsCorvaneData::TypeFolder, "Docs", "C:\\Docs");
    AddItem(*main, clsCorvaneData::TypePopupMenu, "Tools", "");
    Pump();
  }
  std::string folder, file;
};

TEST_F(MainWindowDrop, DroppedFilesAndFoldersBecomeItemsOfTheirKind) {
  struct Case {
    const char* onto;
    const char* outline;
  };
  const Case cases[] = {
      // Each goes right after the same folder item: the list comes out reversed.
      {"Docs", "Corvane\n Docs\n a.txt\n Sub\n Tools\n"},
      // Onto the root they go last among its children, in the list's order.
      {"Corvane", "Corvane\n Docs\n Tools\n Sub\n a.txt\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.onto);
    Fill();
    const HWND tree = TreeWindow(*main);
    ASSERT_TRUE(tree);
    IDropTarget* target = RegisteredTarget(tree);
    ASSERT_TRUE(target) << "no drop target on the tree";
    auto data = base::ComPtr<IDataObject>::Attach(new FileList({folder, file}, CF_HDROP));
    const Dropped d = DropAt(target, data.get(), ScreenPointOf(tree, c.onto));
    EXPECT_EQ(d.over, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(d.dropped, static_cast<DWORD>(DROPEFFECT_NONE));  // the shell's files stay where they are
    Pump();
    EXPECT_EQ(ShownOutline(tree), c.outline);
    // A folder becomes a folder item and a file a file item, each at its path.
    for (std::int32_t i = 1; i <= main->Tree().Count(); ++i) {
      const auto item = std::dynamic_pointer_cast<clsCorvaneData>(main->Tree().Item(i).Tag());
      ASSERT_TRUE(item);
      if (item->Caption() == "Sub") {
        EXPECT_EQ(item->m_lType, clsCorvaneData::TypeFolder);
        EXPECT_EQ(item->Location(), folder);
      } else if (item->Caption() == "a.txt") {
        EXPECT_EQ(item->m_lType, clsCorvaneData::TypeFile);
        EXPECT_EQ(item->Location(), file);
      }
    }
    ASSERT_TRUE(main->Tree().SelectedItem());
    EXPECT_EQ(main->Tree().SelectedItem()->Text(), c.onto);
    EXPECT_TRUE(main->Dirty());
    EXPECT_EQ(Title(main->Hwnd()).back(), '*');
  }
  EXPECT_TRUE(prompts.Prompts().empty());
}

TEST_F(MainWindowDrop, ADropWhileADialogIsOpenIsRefused) {
  Fill();
  const HWND tree = TreeWindow(*main);
  IDropTarget* target = RegisteredTarget(tree);
  ASSERT_TRUE(target);
  const std::string shown = ShownOutline(tree);
  auto data = base::ComPtr<IDataObject>::Attach(new FileList({folder, file}, CF_HDROP));
  const POINT onto = ScreenPointOf(tree, "Docs");

  // The About box is modal; while it is up the tree takes nothing.
  Dropped d;
  bool ran = false;
  {
    Watchdog watchdog;
    InsideModal step([&] {
      ran = true;
      d = DropAt(target, data.get(), onto);
      PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0);
    });
    main->SmartUI_ClickProcessing("id_helpabout");
    EXPECT_FALSE(watchdog.Fired());
  }
  EXPECT_TRUE(ran);
  EXPECT_EQ(d.over, static_cast<DWORD>(DROPEFFECT_NONE));
  Pump();
  EXPECT_EQ(ShownOutline(tree), shown);
  EXPECT_FALSE(main->Dirty());

  // Once it has closed, the same drop goes in.
  DropAt(target, data.get(), onto);
  Pump();
  EXPECT_NE(ShownOutline(tree), shown);
}

}  // namespace
