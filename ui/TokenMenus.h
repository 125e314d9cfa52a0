// The popup menus from which the editors insert a token or a keystroke into
// an action string or a parameter template. Each entry's key is exactly the
// text its owner inserts; its caption is what the user sees.
#pragma once

namespace sui {
class Item;
}

namespace ui {

// Fills the item's sub-items with the tokens and keystrokes of custom window
// actions; "Selected Item" comes first when bSelectedItem is set.
void AddKeystrokeMenuItems(sui::Item& menu, bool bSelectedItem);
// Fills the item's sub-items with the tokens of a selection task's parameters.
void AddSelectionMenuItems(sui::Item& menu);

}  // namespace ui
