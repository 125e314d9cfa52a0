// The item properties dialog without its window: the rows of every item type
// in a property grid, shown by the type chosen in the "Item Type:" row, the
// pickers behind the browse buttons, the token menus and previews of the text
// boxes, and OK's checks and write-back. It works on the grid's model, three
// text boxes and the shell seam, so it runs natively as on screen.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "smartui/model.h"

namespace config {
class clsCorvaneData;
}
namespace widgets {
class TextEditor;
}

namespace designer {

class PropertyShell;

class PropertiesPage {
 public:
  struct Boxes {
    widgets::TextEditor& actions;  // txtActions: a custom action's commands
    widgets::TextEditor& preview;  // txtPreview: what the commands become
    widgets::TextEditor& parms;    // txtSelection_Parms: a selection task's parameters
  };

  // The page takes over the grid's and the token menu's handlers and the
  // boxes' change and mouse events.
  PropertiesPage(sui::Control& grid, sui::Control& tokens, Boxes boxes, PropertyShell& shell);
  PropertiesPage(const PropertiesPage&) = delete;
  PropertiesPage& operator=(const PropertiesPage&) = delete;

  // Fills the rows from the item, which is only read: whatever the page
  // puts in for a new item stays in the rows until OK. openMode holds the
  // dialog's open bits (1 new item, 2 new special folder).
  void Load(const config::clsCorvaneData& item, std::int32_t openMode);
  // For a new item whose location row is empty: that row's picker, as the
  // dialog opens.
  void OpenPickerOfNewItem();

  // Shows the rows of one type (and the keyless rows), hides the others.
  void ShowProperties(std::int32_t type);
  // The type the rows stand for now.
  std::int32_t CurrentType() const;

  // OK: checks the rows of the current type; the first failure is told in a
  // message, its row made current and false returned with the item
  // untouched; otherwise the item is rewritten from the rows.
  bool Ok(config::clsCorvaneData& item);

  // Asked to pop up a token menu (its holder entry) at the pointer.
  std::function<void(const sui::ItemPtr& menu)> PopupTokens;
  // Asked to give the grid the keyboard focus (after a message).
  std::function<void()> FocusGrid;
  // The owner window of messages and pickers; null natively.
  void* m_hwndOwner = nullptr;

 private:
  sui::ItemPtr Row(const std::string& key) const;
  std::string Value(const std::string& key) const;
  std::string Trimmed(const std::string& key) const;
  bool Checked(const std::string& key) const;
  void SetValue(const std::string& key, const std::string& value);

  void AddRows(const config::clsCorvaneData& item);
  void LoadByType(const config::clsCorvaneData& item);
  void SelectType(std::int32_t type);

  void RowChange(const sui::ItemPtr& row, const std::string& property);
  void RowButton(const sui::ItemPtr& row);
  void RowClick(const sui::ItemPtr& row);
  void TokenClick(const sui::ItemPtr& entry);
  void BoxMouseDown(int target, int button);
  void UpdateActionsPreview();
  void UpdateParmsPreview();
  sui::ItemPtr ChosenSpecialFolder(const sui::ItemPtr& row) const;

  void BrowseFolder(const sui::ItemPtr& row, const std::string& title);
  void BrowseFile(const sui::ItemPtr& row);

  bool Fail(const std::string& message, const std::string& rowKey);
  void WriteBack(std::int32_t type, config::clsCorvaneData& item);
  void FillCaptionFromLocation(const std::string& captionKey, const std::string& locationKey);

  sui::Control& m_grid;
  sui::Control& m_tokens;
  Boxes m_boxes;
  PropertyShell& m_shell;
  std::int32_t m_lOptions = 0;
  bool m_bBusy = false;
  std::int32_t m_lTokenTarget = 1;
};

}  // namespace designer
