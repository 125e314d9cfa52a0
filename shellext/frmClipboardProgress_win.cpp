#include "shellext/frmClipboardProgress.h"

#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "shellext/SelectionCommands.h"
#include "smartui/model.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"

namespace shellext {

namespace {

constexpr long kFormWidth = 5400, kFormHeight = 1800;
// Under the panel the window keeps a strip of its own face.
constexpr long kBottomStrip = 100;
// Posted when the modal show begins: the walk starts from inside its loop.
constexpr UINT kStartWalk = WM_APP + 0x31;

}  // namespace

frmClipboardProgress::frmClipboardProgress(bool taskMode)
    : widgets::Form("Progress", kFormWidth, kFormHeight), m_taskMode(taskMode) {}

frmClipboardProgress::~frmClipboardProgress() {
  // The panel's click handler points here: the window goes first.
  Unload();
}

void frmClipboardProgress::LoadOnce(HWND owner) {
  if (IsLoaded()) return;
  Load(owner);
  auto& progress = Add<ui::SmartUIControl>("suiProgress", sui::Style::Progress, 0, 0, ScaleWidth(),
                                           ScaleHeight() - kBottomStrip);
  m_progress = &progress;
  sui::Control& model = progress.Model();
  model.setCaption(m_taskMode ? "Selection Task Progress" : "Copy to Clipboard Progress");
  model.items().add(0, "id_folder", "Current folder ...", sui::kKindPlainText, "folder_open");
  model.handlers.click = [this] { m_bStop = true; };
  SetWindowTextA(Hwnd(), (common::ProductName() + " - " + model.caption()).c_str());
  progress.SetTag("imagelist=s");
  try {
    ui::g_oApplication().Form_LoadIcons(*this);
  } catch (const std::exception& e) {
    // Without its icon the line still shows the folder.
    common::g_Debug().Output(std::string("frmClipboardProgress icons: ") + e.what());
  }
  ui::CenterForm(*this);
}

void frmClipboardProgress::Walk(HWND owner, bool show, const WalkBody& walk) {
  common::TraceScope scope("frmClipboardProgress.Walk");
  LoadOnce(owner);
  m_walk = walk;
  m_walked = false;
  m_failure = nullptr;
  if (!show) {
    m_walked = true;
    m_walk([this](const std::string& folder) { return SetFolder(folder); });
    return;
  }
  PostMessageA(Hwnd(), kStartWalk, 0, 0);
  ShowModal(owner);
  if (m_failure) std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void frmClipboardProgress::RunWalk() noexcept {
  // Activating the window again (or a second start message) never walks
  // the selection a second time.
  if (m_walked) return;
  m_walked = true;
  m_walking = true;
  try {
    m_walk([this](const std::string& folder) { return SetFolder(folder); });
  } catch (...) {
    m_failure = std::current_exception();
  }
  m_walking = false;
  // A close asked for during the walk comes true only now.
  Hide();
}

bool frmClipboardProgress::SetFolder(const std::string& folder) {
  if (m_progress && m_progress->Model().items().count() > 0) m_progress->Model().items().at(1)->setCaption(folder);
  MSG msg;
  while (!m_bStop && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The thread is ending: the walk ends and the quit goes on.
      PostQuitMessage(static_cast<int>(msg.wParam));
      m_bStop = true;
      break;
    }
    if (widgets::TranslateFormMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return !m_bStop;
}

bool frmClipboardProgress::PutOnClipboard(const std::string& text) {
  LoadOnce(nullptr);
  return PutTextOnClipboard(Hwnd(), text);
}

void frmClipboardProgress::Cancel() {
  m_bStop = true;
  if (!m_walking) Hide();
}

LRESULT frmClipboardProgress::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kStartWalk:
      RunWalk();
      return 0;
    case WM_SIZE:
      if (m_progress && wp != SIZE_MINIMIZED)
        m_progress->Move(0, 0, ScaleWidth(), std::max(0L, ScaleHeight() - kBottomStrip));
      break;
    default: break;
  }
  return widgets::Form::HandleMessage(msg, wp, lp);
}

}  // namespace shellext
