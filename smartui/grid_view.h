// The property grid (and, on a List control, the list): our own window over
// a Grid or List control. It draws the rows, opens the in-place editors and
// turns the user's mouse and keys into the model's user... calls; every form
// event comes from the model. Windows only.
#pragma once
#include "smartui/view_base.h"

#include <map>
#include <string>
#include <vector>

#include "smartui/grid_rows.h"

namespace sui {

class GridView : public ViewBase {
 public:
  static constexpr char kGridClass[] = "SuiHostGrid";
  static constexpr char kListClass[] = "SuiHostList";
  static constexpr int kEditorId = 100;
  static constexpr int kButtonId = 101;

  explicit GridView(Control& control);
  ~GridView() override;

  // A window of the form shown over the value area of the hosted row whose
  // value is name. It stays the form's child.
  void host(const std::string& name, HWND window);
  // Focuses the grid and opens the editor of the current row.
  void focus();

  // Where the splitter stands, in pixels from the left; and the place of a
  // shown row in client coordinates (empty when it is not shown).
  int splitter() const noexcept { return m_split; }
  RECT rowRect(const ItemPtr& item);
  // The open editor (an EDIT or COMBOBOX child), null when none is open.
  HWND editor() const noexcept { return m_editor; }
  HWND editorButton() const noexcept { return m_button; }

 protected:
  DWORD windowStyle() const override;
  DWORD windowExStyle() const override;
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void modelChanged() override;
  void itemChanged(const ItemPtr& item, ItemAspect aspect) override;

 private:
  bool listMode() const noexcept;
  int rowHeight();
  int captionHeight();
  void layout();
  void updateScrollBar();
  void placeHostedWindows();
  void scrollTo(int row);
  int rowAt(int y);
  int rowTop(int row);
  ItemPtr itemAt(int row) const;
  ItemPtr current();
  RECT valueRect(int row);

  void paint(HDC dc);
  void paintRow(HDC dc, const GridRow& row, const Item& item, RECT rc, bool isCurrent);

  // User input.
  void onMouseDown(int x, int y, bool doubleClick);
  void onKey(UINT vk, bool alt);
  void moveCurrent(int step);
  void clickRow(const ItemPtr& item, bool openEditor);
  bool onEditorKey(HWND window, UINT vk);  // true when the key was the grid's
  void onCommand(WPARAM wp, LPARAM lp);

  // The in-place editor.
  void openEditor(bool dropDown = false);
  void closeEditor(bool commit);
  void fillCombo();
  std::string editorText() const;
  void syncEditor();
  static LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

  std::vector<GridRow> m_rows;
  bool m_dirty = true;
  int m_first = 0;      // the first row shown (whole rows scroll)
  int m_split = -1;     // the splitter's place; -1 until the width is known
  double m_splitShare = 0.45;
  bool m_dragging = false;
  bool m_mouseFocus = false;  // a click gives the focus: it opens the editor itself

  std::weak_ptr<Item> m_editRow;  // the row the editor is open on
  HWND m_editor = nullptr;
  HWND m_button = nullptr;
  HWND m_comboEdit = nullptr;        // the edit box inside an editable list
  std::vector<std::weak_ptr<Item>> m_comboEntries;  // the box's lines, in order
  bool m_isCombo = false;
  std::string m_openText;            // what Esc puts back
  bool m_settingText = false;        // the editor follows the model: no userEdit
  bool m_syncPosted = false;

  std::map<std::string, HWND> m_hosted;  // by the hosted rows' value, folded
};

}  // namespace sui
