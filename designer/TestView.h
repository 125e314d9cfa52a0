// Designer's test view: the entries of one folder in a list, beside the
// configuration being edited, where Fennick's real context menu is tried.
// The shell extension builds its menu from the saved configuration file, not
// from the tree, so this view shows the folder as the shell would and plays
// the shell's part for a right-click: Fennick is created by its CLSID, given
// the folder and the selection, and its menu is shown and run here. It is a
// control of the main window's form, laid out in twips like the others.
// Windows only.
#pragma once
#include "widgets/CommonControl.h"

#include <optional>
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
  // The names selected, the focused one first.
  std::vector<std::string> Selected() const;

  // Fennick's menu for the selected entries, or for the folder's background
  // when none is, shown at the screen point (from the keyboard: beside the
  // focused entry), and the chosen command run. Nothing when no folder is
  // shown; a shell extension that cannot be created or cannot build its menu
  // is reported through the prompt.
  void ShowShellMenu(std::optional<POINT> screen);

 protected:
  bool InnerMessage(UINT msg, WPARAM& wp, LPARAM& lp, LRESULT* result) override;

 private:
  POINT KeyboardMenuPoint(bool background) const;

  std::string m_folder;
};

}  // namespace designer
