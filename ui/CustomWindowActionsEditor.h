// What the custom window actions editor does, over the models of its
// controls: the SmartUI toolbar, list, grid, button bars and token popup, the
// two text boxes and the prompt seam. The window (frmCustomWindowActions)
// only builds the controls and hands their models in, so every rule of the
// editor runs the same in its tests as on screen.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "common/clsProcessing.h"
#include "smartui/model.h"

namespace widgets {
class TextEditor;
}

namespace ui {

class CustomWindowActionsEditor {
 public:
  // The name of the commands box, which the grid's row "id_actions" hosts.
  static constexpr char kCommandsBox[] = "txtActions";

  struct Controls {
    sui::Control& tools;    // New, Delete, a spacer, Down, Up
    sui::Control& actions;  // the actions in priority order
    sui::Control& data;     // the details grid
    sui::Control& header;   // the preview's caption bar
    sui::Control& save;     // one entry: save the changes
    sui::Control& reload;   // one entry: show the stored action again
    sui::Control& tokens;   // the popup of tokens for the commands box
    widgets::TextEditor& commands;
    widgets::TextEditor& preview;
  };

  // Adds the toolbar, bar, popup entries and the grid's rows, and wires the
  // handlers. The actions file is asked of `file` at every operation.
  CustomWindowActionsEditor(Controls controls, std::function<std::string()> file);
  CustomWindowActionsEditor(const CustomWindowActionsEditor&) = delete;
  CustomWindowActionsEditor& operator=(const CustomWindowActionsEditor&) = delete;

  // What the window supplies. Each may stay empty.
  struct Hooks {
    // The window picker: true when closed with OK; fills the class and caption
    // of the picked window and whether the user wants each of them.
    std::function<bool(std::string& className, std::string& caption, bool& wantClass, bool& wantCaption)>
        pickWindow;
    // Pops the token menu up where the mouse is now, in screen coordinates.
    std::function<void(sui::Item& menu)> popupTokens;
    // The text boxes' enabled state (they are windows, not models).
    std::function<void(bool enabled)> enableText;
    std::function<void(bool busy)> hourglass;
    // Gives the grid the keyboard focus when it is on screen.
    std::function<void()> focusGrid;
  } hooks;

  // The opening: the token menu, the match lists, the first action shown.
  void Open();

  void ResetData();
  void LoadActions(std::int32_t& lSelected);
  void EnableItems(bool bEnable);
  bool ValidateData();
  // True when the caller must stop: the user cancelled, or the save failed.
  bool HasDataChanged();
  std::string GetNewName(std::int32_t lIndex) const;
  bool SaveAction();
  void NewAction();
  void DeleteAction();
  void MoveAction(bool down);
  void ShowAction(const std::string& id);
  void SetModified(bool bModified);
  bool IsModified() const;

  // Exit, the close box and Esc alike: true when the dialog may close (no
  // unsaved edit is lost silently).
  bool QueryClose();

  // The grid row of a key ("id_enabled", "id_description", ...).
  sui::ItemPtr Row(const std::string& key) const;

 private:
  void OnToolClick(const sui::ItemPtr& item);
  void OnActionClick(const sui::ItemPtr& item);
  void OnRowChange(const sui::ItemPtr& row, const std::string& property);
  void OnRowButton(const sui::ItemPtr& row);
  void OnCommandsChange();
  void OnCommandsMouseDown(int button);
  std::vector<std::string> ListedIds() const;
  void SelectListed(const std::string& id);

  Controls m_c;
  std::function<std::string()> m_file;
  common::clsProcessing m_busy;
  bool m_newAction = false;
};

// The commands as the actions file keeps them: one line, each line break
// (CR LF, CR or LF) made the Enter key of the keystroke notation.
std::string CommandsForFile(const std::string& text);

}  // namespace ui
