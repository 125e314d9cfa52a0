#include "smartui/grid_rows.h"

namespace sui {

namespace {

constexpr int kHostedRowUnits = 5;

void AddRows(const ItemList& list, int depth, bool listMode, std::vector<GridRow>& out) {
  for (const auto& item : list) {
    if (!item->visible()) continue;
    int kind = item->kind();
    GridRow row;
    row.item = item;
    row.depth = depth;
    row.units = !listMode && editorFor(kind) == RowEditor::Hosted ? kHostedRowUnits : 1;
    out.push_back(row);
    if (!listMode && item->expanded() && !isListKind(kind)) AddRows(item->subItems(), depth + 1, false, out);
  }
}

}  // namespace

RowEditor editorFor(int kind) {
  switch (kind) {
    case kKindText: case kKindTextRow: case kKindPlainText: return RowEditor::Text;
    case kKindTextButton: case kKindTextButtonRow: return RowEditor::TextButton;
    case kKindList: case kKindListRow: return RowEditor::DropList;
    case kKindEditableList: return RowEditor::DropEdit;
    case kKindHostedControl: case kKindHostedRow: return RowEditor::Hosted;
    default: return RowEditor::None;
  }
}

bool isBandKind(int kind) { return isHeadingKind(kind); }

bool isGlyphKind(int kind) { return kind == kKindCheckBox || kind == kKindOptionButton; }

bool isPassiveRow(const Item& item) {
  return !item.enabled() || !item.visible() || !isSelectableKind(item.kind());
}

std::vector<GridRow> visibleRows(const Control& control) {
  std::vector<GridRow> rows;
  AddRows(control.items(), 0, control.style() == Style::List, rows);
  return rows;
}

int stepRow(const std::vector<GridRow>& rows, int from, int step) {
  int n = static_cast<int>(rows.size());
  if (from < 0) from = step > 0 ? -1 : n;  // from nowhere: the first, or the last
  for (int i = from + step; i >= 0 && i < n; i += step) {
    ItemPtr item = rows[static_cast<size_t>(i)].item.lock();
    if (item && !isPassiveRow(*item)) return i;
  }
  return -1;
}

int rowOf(const std::vector<GridRow>& rows, const Item* item) {
  if (!item) return -1;  // a row whose item has gone matches no item
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].item.lock().get() == item) return static_cast<int>(i);
  return -1;
}

}  // namespace sui
