// The main window's start-up, layout, placement, title, view switch and
// shutdown.
#include "designer/frmMainParts_win.h"

#include <algorithm>
#include <exception>

#include "base/prompt.h"

#include "common/appinfo.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "designer/MainDocument.h"
#include "designer/MainPlacement.h"
#include "smartui/bar_views.h"
#include "smartui/toolbar_view.h"
#include "ui/MruMenu.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"

namespace designer {

namespace {

frmMain*& MainWindow() {
  static frmMain* window = nullptr;
  return window;
}

constexpr long kToolbarTwips = 450;   // the toolbar strip
constexpr long kViewBarTwips = 1700;  // the view bar's width
constexpr long kTitleTwips = 400;     // the strip naming the view
constexpr long kStatusTwips = 330;
constexpr long kGap = 60;

bool ReadDword(const char* name, std::int32_t& value) {
  DWORD data = 0, size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS)
    return false;
  value = static_cast<std::int32_t>(data);  // signed: screens left of or above the first one
  return true;
}

void WriteDword(const char* name, std::int32_t value) {
  const DWORD data = static_cast<DWORD>(value);
  RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &data, sizeof data);
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    auto* areas = reinterpret_cast<std::vector<PixelRect>*>(param);
    const PixelRect r{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    // The primary screen first: a rectangle on no screen goes there.
    if (info.dwFlags & MONITORINFOF_PRIMARY)
      areas->insert(areas->begin(), r);
    else
      areas->push_back(r);
  }
  return TRUE;
}

}  // namespace

frmMain* g_frmMain() { return MainWindow(); }

bool CtrlHeld() noexcept {
  GetAsyncKeyState(VK_CONTROL);
  return GetAsyncKeyState(VK_CONTROL) != 0;
}

frmMain::frmMain() : Form("Designer", 9600, 7200, kMainWindowClass), m_parts(std::make_unique<Parts>()) {}

frmMain::~frmMain() {
  Terminate();
  if (MainWindow() == this) MainWindow() = nullptr;
  // The window and its controls go before the tree they show.
  m_parts->mouse.reset();
  m_parts->menuView.reset();
  Unload();
}

widgets::TreeView& frmMain::Tree() noexcept { return m_parts->tree; }
sui::Control& frmMain::Menu() noexcept { return m_parts->menu; }
sui::Control& frmMain::Toolbar() noexcept { return m_parts->toolbar->Model(); }
sui::Control& frmMain::Popup() noexcept { return m_parts->popup; }

std::string frmMain::StatusLine() const {
  if (!m_parts->status || m_parts->status->Model().items().count() == 0) return {};
  return m_parts->status->Model().items().at(1)->caption();
}

bool frmMain::Start() {
  m_bInFormLoad = true;
  common::InitGlobals();
  config::clsOptions& options = config::g_oOptions();
  options.Reg_Load(kSettingsKey);

  // A second Designer hands over to the first and ends.
  if (!options.m_bGeneralAllowMultipleInstances) {
    if (HWND running = FindRunningDesigner()) {
      HandOverTo(running);
      return false;
    }
  }

  if (!ui::g_oApplication().ImageList_LoadIcons()) return false;
  BuildMenus();
  Load();
  BuildControls();
  LoadMenuImages();
  MainWindow() = this;
  SetWindowTextA(Hwnd(), common::ProductName().c_str());

  if (options.m_bGeneralSaveWindowPos)
    Reg_LoadWindowState();
  else
    ui::CenterForm(*this);

  m_parts->recent.SetPath(kSettingsKey);
  ui::SetFileMenu(m_parts->recent, m_parts->menu.find("id_file"));
  m_parts->recent.Load(5);
  // The quick-access list is read only when the Add drop-down or the popup opens.
  m_parts->quickAccess.SetPath(kQuickAccessKey);
  m_parts->quickAccess.SetExactMatch(true);

  InitializeTree();
  m_parts->view->Model().items().at(1)->setSelected(true);
  ShowFrame(0);
  for (sui::Control* c : {&m_parts->toolbar->Model(), &m_parts->popup})
    if (sui::ItemPtr item = c->find("id_editadd_dfolder")) item->setVisible(false);
  Layout();
  m_bInFormLoad = false;
  return true;
}

void frmMain::ShowMain() {
  const int state = m_lWindowState == kStateMaximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  Show(state);
  UpdateWindow(Hwnd());
}

void frmMain::Reg_LoadWindowState() {
  std::int32_t state = 0;
  if (!ReadDword("WindowState", state)) return;
  StoredPlacement stored;
  stored.state = state;
  ReadDword("WindowTop", stored.top);
  ReadDword("WindowLeft", stored.left);
  ReadDword("WindowWidth", stored.width);
  ReadDword("WindowHeight", stored.height);
  std::vector<PixelRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, &CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) areas.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  const PixelRect r = KeepOnScreen(stored, areas, widgets::TwipsPerPixelX(), widgets::TwipsPerPixelY());
  SetWindowPos(Hwnd(), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  m_lWindowState = RestoredState(state);
}

void frmMain::RecordPlacement() {
  if (!IsLoaded()) return;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(Hwnd(), &wp)) return;
  RECT normal = wp.rcNormalPosition;
  // The normal rectangle is in work-area coordinates; the registry keeps screen ones.
  if (HMONITOR monitor = MonitorFromRect(&normal, MONITOR_DEFAULTTOPRIMARY)) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
      OffsetRect(&normal, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
  }
  const StoredPlacement s =
      PlacementToStore({normal.left, normal.top, normal.right, normal.bottom}, IsIconic(Hwnd()) != FALSE,
                       IsZoomed(Hwnd()) != FALSE, widgets::TwipsPerPixelX(), widgets::TwipsPerPixelY());
  m_lWindowState = s.state;
  m_lWindowTop = s.top;
  m_lWindowLeft = s.left;
  m_lWindowWidth = s.width;
  m_lWindowHeight = s.height;
}

void frmMain::Reg_SaveWindowState() {
  WriteDword("WindowState", m_lWindowState);
  WriteDword("WindowTop", m_lWindowTop);
  WriteDword("WindowLeft", m_lWindowLeft);
  WriteDword("WindowWidth", m_lWindowWidth);
  WriteDword("WindowHeight", m_lWindowHeight);
}

void frmMain::Terminate() {
  if (m_bTerminated || !MainWindow()) return;
  m_bTerminated = true;
  try {
    config::clsOptions& options = config::g_oOptions();
    if (options.m_bGeneralSaveWindowPos) Reg_SaveWindowState();
    options.Reg_Save("", false);
    m_parts->recent.Save();
  } catch (...) {
    // The settings could not all be written; the program ends all the same.
  }
}

void frmMain::SetFormTitle() {
  const std::string title = MainTitle(common::g_szAppTitle(), m_szFilename, m_bTreviewDirty);
  char current[1024] = {};
  GetWindowTextA(Hwnd(), current, sizeof current);
  if (title != current) SetWindowTextA(Hwnd(), title.c_str());
}

void frmMain::EnableButtons(bool enabled, widgets::TreeNode* node) {
  if (node && node->Index() == 1) enabled = false;
  for (sui::Control* c : {&m_parts->menu, &m_parts->toolbar->Model(), &m_parts->popup})
    if (sui::ItemPtr item = c->find("id_editdelete")) item->setEnabled(enabled);
  SetCutCopyPaste();
}

void frmMain::ShowFrame(int tab) {
  const bool designer = tab == 0;
  for (widgets::Control* c : {static_cast<widgets::Control*>(m_parts->treeWindow),
                              static_cast<widgets::Control*>(m_parts->status)}) {
    c->SetVisible(designer);
    c->SetEnabled(designer);
  }
  m_parts->testView->SetVisible(!designer);
  m_parts->testView->SetEnabled(!designer);
  m_lCurrentTab = tab;
  if (sui::ItemPtr item = m_parts->view->Model().items().at(tab + 1)) {
    m_parts->title->SetText(item->caption());
    if (!item->selected()) item->setSelected(true);
  }
  m_parts->title->Refresh();
  if (IsWindowVisible(Hwnd())) (designer ? static_cast<widgets::Control*>(m_parts->treeWindow) : m_parts->testView)->SetFocus();
}

void frmMain::Layout() {
  if (!IsLoaded() || !m_parts->treeWindow) return;
  if (IsIconic(Hwnd())) {
    m_lWindowState = kStateMinimised;
    return;
  }
  m_lWindowState = IsZoomed(Hwnd()) ? kStateMaximised : kStateNormal;
  const long width = ScaleWidth(), height = ScaleHeight();
  m_parts->toolbar->Move(0, 0, width, kToolbarTwips);
  const long top = kToolbarTwips + kGap;
  const long bodyHeight = std::max(height - top - kGap, 600L);
  m_parts->view->Move(kGap, top, kViewBarTwips, bodyHeight);
  const long left = kViewBarTwips + 2 * kGap;
  const long frameWidth = std::max(width - left - kGap, 600L);
  m_parts->title->Move(left, top, frameWidth, kTitleTwips);
  const long frameTop = top + kTitleTwips + kGap;
  const long frameHeight = std::max(bodyHeight - kTitleTwips - kGap, 600L);
  m_parts->treeWindow->Move(left, frameTop, frameWidth, frameHeight - kStatusTwips);
  m_parts->status->Move(left, frameTop + frameHeight - kStatusTwips, frameWidth, kStatusTwips);
  m_parts->testView->Move(left, frameTop, frameWidth, frameHeight);
}

void frmMain::Cancel() {
  // Esc ends a drag first; only a key with nothing else to end quits.
  if (m_parts->mouse && m_parts->mouse->CancelDrag()) return;
  if (m_bProcessing) return;
  Action_Exit(true);
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  try {
    LRESULT result = 0;
    if (m_parts->menuView && m_parts->menuView->handle(msg, wp, lp, result)) return result;
    switch (msg) {
      case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize.x = widgets::TwipsToPixelsX(kMinWindowTwips);
        info->ptMinTrackSize.y = widgets::TwipsToPixelsY(kMinWindowTwips);
        return 0;
      }
      case WM_SIZE:
        Layout();
        break;
      case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && !m_bActivate && !m_bInFormLoad) {
          m_bActivate = true;
          PostMessageA(Hwnd(), WM_APP + 1, 0, 0);  // after the activation has finished
        }
        break;
      case WM_APP + 1: {
        const std::string& file = config::g_oOptions().m_szShellConfigFile;
        if (!file.empty() && common::FileExists(file)) Action_Load(file);
        EnableButtons(false, nullptr);
        return 0;
      }
      case WM_CLOSE:
        RecordPlacement();
        if (m_bProcessing) return 0;
        if (!Action_Exit(false)) return 0;
        DestroyWindow(Hwnd());
        return 0;
      case WM_ENDSESSION:
        if (wp) {
          RecordPlacement();
          Terminate();
        }
        return 0;
      case WM_DESTROY:
        Terminate();
        if (MainWindow() == this) PostQuitMessage(0);
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    base::Prompt(e.what(), base::kPromptExclamation, common::g_szAppTitle());
    return 0;
  } catch (...) {
    return 0;
  }
  return Form::HandleMessage(msg, wp, lp);
}

}  // namespace designer
