// The window picker on screen.
#include "ui/frmWindowList.h"

#include <cstdio>
#include <unordered_set>
#include <vector>

#include "ui/clsApplication.h"
#include "ui/formtools.h"
#include "widgets/TreeViewWindow.h"
#include "widgets/form_controls.h"

namespace ui {

namespace {

constexpr long kWidth = 7200, kHeight = 6600;
// A desktop has a few thousand windows; the walk stops well past that, so a
// window tree that changes under it cannot keep it going.
constexpr size_t kMostWindows = 50000;

std::string ClassOf(HWND hwnd) {
  char buffer[256] = {};
  const int n = GetClassNameA(hwnd, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

std::string CaptionOf(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int n = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text;
}

// A window's direct children, top of the Z-order first, taken as a list
// before any of them is visited.
std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> out;
  for (HWND child = GetWindow(parent, GW_CHILD); child && out.size() < kMostWindows;
       child = GetWindow(child, GW_HWNDNEXT))
    out.push_back(child);
  return out;
}

std::string KeyOf(HWND hwnd) {
  char key[32];
  std::snprintf(key, sizeof key, "h%llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hwnd)));
  return key;
}

}  // namespace

std::string WindowNodeText(const std::string& className, const std::string& caption, std::uintptr_t handle) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(handle));
  std::string text = "\"" + className + "\"";
  if (!caption.empty()) text += " - \"" + caption + "\"";
  return text + " - " + hex;
}

frmWindowList::frmWindowList() : widgets::Form("Class and Window List", kWidth, kHeight, "CorvaneWindowList") {}

frmWindowList::~frmWindowList() = default;

HWND frmWindowList::WindowOf(const widgets::TreeNode& node) {
  if (node.Key() == "root") return GetDesktopWindow();
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::stoull(node.Key().substr(1), nullptr, 16)));
}

bool frmWindowList::ReturnClass() const { return m_class && m_class->Value() == 1; }
bool frmWindowList::ReturnCaption() const { return m_caption && m_caption->Value() == 1; }

void frmWindowList::LoadDialog(HWND owner) {
  Load(owner);
  g_oApplication().SetupForm(*this, [this] {
    CenterForm(*this);
    const long inner = ScaleWidth(), innerHeight = ScaleHeight();
    const long buttonTop = innerHeight - 120 - 375;
    const long background = buttonTop - 200;
    Add<widgets::DividerLine>("VertDivider1", 0, background, inner);
    Add<widgets::Label>("lblTitle", "Here is a list of windows currently on your system:", 200, 100, inner - 400, 255);
    m_view = &Add<widgets::TreeViewWindow>("tvwWindows", m_tree, 200, 455, inner - 400, background - 1300);
    m_view->SetTag("imagelist=s2");
    const long checkTop = 455 + background - 1300 + 100;
    m_class = &Add<widgets::CheckBox>("chkClass", "Return the class name", 200, checkTop, 3500, 255);
    m_caption = &Add<widgets::CheckBox>("chkWindow", "Return the window caption", 200, checkTop + 295, 3500, 255);
    m_class->SetValue(1);
    m_caption->SetValue(1);
    auto& refresh = Add<widgets::Button>("btnRefresh", "&Refresh", 200, buttonTop, 1215, 375);
    auto& ok = Add<widgets::Button>("btnOk", "&Ok", inner - 200 - 2 * 1215 - 120, buttonTop, 1215, 375,
                                    widgets::ButtonRole::Default);
    auto& cancel = Add<widgets::Button>("btnCancel", "&Cancel", inner - 200 - 1215, buttonTop, 1215, 375,
                                        widgets::ButtonRole::Cancel);
    refresh.Click = [this](widgets::Button&) { Action_Refresh(); };
    ok.Click = [this](widgets::Button&) { Confirm(); };
    cancel.Click = [this](widgets::Button&) {
      m_bOk = false;
      Hide();
    };
    m_view->DblClick = [this] {
      if (m_tree.SelectedItem()) Confirm();
    };
  });
}

bool frmWindowList::ShowModal(HWND owner) {
  m_bOk = false;
  if (!IsLoaded()) LoadDialog(owner);
  Action_Refresh();
  return widgets::Form::ShowModal(owner);
}

void frmWindowList::Action_Refresh() {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (m_view) SendMessageA(m_view->Hwnd(), WM_SETREDRAW, FALSE, 0);
  m_tree.Clear();
  // Level by level, each level's children listed before they are visited; a
  // window seen before (a tree changing under the walk) is not followed twice.
  std::unordered_set<HWND> seen;
  struct Pending {
    HWND hwnd;
    widgets::TreeNode* parent;
  };
  std::vector<Pending> todo{{GetDesktopWindow(), nullptr}};
  while (!todo.empty() && seen.size() < kMostWindows) {
    const Pending p = todo.back();
    todo.pop_back();
    if (!seen.insert(p.hwnd).second) continue;
    const std::string text =
        WindowNodeText(ClassOf(p.hwnd), CaptionOf(p.hwnd), reinterpret_cast<std::uintptr_t>(p.hwnd));
    widgets::TreeNode& node = p.parent ? m_tree.Add(p.parent, widgets::tvwChild, KeyOf(p.hwnd), text)
                                       : m_tree.Add(nullptr, widgets::tvwLast, "root", text);
    const std::vector<HWND> children = ChildrenOf(p.hwnd);
    if (children.empty()) {
      node.SetImage("file");
    } else {
      node.SetImage("folder_closed");
      node.SetExpandedImage("folder_open");
      // Pushed in reverse, so that they are added top of the Z-order first.
      for (auto it = children.rbegin(); it != children.rend(); ++it) todo.push_back({*it, &node});
    }
  }
  if (m_tree.Count() > 0) {
    m_tree.Item(1).SetExpanded(true);
    m_tree.SetSelectedItem(&m_tree.Item(1));
  }
  if (m_view) {
    SendMessageA(m_view->Hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_view->Hwnd(), nullptr, TRUE);
  }
  SetCursor(previous);
}

void frmWindowList::Confirm() {
  widgets::TreeNode* node = m_tree.SelectedItem();
  HWND hwnd = node ? WindowOf(*node) : nullptr;
  // A window closed since the refresh gives empty texts.
  m_szClass = hwnd && IsWindow(hwnd) ? ClassOf(hwnd) : std::string();
  m_szWindowName = hwnd && IsWindow(hwnd) ? CaptionOf(hwnd) : std::string();
  m_bOk = true;
  Hide();
}

}  // namespace ui
