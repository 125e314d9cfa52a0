#include "shellext/frmCopyTo.h"

#include <shlobj.h>

#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/shelltools.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "shellext/CopyToChoice.h"
#include "smartui/grid_view.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"
#include "widgets/form_controls.h"

namespace shellext {

namespace {

constexpr long kFormWidth = 6000, kFormHeight = 4800;
constexpr long kButtonWidth = 1095, kButtonHeight = 345, kMargin = 120;

}  // namespace

frmCopyTo::frmCopyTo() : widgets::Form("Copy To", kFormWidth, kFormHeight) {}

frmCopyTo::~frmCopyTo() {
  // The grid's events point into the choice: it goes after the window.
  Unload();
}

bool frmCopyTo::Choose(HWND owner, common::clsMRU& recent, const std::string& currentFolder) {
  common::TraceScope scope("frmCopyTo.Choose");
  m_bOk = false;
  Load(owner);
  SetWindowTextA(Hwnd(), (common::ProductName() + (m_bCopyTo ? " - Copy To" : " - Move To")).c_str());
  ui::CenterForm(*this);

  const long inner = ScaleWidth(), buttonsTop = ScaleHeight() - kButtonHeight - kMargin;
  auto& background = Add<widgets::PictureBox>("picBackground", 0, 0, inner, buttonsTop - 200);
  background.Paint = [](widgets::PictureBox& box) {
    if (config::g_oOptions().m_bGeneralShowBackground) ui::PaintResourcePicture(box, "background");
  };
  auto& grid = Add<ui::SmartUIControl>("suiOptions", sui::Style::Grid, 100, 100, inner - 300, buttonsTop - 400);
  grid.Model().setBorderStyle(0);
  Add<widgets::DividerLine>("VertDivider1", 0, buttonsTop - 200, inner);
  auto& ok = Add<widgets::Button>("btnOk", "&Ok", inner - 2 * (kButtonWidth + kMargin), buttonsTop, kButtonWidth,
                                  kButtonHeight, widgets::ButtonRole::Default);
  auto& cancel = Add<widgets::Button>("btnCancel", "&Cancel", inner - kButtonWidth - kMargin, buttonsTop,
                                      kButtonWidth, kButtonHeight, widgets::ButtonRole::Cancel);
  // The grid lies over the picture box.
  SetWindowPos(grid.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  HWND self = Hwnd();
  m_choice = std::make_unique<CopyToChoice>(
      grid.Model(), recent, currentFolder,
      [self] { return common::BrowseForFolder(self, "Select the destination folder:", "", nullptr, 0); },
      [](const std::string& path) { return common::DirectoryExists(path); });
  m_choice->Fill();
  grid.SetTag("imagelist=s");
  try {
    ui::g_oApplication().Form_LoadIcons(*this);
  } catch (const std::exception& e) {
    // A missing icon costs the row its picture, not the dialog.
    common::g_Debug().Output(std::string("frmCopyTo icons: ") + e.what());
  }
  ok.Click = [this](widgets::Button&) {
    if (!m_choice->Accept()) return;
    m_szDest = m_choice->Destination();
    m_bOk = true;
    Hide();
  };
  cancel.Click = [this](widgets::Button&) {
    m_bOk = false;
    Hide();
  };
  if (auto* view = grid.ViewAs<sui::GridView>()) view->focus();
  return ShowModal(owner);
}

}  // namespace shellext
