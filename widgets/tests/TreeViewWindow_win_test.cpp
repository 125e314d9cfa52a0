// The tree view on screen, read back from the real SysTreeView32 (under Xvfb)
// and driven by real input.
#include "widgets/TreeViewWindow.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/tests/desktoplock.h"
#include "widgets/tests/input.h"
#include "base/tests/screenshot.h"

using namespace widgets;

namespace {

struct Item {
  std::string text;
  int image = 0;
  HTREEITEM parent = nullptr;
  bool expanded = false;
};

Item Read(HWND tree, HTREEITEM h) {
  char buf[260] = {};
  TVITEMA it = {};
  it.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
  it.stateMask = TVIS_EXPANDED;
  it.hItem = h;
  it.pszText = buf;
  it.cchTextMax = sizeof buf;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  return {buf, it.iImage, TreeView_GetParent(tree, h), (it.state & TVIS_EXPANDED) != 0};
}

// The window's items in pre-order, as "text" with one space per level.
std::string Outline(HWND tree) {
  std::string out;
  std::vector<std::pair<HTREEITEM, int>> stack;
  for (HTREEITEM h = TreeView_GetRoot(tree); h; h = TreeView_GetNextSibling(tree, h)) {
    std::vector<std::pair<HTREEITEM, int>> level{{h, 0}};
    while (!level.empty()) {
      auto [item, depth] = level.back();
      level.pop_back();
      out += std::string(static_cast<size_t>(depth), ' ') + Read(tree, item).text + "\n";
      std::vector<HTREEITEM> kids;
      for (HTREEITEM c = TreeView_GetChild(tree, item); c; c = TreeView_GetNextSibling(tree, c)) kids.push_back(c);
      for (auto k = kids.rbegin(); k != kids.rend(); ++k) level.push_back({*k, depth + 1});
    }
  }
  return out;
}

HICON SolidIcon(COLORREF colour) {
  base::WindowDc screen(nullptr);
  base::UniqueHBitmap colourBits(CreateCompatibleBitmap(screen.get(), 16, 16));
  base::UniqueHBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
  {
    base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
    base::SelectObjectScope select(dc.get(), colourBits.get());
    base::UniqueHBrush brush(CreateSolidBrush(colour));
    RECT r{0, 0, 16, 16};
    FillRect(dc.get(), &r, brush.get());
  }
  ICONINFO ii = {TRUE, 0, 0, mask.get(), colourBits.get()};
  return CreateIconIndirect(&ii);
}

void RightClick(HWND tree, HTREEITEM item) {
  RECT r{};
  TreeView_GetItemRect(tree, item, &r, TRUE);
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(tree, &p);
  testing_support::ClickAt(p, MOUSEEVENTF_RIGHTDOWN);
}

class TreeViewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    images.Add("folder", SolidIcon(RGB(230, 200, 40)));
    images.Add("folder_open", SolidIcon(RGB(250, 230, 120)));
    images.Add("file", SolidIcon(RGB(40, 90, 220)));
    form.Load();
    form.Show();
  }
  testing_support::DesktopLock desktop;
  ImageList images;
  TreeView model;
  Form form{"Tree view", 4500, 4500};
};

}  // namespace

TEST_F(TreeViewWindowTest, MirrorsTheModelInEveryRelationshipAndFollowsItsChanges) {
  // Nodes added before the window is made are shown when it is.
  TreeNode& root = model.Add(nullptr, tvwFirst, "root", "Root");
  TreeNode& b = model.Add(&root, tvwChild, "", "b");
  model.SetImageList(&images);
  auto& view = form.Add<TreeViewWindow>("tvwDesigner", model, 0, 0, 4000, 4000);
  HWND tree = view.Inner();
  ASSERT_TRUE(tree);
  EXPECT_EQ(model.hWnd(), tree);

  root.SetExpanded(true);  // before any child is shown expanded: it opens with them
  model.Add(&b, tvwPrevious, "", "a");   // before the first: first under its parent
  TreeNode& d = model.Add(&b, tvwNext, "", "d");
  model.Add(&d, tvwPrevious, "", "c");   // after the sibling before d
  model.Add(&b, tvwLast, "", "e");
  model.Add(&b, tvwFirst, "", "0");
  TreeNode& leaf = model.Add(&d, tvwChild, "leaf", "d1");
  model.Add(&root, tvwNext, "", "second top");
  EXPECT_EQ(Outline(tree), "Root\n 0\n a\n b\n c\n d\n  d1\n e\nsecond top\n");
  EXPECT_EQ(TreeView_GetCount(tree), model.Count());

  // Each item is its node: lParam, text, picture and parent.
  leaf.SetImage("file");
  leaf.SetText("renamed");
  const Item shown = Read(tree, view.ItemOf(leaf));
  EXPECT_EQ(shown.text, "renamed");
  EXPECT_EQ(shown.image, 2);  // "file" is the third picture
  EXPECT_EQ(shown.parent, view.ItemOf(d));
  EXPECT_TRUE(Read(tree, view.ItemOf(root)).expanded);
  TVITEMA it = {};
  it.mask = TVIF_PARAM;
  it.hItem = view.ItemOf(leaf);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(reinterpret_cast<TreeNode*>(it.lParam), &leaf);
  EXPECT_EQ(TreeView_GetImageList(tree, TVSIL_NORMAL), images.Handle());
  // A node added with its picture shows it at once.
  TreeNode& pictured = model.Add(&d, tvwChild, "", "d2", "folder");
  EXPECT_EQ(Read(tree, view.ItemOf(pictured)).image, 0);
  EXPECT_EQ(Read(tree, view.ItemOf(pictured)).text, "d2");
  model.Remove(pictured);

  // Selection and drop highlight both ways; removal takes the subtree.
  model.SetSelectedItem(&leaf);
  EXPECT_EQ(TreeView_GetSelection(tree), view.ItemOf(leaf));
  model.SetDropHighlight(&b);
  EXPECT_EQ(TreeView_GetDropHilight(tree), view.ItemOf(b));
  EXPECT_TRUE(view.CreateDragImage(b));
  model.Remove(d);
  EXPECT_EQ(Outline(tree), "Root\n 0\n a\n b\n c\n e\nsecond top\n");
  // The tree chose another node to select; the model knows which.
  EXPECT_EQ(TreeView_GetSelection(tree), model.SelectedItem() ? view.ItemOf(*model.SelectedItem()) : nullptr);
  EXPECT_EQ(TreeView_GetCount(tree), model.Count());
  testing_support::SaveWindowPng(form.Hwnd(), "treeview.png");
  model.Clear();
  EXPECT_EQ(TreeView_GetCount(tree), 0u);

  // The window goes before the model: the model lets go of it.
  form.Unload();
  EXPECT_EQ(model.Host(), nullptr);
  model.Add(nullptr, tvwFirst, "root", "after the window");
}

TEST_F(TreeViewWindowTest, KeysMouseAndExpandingReachTheModelAndTheForm) {
  TreeNode& root = model.Add(nullptr, tvwFirst, "root", "Root");
  root.SetImage("folder");
  root.SetExpandedImage("folder_open");
  TreeNode& one = model.Add(&root, tvwChild, "", "one");
  TreeNode& two = model.Add(&root, tvwChild, "", "two");
  model.SetImageList(&images);
  auto& view = form.Add<TreeViewWindow>("tvwDesigner", model, 0, 0, 4000, 4000);
  HWND tree = view.Inner();
  std::vector<std::string> events;
  view.NodeClick = [&](TreeNode& n) { events.push_back("click " + n.Text()); };
  view.Expand = [&](TreeNode& n) { events.push_back("expand " + n.Text()); };
  view.KeyUp = [&](int key, int shift) { events.push_back("up " + std::to_string(key) + "/" + std::to_string(shift)); };
  view.KeyPress = [&](int& key) {
    events.push_back("press " + std::to_string(key));
    key = 0;  // swallowed: the tree's own search never sees it
  };
  view.MouseDown = [&](int button, int, long x, long y) {
    events.push_back("down " + std::to_string(button));
    EXPECT_EQ(model.HitTest(x, y), &two);
  };

  model.SetSelectedItem(&root);
  SetForegroundWindow(form.Hwnd());
  SetFocus(tree);
  EXPECT_EQ(Read(tree, view.ItemOf(root)).image, 0);
  testing_support::PressKey(VK_RIGHT);  // the tree expands the selected node itself
  EXPECT_TRUE(root.Expanded());
  EXPECT_EQ(Read(tree, view.ItemOf(root)).image, 1);  // the expanded picture
  testing_support::PressKey(VK_DELETE);
  testing_support::PressKey('Q');
  EXPECT_EQ(model.SelectedItem(), &root);  // 'q' matched no node's text
  RightClick(tree, view.ItemOf(two));
  EXPECT_EQ(model.SelectedItem(), &two);
  EXPECT_EQ(TreeView_GetSelection(tree), view.ItemOf(two));
  EXPECT_EQ(events, (std::vector<std::string>{"expand Root", "up 39/0", "up 46/0", "press 113", "up 81/0",
                                              "click two", "down 2"}));

  // Collapsed by the program: the closed picture is back.
  root.SetExpanded(false);
  EXPECT_FALSE(Read(tree, view.ItemOf(root)).expanded);
  EXPECT_EQ(Read(tree, view.ItemOf(root)).image, 0);
  (void)one;
}
