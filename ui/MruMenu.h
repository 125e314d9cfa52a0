// A recent-item list shown as numbered commands of a SmartUI menu
// (Designer's File menu).
#pragma once
#include <string>

#include "common/clsMRU.h"
#include "smartui/model.h"

namespace ui {

// Replaces the "mru_" sub-items of the menu with a separator and one command
// per non-empty entry of the list, before the item before "id_fileexit" (at
// the end when there is none), checking the one equal to szFile. An empty
// list leaves the menu as it is. Failures of the menu are passed over.
void AddToSmartUI(const common::clsMRU& list, const sui::ItemPtr& suiFileMenu, const std::string& szFile);

// Shows the list in the menu from now on: each change that rebuilds the
// list's menu (UpdateFileMenu) rebuilds this one. Null detaches.
void SetFileMenu(common::clsMRU& list, sui::ItemPtr suiFileMenu);

}  // namespace ui
