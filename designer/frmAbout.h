// Designer's About box: the product's name, version and legal notice from
// the program's version information, a fixed warning, links to the web site
// and to support, and a button that starts the system-information tool.
// Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

namespace designer {

class frmAbout : public widgets::Form {
 public:
  frmAbout();
  ~frmAbout() override;

  // Loads the box owned by `owner` and shows it modally; OK closes it.
  void ShowDialog(HWND owner);

 private:
  void Build();

  base::UniqueHFont m_titleFont;
};

}  // namespace designer
