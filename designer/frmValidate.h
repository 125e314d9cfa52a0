// Designer's validation report window: the report text in a read-only,
// fixed-pitch box that never wraps, with OK and Cancel. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <string>

namespace widgets {
class TextEditor;
class TreeView;
}  // namespace widgets

namespace designer {

class frmValidate : public widgets::Form {
 public:
  frmValidate();
  ~frmValidate() override;

  // The whole report; the caller sets it before ShowDialog.
  std::string m_szResults;
  // m_bOk (of the form base): true after OK, false after Cancel.

  // Loads the window on m_szResults, owned by `owner`, shows it modally and
  // returns m_bOk. The form stays loaded and hidden until Unload or the
  // object goes.
  bool ShowDialog(HWND owner);

  // Once loaded: the report box, for callers and tests that read it.
  widgets::TextEditor& Results();

 private:
  void Build();
};

// The Validate command: checks every item of the tree, then shows the
// report modally over `owner` and unloads it. The configuration is left as
// it was.
void Action_Validate(HWND owner, const widgets::TreeView& tree);

}  // namespace designer
