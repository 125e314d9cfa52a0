// The item properties dialog: one menu item edited in a property grid, its
// rows following the item type chosen in the "Item Type:" row, checked and
// written back into the item on OK. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <cstdint>
#include <memory>

#include "config/clsCorvaneData.h"

namespace sui {
class Control;
}
namespace widgets {
class TextEditor;
}

namespace designer {

class PropertyShell;
class PropertiesPage;

class frmProperties : public widgets::Form {
 public:
  // Bits of m_lOptions.
  static constexpr std::int32_t OpenNewItem = 1;       // an empty location row opens its picker at once
  static constexpr std::int32_t OpenNewSpecialFolder = 2;  // the new folder is a Windows special folder

  frmProperties();
  ~frmProperties() override;

  // Set by the caller before ShowDialog: the open mode (0 to edit) and the
  // item, the caller's own object, which only a successful OK writes into.
  std::int32_t m_lOptions = 0;
  std::shared_ptr<config::clsCorvaneData> m_Data;
  // m_bOk (of the form base): true after a successful OK.
  // Whether Ctrl was held as the dialog opened: where a new item goes.
  bool m_bCtrlPressed = false;

  // Loads the dialog on m_Data, owned by `owner`, shows it modally and
  // returns m_bOk. The form stays loaded and hidden for the caller to read;
  // destroying the object (or Unload) ends it.
  bool ShowDialog(HWND owner);

  // For tests and callers that drive the dialog: the pickers it uses (the
  // real shell dialogs unless replaced before ShowDialog), and once loaded,
  // the grid's model and the three text boxes.
  void SetShell(std::shared_ptr<PropertyShell> shell);
  sui::Control& Grid();
  sui::Control& Tokens();
  widgets::TextEditor& Actions();
  widgets::TextEditor& Preview();
  widgets::TextEditor& SelectionParms();

 private:
  void Build();
  void PressOk();

  std::shared_ptr<PropertyShell> m_shell;
  std::unique_ptr<PropertiesPage> m_page;
};

}  // namespace designer
