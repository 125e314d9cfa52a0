// Designer's test view: the entries of one folder in a list, beside the
// configuration being edited. The shell extension builds its menu from the
// saved configuration file, not from the tree, so this view shows the
// folder as the shell would. It is a control of the main window's form,
// laid out in twips like the others. Windows only.
#pragma once
#include "widgets/CommonControl.h"

#include <functional>
#include <string>
#include <vector>

namespace designer {

class TestView : public widgets::CommonControl {
 public:
  // Position and size in twips; the form must be loaded. Move, SetVisible,
  // SetFocus of the form base place and show it.
  TestView(widgets::Form& form, std::string name, long left, long top, long width, long height);
  ~TestView() override;

  // Shows the entries of the folder ("\" is the root of the current drive).
  // A folder that cannot be read leaves the list empty.
  void Navigate(const std::string& folder);
  const std::string& Folder() const noexcept { return m_folder; }
  // The names shown, in their order.
  std::vector<std::string> Entries() const;

 private:
  std::string m_folder;
};

}  // namespace designer
