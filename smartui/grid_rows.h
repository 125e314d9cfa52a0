// The rows a grid or list shows, worked out from the model without a window:
// which items are rows and in what order, how tall each is, which the keys
// move to, and which in-place editor a row takes.
#pragma once
#include <memory>
#include <vector>

#include "smartui/model.h"

namespace sui {

enum class RowEditor { None, Text, TextButton, DropList, DropEdit, Hosted };

// The editor a row of this kind opens; None for rows that take none.
RowEditor editorFor(int kind);
// Headings and categories: a full-width band, never current.
bool isBandKind(int kind);
// Check boxes and option buttons: a glyph and the caption across the row.
bool isGlyphKind(int kind);
// The row is shown but the user cannot make it current (spacers, disabled
// rows, headings).
bool isPassiveRow(const Item& item);

struct GridRow {
  std::weak_ptr<Item> item;  // the row does not keep the item alive
  int depth = 0;             // 0 for top-level rows, 1 under an expanded row...
  int units = 1;             // height in plain rows: hosted rows are five
};

// The visible rows in order: top-level items, and under an expanded row of a
// non-list kind its sub-items (list kinds' sub-items are their entries). In
// list mode only the top-level entries.
std::vector<GridRow> visibleRows(const Control& control);

// The row the Up (step -1) or Down (+1) key moves to from row `from` (-1 for
// none): the next row the user can make current, or -1 when there is none.
int stepRow(const std::vector<GridRow>& rows, int from, int step);

// The position of item among rows, -1 when it is not shown.
int rowOf(const std::vector<GridRow>& rows, const Item* item);

}  // namespace sui
