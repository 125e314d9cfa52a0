#include "designer/frmValidate.h"

#include <richedit.h>

#include "base/error.h"
#include "common/appinfo.h"
#include "config/clsOptions.h"
#include "designer/ValidationReport.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"
#include "widgets/RichTextBox.h"
#include "widgets/form_controls.h"
#include "widgets/form_tools.h"

namespace designer {

namespace {

constexpr long kButtonWidth = 1100, kButtonHeight = 375, kMargin = 120;

// The report box reads, it is not typed into: it keeps the arrow keys for
// scrolling and leaves Tab, Enter and Esc to the window, as a dialog's
// read-only text does.
class ReportBox : public widgets::RichTextBox {
 public:
  using RichTextBox::RichTextBox;

 protected:
  bool InnerMessage(UINT msg, WPARAM& wp, LPARAM& lp, LRESULT* result) override {
    if (msg == WM_GETDLGCODE) {
      *result = DLGC_WANTARROWS;
      return true;
    }
    return RichTextBox::InnerMessage(msg, wp, lp, result);
  }
};

}  // namespace

frmValidate::frmValidate() : widgets::Form("Validate", 9600, 6900) {}
frmValidate::~frmValidate() = default;

bool frmValidate::ShowDialog(HWND owner) {
  m_bOk = false;
  Load(owner);
  Build();
  return ShowModal(owner);
}

void frmValidate::Build() {
  ui::CenterForm(*this);
  SetWindowTextA(Hwnd(), (common::ProductName() + " - Validate").c_str());
  const long width = ScaleWidth(), height = ScaleHeight();
  const long buttonTop = height - kButtonHeight - kMargin;
  const long pictureHeight = buttonTop - 200;

  // The report box first, so that it comes first in the Tab order; the
  // picture box lies behind it.
  auto& results = Add<ReportBox>("txtResults", 100, 100, width - 300, pictureHeight - 200);
  results.SetFont("Courier New", 9);
  // Where that face is missing, another of fixed pitch keeps the columns.
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE;
  format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(format.szFaceName, "Courier New", LF_FACESIZE);
  SendMessageA(GetWindow(results.Hwnd(), GW_CHILD), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  // Report lines are never wrapped: a long one scrolls sideways.
  results.SetWordWrap(false);
  results.SetText(m_szResults);
  SetWindowLongA(results.Hwnd(), GWL_EXSTYLE, GetWindowLongA(results.Hwnd(), GWL_EXSTYLE) | WS_EX_TRANSPARENT);
  results.SetLocked(true);
  // The Tab key reaches the box inside its holder.
  SetWindowLongA(results.Hwnd(), GWL_EXSTYLE, GetWindowLongA(results.Hwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);

  Add<widgets::Button>("btnOk", "&Ok", width - 2 * kButtonWidth - 2 * kMargin, buttonTop, kButtonWidth,
                       kButtonHeight, widgets::ButtonRole::Default)
      .Click = [this](widgets::Button&) {
    Hide();
    m_bOk = true;
  };
  Add<widgets::Button>("btnCancel", "&Cancel", width - kButtonWidth - kMargin, buttonTop, kButtonWidth,
                       kButtonHeight, widgets::ButtonRole::Cancel)
      .Click = [this](widgets::Button&) {
    m_bOk = false;
    Hide();
  };
  Add<widgets::DividerLine>("VertDivider1", 0, pictureHeight, width);

  auto& picture = Add<widgets::PictureBox>("picBackground", 0, 0, width, pictureHeight);
  SetWindowPos(picture.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  picture.Paint = [](widgets::PictureBox& box) {
    if (!config::g_oOptions().m_bGeneralShowBackground) return;
    try {
      ui::PaintResourcePicture(box, "background");
    } catch (...) {
      // A missing picture leaves the plain background.
    }
  };
  ui::g_oApplication().Form_LoadIcons(*this);
}

widgets::TextEditor& frmValidate::Results() {
  auto* box = dynamic_cast<widgets::RichTextBox*>(Find("txtResults"));
  if (!box) base::RaiseError(base::kErrInvalidCall, "frmValidate", "The report window is not loaded");
  return *box;
}

void Action_Validate(HWND owner, const widgets::TreeView& tree) {
  std::string report;
  {
    widgets::WaitCursor wait;
    report = BuildValidationReport(tree);
  }
  frmValidate form;
  form.m_szResults = std::move(report);
  form.ShowDialog(owner);
  form.Unload();
}

}  // namespace designer
