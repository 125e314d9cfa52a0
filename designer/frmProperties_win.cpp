#include "designer/frmProperties.h"

#include "base/error.h"
#include "designer/PropertyPickers.h"
#include "widgets/form_controls.h"

namespace designer {

class PropertiesPage {};

frmProperties::frmProperties() : widgets::Form("Properties", 7000, 7500) {}
frmProperties::~frmProperties() = default;

void frmProperties::SetShell(std::shared_ptr<PropertyShell> shell) { m_shell = std::move(shell); }

bool frmProperties::ShowDialog(HWND owner) {
  m_bOk = false;
  Load(owner);
  Build();
  return ShowModal(owner);
}

void frmProperties::Build() {
  Add<widgets::Button>("btnOk", "&Ok", 4400, 6500, 1100, 375, widgets::ButtonRole::Default).Click =
      [this](widgets::Button&) { PressOk(); };
  Add<widgets::Button>("btnCancel", "&Cancel", 5650, 6500, 1100, 375, widgets::ButtonRole::Cancel).Click =
      [this](widgets::Button&) { Cancel(); };
}

void frmProperties::PressOk() {
  m_bOk = true;
  Hide();
}

sui::Control& frmProperties::Grid() { base::RaiseError(base::kErrInvalidCall, "frmProperties", "Not loaded"); }
sui::Control& frmProperties::Tokens() { return Grid(); }
widgets::TextEditor& frmProperties::Actions() { Grid(); base::RaiseError(base::kErrInvalidCall, "frmProperties", "Not loaded"); }
widgets::TextEditor& frmProperties::Preview() { return Actions(); }
widgets::TextEditor& frmProperties::SelectionParms() { return Actions(); }

}  // namespace designer
