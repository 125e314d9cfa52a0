#include "designer/frmOptions.h"

#include "base/error.h"
#include "base/prompt.h"
#include "base/text.h"
#include "common/appinfo.h"
#include "common/clsOpenSave.h"
#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "smartui/grid_view.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"
#include "widgets/form_controls.h"

namespace designer {

namespace {

constexpr long kWidth = 7200;
constexpr long kHeight = 7200;
constexpr long kButtonWidth = 1200;
constexpr long kButtonHeight = 360;

// The file dialog of each row with a browse button. Default extensions go
// to the dialog without their dot, as it wants them.
struct Browse {
  const char* key;
  bool save;
  const char* title;
  const char* filter;
  const char* ext;
  std::uint32_t flags;
};
constexpr Browse kBrowse[] = {
    {"shell_configfile", false, "Select Configuration File", "Configuration Files (*.cfg)|*.cfg|All Files (*.*)|*.*",
     "cfg", 4},
    {"shell_cafile", false, "Select Actions File", "Action Files (*.ini)|*.ini|All Files (*.*)|*.*", "ini", 4},
    {"debug_debugoutput", true, "Select Output File", "Debug Files (*.dbg)|*.dbg|All Files (*.*)|*.*", "dbg", 0},
    {"debug_timingoutput", true, "Select Output File", "Debug Files (*.dbg)|*.dbg|All Files (*.*)|*.*", "dbg", 0},
};

}  // namespace

struct frmOptions::Parts {
  ui::SmartUIControl* grid = nullptr;
  sui::Control spare{sui::Style::Grid};  // the model before the dialog is loaded
};

frmOptions::frmOptions() : Form("Options", kWidth, kHeight, "CorvaneOptions"), m_parts(std::make_unique<Parts>()) {}

frmOptions::~frmOptions() = default;

void frmOptions::Load(HWND owner) {
  if (IsLoaded()) return;
  common::TraceScope scope("frmOptions.Form_Load");
  Form::Load(owner);
  SetWindowTextA(Hwnd(), (common::ProductName() + " - Options").c_str());
  ui::CenterForm(*this);
  config::clsOptions& options = config::g_oOptions();

  const long okTop = ScaleHeight() - kButtonHeight - 120;
  const long picHeight = okTop - 200;
  auto& background = Add<widgets::PictureBox>("picBackground", 0, 0, ScaleWidth(), picHeight);
  background.Paint = [](widgets::PictureBox& box) {
    if (config::g_oOptions().m_bGeneralShowBackground) ui::PaintResourcePicture(box, "background");
  };
  auto& grid = Add<ui::SmartUIControl>("suiOptions", sui::Style::Grid, 100, 100, ScaleWidth() - 300, picHeight - 200);
  grid.SetTag("imagelist=s");
  m_parts->grid = &grid;
  Add<widgets::DividerLine>("VertDivider1", 0, picHeight, ScaleWidth());
  auto& ok = Add<widgets::Button>("btnOk", "OK", ScaleWidth() - 2 * kButtonWidth - 240, okTop, kButtonWidth,
                                  kButtonHeight, widgets::ButtonRole::Default);
  Add<widgets::Button>("btnCancel", "Cancel", ScaleWidth() - kButtonWidth - 120, okTop, kButtonWidth, kButtonHeight,
                       widgets::ButtonRole::Cancel);
  ok.Click = [this](widgets::Button&) { OkClicked(); };
  // The background lies behind every control made over it.
  SetWindowPos(background.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  sui::Control& model = grid.Model();
  model.setBorderStyle(0);
  model.handlers.itemChange = [&model](const sui::ItemPtr& row, const std::string& property) {
    config::g_oOptions().SmartUI_SetStatus(model, row, property);
  };
  model.handlers.buttonClick = [this](const sui::ItemPtr& row) { BrowseClicked(row); };
  // A heading never stays the current row.
  model.handlers.itemClick = [&model](const sui::ItemPtr& row) {
    if (row && sui::isHeadingKind(row->kind())) model.setCurrent(nullptr);
  };
  model.handlers.query = [](bool& answer) { answer = true; };
  options.SmartUI_Load(model);
  ui::g_oApplication().Form_LoadIcons(*this);
}

bool frmOptions::ShowModal(HWND owner) {
  Load(owner);
  return Form::ShowModal(owner);
}

sui::Control& frmOptions::suiOptions() noexcept { return m_parts->grid ? m_parts->grid->Model() : m_parts->spare; }

void frmOptions::OkClicked() {
  try {
    config::clsOptions& options = config::g_oOptions();
    sui::Control& model = suiOptions();
    std::string message;
    if (sui::ItemPtr failed = options.SmartUI_Validate(model, message)) {
      base::Prompt(message, base::kPromptOk | base::kPromptExclamation, common::g_szAppTitle());
      failed->setSelected(true);
      if (auto* view = m_parts->grid->ViewAs<sui::GridView>()) view->focus();
      return;
    }
    options.SmartUI_Save(model);
    options.Reg_Save("", false);
    m_bOk = true;
    Hide();
  } catch (const base::Error& e) {
    base::ReportTrappedError("frmOptions.btnOk_Click", e);
  } catch (...) {
    // Nothing leaves the button's handler.
  }
}

void frmOptions::BrowseClicked(const sui::ItemPtr& row) {
  const Browse* browse = nullptr;
  for (const Browse& b : kBrowse)
    if (base::LCase(row->key()) == b.key) browse = &b;
  if (!browse) return;
  try {
    common::clsOpenSave dialog;
    dialog.SetCentre(true);
    dialog.SethWnd(Hwnd());
    dialog.SetDialogTitle(browse->title);
    dialog.SetFilter(browse->filter);
    dialog.SetDefaultExt(browse->ext);
    dialog.Setflags(browse->flags);
    dialog.SetInitDir(row->value().ToString());
    dialog.SetFileName(row->value().ToString());
    if (browse->save)
      dialog.ShowSave();
    else
      dialog.ShowOpen();
    // The save dialog hands its path back with the buffer's NULs behind it.
    const std::string chosen =
        common::TrimRightChars(common::clsOpenSave::StripNulls(dialog.FileName()), "\\n\\r\\t\\v ");
    if (chosen.empty()) return;
    // A trace starts its file afresh: an existing file is only taken when the user says so.
    if (browse->save && common::FileExists(chosen) &&
        base::Prompt("The file '" + chosen + "' already exists and will be overwritten by the trace.\r\n\r\nUse it?",
                     base::kPromptYesNo | base::kPromptQuestion, common::g_szAppTitle()) != base::kAnswerYes)
      return;
    row->setValue(chosen);
  } catch (const base::Error& e) {
    base::Prompt("Could not open the file dialog for '" + row->value().ToString() + "'\r\n\r\nError " +
                     std::to_string(e.Number()) + " - " + e.Description(),
                 base::kPromptOk | base::kPromptExclamation, common::g_szAppTitle());
  } catch (...) {
  }
}

}  // namespace designer
