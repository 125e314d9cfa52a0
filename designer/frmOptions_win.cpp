#include "designer/frmOptions.h"

#include "smartui/model.h"
#include "widgets/form_controls.h"

namespace designer {

namespace {

constexpr long kWidth = 6600;
constexpr long kHeight = 7800;

}  // namespace

struct frmOptions::Parts {
  sui::Control grid{sui::Style::Grid};
};

frmOptions::frmOptions() : Form("Options", kWidth, kHeight, "CorvaneOptions"), m_parts(std::make_unique<Parts>()) {}

frmOptions::~frmOptions() = default;

void frmOptions::Load(HWND owner) {
  if (IsLoaded()) return;
  Form::Load(owner);
  Add<widgets::Button>("btnOk", "OK", kWidth - 2800, kHeight - 900, 1200, 360, widgets::ButtonRole::Default);
  Add<widgets::Button>("btnCancel", "Cancel", kWidth - 1500, kHeight - 900, 1200, 360,
                       widgets::ButtonRole::Cancel);
}

bool frmOptions::ShowModal(HWND owner) {
  Load(owner);
  return Form::ShowModal(owner);
}

sui::Control& frmOptions::suiOptions() noexcept { return m_parts->grid; }

}  // namespace designer
