// The copy/move destination dialog: a typed, browsed or remembered folder
// above OK and Cancel. Its grid's logic is CopyToChoice. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <memory>
#include <string>

#include "common/clsMRU.h"

namespace shellext {

class CopyToChoice;

class frmCopyTo : public widgets::Form {
 public:
  frmCopyTo();
  ~frmCopyTo() override;

  // The destination accepted (absolute); read it when m_bOk is set.
  std::string m_szDest;
  bool m_bCopyTo = true;  // set before the dialog loads

  // Loads the dialog over the remembered list, shows it modally and returns
  // m_bOk; the form stays loaded for its caller to read. A relative typed
  // destination is taken from currentFolder.
  bool Choose(HWND owner, common::clsMRU& recent, const std::string& currentFolder);

 private:
  std::unique_ptr<CopyToChoice> m_choice;
};

}  // namespace shellext
