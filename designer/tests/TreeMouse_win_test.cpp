// The designer tree's mouse work on a real tree window under Xvfb: drags
// made with real mouse input, and files dropped through the drop target
// with a real file list and the screen points of the tree's own rows.
#include "designer/TreeMouse.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/com.h"
#include "base/prompt.h"
#include "base/tests/desktoplock.h"
#include "base/tests/screenshot.h"
#include "base/tests/testing.h"
#include "config/clsCorvaneData.h"
#include "designer/tests/file_list_win.h"
#include "widgets/TreeView.h"
#include "widgets/TreeViewWindow.h"
#include "widgets/form.h"
#include "widgets/form_tools.h"
#include "widgets/tests/input.h"

using config::clsCorvaneData;
using designer_test::FileList;
using widgets::TreeNode;

namespace {

struct FakeHost : designer::TreeMouseHost {
  bool processing = false;
  std::vector<std::string> events;
  bool Processing() const override { return processing; }
  void NodeClick(TreeNode& node) override { events.push_back("click " + node.Text()); }
  void TreeChanged() override { events.push_back("changed"); }
  void ShowTreePopup(POINT) override { events.push_back("popup"); }
};

// The model as text: one line per node in tree order, indented by depth.
std::string Outline(const widgets::TreeView& model) {
  std::string out;
  widgets::VisitPreOrder(&model.Item(1), [&](const TreeNode& n, std::int32_t depth) {
    out += std::string(static_cast<size_t>(depth), ' ') + n.Text() + "\n";
  });
  return out;
}

TreeNode* ByText(const widgets::TreeView& model, const std::string& text) {
  for (std::int32_t i = 1; i <= model.Count(); ++i)
    if (model.Item(i).Text() == text) return &model.Item(i);
  return nullptr;
}

void MouseTo(POINT p) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void Button(DWORD flags) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

void Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// A form with the tree of a small configuration and its mouse work.
struct Scene {
  Scene() {
    widgets::EnsureOleOnThisThread();
    previousPrompt = base::SetPromptHandler([this](const base::PromptRequest& r) {
      prompts.push_back(r.text + "|" + std::to_string(r.flags));
      return base::kAnswerOk;
    });
    // Corvane: Docs, Tools (edit), notes
    TreeNode& root = Add(nullptr, clsCorvaneData::TypeRoot, "Corvane");
    Add(&root, clsCorvaneData::TypeFolder, "Docs");
    TreeNode& tools = Add(&root, clsCorvaneData::TypePopupMenu, "Tools");
    Add(&tools, clsCorvaneData::TypeFile, "edit");
    Add(&root, clsCorvaneData::TypeFile, "notes");
    root.SetExpanded(true);
    tools.SetExpanded(true);
    form.Load();
    view = &form.Add<widgets::TreeViewWindow>("tvwDesigner", model, 0, 0, 4000, 4000);
    form.Show();
    mouse = std::make_unique<designer::TreeMouse>(*view, host);
    model.SetSelectedItem(&root);
    SetForegroundWindow(form.Hwnd());
    SetFocus(view->Inner());
    testing_support::Pump();
  }
  ~Scene() {
    Button(MOUSEEVENTF_LEFTUP);
    Key(VK_CONTROL, true);
    mouse.reset();
    base::SetPromptHandler(previousPrompt);
  }

  TreeNode& Add(TreeNode* parent, std::int32_t type, const std::string& text) {
    auto item = std::make_shared<clsCorvaneData>();
    item->m_lType = type;
    item->SetCaption(text);
    TreeNode& node = model.Add(parent, widgets::tvwChild, parent ? "" : "root", text);
    node.SetTag(item);
    return node;
  }

  // The middle of a node's row on the screen.
  POINT At(const std::string& text) {
    RECT r{};
    TreeView_GetItemRect(view->Inner(), view->ItemOf(*ByText(model, text)), &r, TRUE);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(view->Inner(), &p);
    return p;
  }

  // Presses on one row, drags through a few points to `to` and lets go
  // there (Esc first, when asked). The tree follows the mouse in a loop of
  // its own once pressed, so the input comes from another thread while this
  // one hands out the messages. True when a drag was seen under way.
  bool Drag(const std::string& from, POINT to, bool ctrl = false, bool esc = false) {
    const POINT start = At(from);
    std::atomic<bool> done{false};
    std::thread input([&] {
      auto pause = [] { Sleep(80); };
      MouseTo(start), pause();
      Button(MOUSEEVENTF_LEFTDOWN), pause();
      for (int i = 1; i <= 4; ++i)
        MouseTo({start.x + (to.x - start.x) * i / 4, start.y + (to.y - start.y) * i / 4 + (i == 1 ? 8 : 0)}), pause();
      MouseTo(to), pause();
      if (esc) Key(VK_ESCAPE, false), Key(VK_ESCAPE, true), pause();
      if (ctrl) Key(VK_CONTROL, false), pause();
      Button(MOUSEEVENTF_LEFTUP), pause();
      if (ctrl) Key(VK_CONTROL, true);
      pause();
      done = true;
    });
    bool sawDrag = false;
    const DWORD until = GetTickCount() + 10000;
    while (!done && GetTickCount() < until) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
        sawDrag = sawDrag || mouse->Dragging();
      }
      Sleep(5);
    }
    input.join();
    testing_support::Pump();
    EXPECT_FALSE(mouse->Dragging());
    return sawDrag;
  }

  DWORD DragOver(IDataObject* data, POINT p) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(mouse->DropTarget()->DragEnter(data, MK_LBUTTON, {p.x, p.y}, &effect), S_OK);
    return effect;
  }

  testing_support::DesktopLock desktop;
  base::PromptHandler previousPrompt;
  std::vector<std::string> prompts;
  FakeHost host;
  widgets::TreeView model;
  widgets::Form form{"Tree mouse", 4500, 4500};
  widgets::TreeViewWindow* view = nullptr;
  std::unique_ptr<designer::TreeMouse> mouse;
};

const char kStart[] = "Corvane\n Docs\n Tools\n  edit\n notes\n";

}  // namespace

TEST(TreeMouse, DraggingMovesThePressedNodeByThePlacementRule) {
  struct Case {
    const char* from;
    const char* onto;  // null: below the tree's window
    bool ctrl, esc;
    const char* outline;
    const char* selected;
    bool changed, refused;
  };
  const Case cases[] = {
      // Into a popup: last among its children; the selection stays on the root.
      {"Docs", "Tools", false, false, "Corvane\n Tools\n  edit\n  Docs\n notes\n", "Corvane", true, false},
      // A popup after a file, with its children; it becomes the selected node.
      {"Tools", "notes", false, false, "Corvane\n Docs\n notes\n Tools\n  edit\n", "Tools", true, false},
      // Ctrl onto the root: first among its children.
      {"notes", "Corvane", true, false, "Corvane\n notes\n Docs\n Tools\n  edit\n", "notes", true, false},
      {"Tools", "edit", false, false, kStart, "Corvane", false, true},   // into its own child
      {"Docs", nullptr, false, false, kStart, "Corvane", false, false},  // let go outside the tree
      {"Docs", "notes", false, true, kStart, "Corvane", false, false},   // Esc first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " onto " + (c.onto ? c.onto : "outside"));
    Scene s;
    POINT to{};
    if (c.onto) {
      to = s.At(c.onto);
    } else {
      RECT r{};
      GetWindowRect(s.form.Hwnd(), &r);
      to = {(r.left + r.right) / 2, r.bottom + 30};
    }
    EXPECT_TRUE(s.Drag(c.from, to, c.ctrl, c.esc));
    EXPECT_EQ(Outline(s.model), c.outline);
    ASSERT_TRUE(s.model.SelectedItem());
    EXPECT_EQ(s.model.SelectedItem()->Text(), c.selected);
    EXPECT_EQ(std::count(s.host.events.begin(), s.host.events.end(), "changed"), c.changed ? 1 : 0);
    EXPECT_EQ(s.prompts, c.refused ? std::vector<std::string>{"Cannot move to a child node entry!|48"}
                                 : std::vector<std::string>{});
    EXPECT_EQ(s.model.DropHighlight(), nullptr);
  }
}

TEST(TreeMouse, NoDragStartsFromTheRootOrWhileACommandRuns) {
  for (const bool busy : {false, true}) {
    Scene s;
    s.host.processing = busy;
    // The root never moves; nor does anything while a command runs.
    EXPECT_FALSE(s.Drag(busy ? "Docs" : "Corvane", s.At("notes")));
    EXPECT_EQ(Outline(s.model), kStart);
    EXPECT_TRUE(s.prompts.empty());
  }
}

TEST(TreeMouse, DroppedFilesAndFoldersBecomeItemsBesideTheNodeUnderThePoint) {
  const auto dir = std::filesystem::temp_directory_path() / "corvane-treemouse";
  std::filesystem::create_directories(dir / "Sub");
  std::ofstream(dir / "a.txt") << "a";
  const std::string folder = (dir / "Sub").string(), file = (dir / "a.txt").string();
  const std::string missing = (dir / "gone.txt").string();
  struct Case {
    const char* onto;
    const char* outline;  // the dropped items are shown as F (folder) or f (file)
  };
  const Case cases[] = {
      // Each goes right after the same file: the list comes out reversed.
      {"notes", "Corvane\n Docs\n Tools\n  edit\n notes\n a.txt f\n Sub F\n"},
      // Into a popup they keep the list's order.
      {"Tools", "Corvane\n Docs\n Tools\n  edit\n  Sub F\n  a.txt f\n notes\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.onto);
    Scene s;
    // A path the shell cannot describe is passed over.
    auto data = base::ComPtr<IDataObject>::Attach(new FileList({folder, missing, file}, CF_HDROP));
    const POINT at = s.At(c.onto);
    EXPECT_EQ(s.DragOver(data.get(), at), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(s.model.DropHighlight(), ByText(s.model, c.onto));
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(s.mouse->DropTarget()->Drop(data.get(), MK_LBUTTON, {at.x, at.y}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));  // the shell's files stay where they are
    std::string outline;
    widgets::VisitPreOrder(&s.model.Item(1), [&](const TreeNode& n, std::int32_t depth) {
      outline += std::string(static_cast<size_t>(depth), ' ') + n.Text();
      const auto item = std::dynamic_pointer_cast<clsCorvaneData>(n.Tag());
      if (!item->Location().empty()) {
        EXPECT_TRUE(item->Location() == folder || item->Location() == file) << item->Location();
        outline += item->m_lType == clsCorvaneData::TypeFolder ? " F" : " f";
      }
      outline += "\n";
    });
    EXPECT_EQ(outline, c.outline);
    EXPECT_EQ(s.model.SelectedItem(), ByText(s.model, c.onto));
    EXPECT_EQ(std::count(s.host.events.begin(), s.host.events.end(), "changed"), 1);
    if (std::string(c.onto) == "Tools")
      testing_support::SaveWindowPng(s.form.Hwnd(), testing_support::TestProgramFolder() + "\\treemouse_drop.png");
  }

  // Text is refused over a node and ignored when dropped; so are files while a command runs.
  Scene s;
  auto text = base::ComPtr<IDataObject>::Attach(new FileList({file}, CF_TEXT));
  auto files = base::ComPtr<IDataObject>::Attach(new FileList({file}, CF_HDROP));
  const POINT at = s.At("notes");
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(s.DragOver(text.get(), at), static_cast<DWORD>(DROPEFFECT_NONE));
  s.mouse->DropTarget()->Drop(text.get(), MK_LBUTTON, {at.x, at.y}, &effect);
  s.host.processing = true;
  EXPECT_EQ(s.DragOver(files.get(), at), static_cast<DWORD>(DROPEFFECT_NONE));
  s.mouse->DropTarget()->Drop(files.get(), MK_LBUTTON, {at.x, at.y}, &effect);
  EXPECT_EQ(Outline(s.model), kStart);
  EXPECT_TRUE(s.host.events.empty());
  std::filesystem::remove_all(dir);
}
