// frmOptions: the modal dialog in which the user edits the settings both
// programs share. It holds no settings itself: it hosts the settings
// object's options page in its grid suiOptions, checks it on OK, reads it
// back and saves every setting to the registry. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <memory>

namespace sui {
class Control;
}

namespace designer {

class frmOptions : public widgets::Form {
 public:
  frmOptions();
  ~frmOptions() override;

  // Creates the dialog (hidden) over its owner and fills the page from the
  // program's settings object.
  void Load(HWND owner);
  // Loads it when it is not loaded, then shows it modally over the owner
  // until OK or Cancel hides it. Returns m_bOk: true when OK checked the
  // page, read it back into the settings and saved them. The caller reads
  // m_bOk, then unloads (or destroys) the dialog.
  bool ShowModal(HWND owner);

  // The page's grid, for the code that drives the dialog as a user would.
  sui::Control& suiOptions() noexcept;

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};

}  // namespace designer
