// Which recent-list entries, Designer and reset entries and built-in
// commands the menu gets, where they go and in what order, worked out from
// the settings and the selection before anything is inserted. The handler
// carries the plan out step by step.
#pragma once
#include <cstdint>
#include <vector>

#include "config/clsOptions.h"

namespace shellext {

// What the plan is made from, besides the settings.
struct MenuListFacts {
  // The positions in the History and Quick Access lists of the entries
  // shown, most recent first: an entry that is missing or holds nothing to
  // show is left out, and the numbers count only the entries shown.
  std::vector<std::int32_t> history;
  std::vector<std::int32_t> quickAccess;
  bool hasCurrentFile = false;
  bool hasCurrentFolder = false;
  std::int32_t selectionCount = 0;
  bool hasDataObject = false;  // the shell gave a selection to Initialize
  std::int32_t rootCount = 0;  // entries already in the root popup
  std::int32_t shellCount = 0; // entries already in the shell's menu
  std::int32_t insertPos = 0;  // where the next entry of the shell's menu goes
};

// The menus a step goes into.
enum class ListMenu { Shell, Root, History, QuickAccess };
// The list a list entry comes from.
enum class ListSource { None, History, QuickAccess };

struct ListStep {
  enum class Kind {
    Check,      // only the identifier check
    Separator,
    Popup,      // a list's popup (type TypePopupHistory or TypePopupQuickAccess) in the root popup
    ListEntry,  // entry `index` of `list`, shown with `number`
    Command,    // a built-in command of `type`
  };
  Kind kind = Kind::Check;
  ListMenu menu = ListMenu::Root;
  std::int32_t position = -1;  // -1 appends
  std::int32_t type = 0;
  std::int32_t bitmapKey = 0;  // for a popup or a command
  ListSource list = ListSource::None;
  std::int32_t index = 0;   // 1-based
  std::int32_t number = 0;  // the number shown before a list entry's caption
  // Whether the identifier check comes first: when it refuses, this step
  // and every later one are left out.
  bool checked = false;
  // The shell menu's insert position once the step is done; -1 leaves it.
  std::int32_t insertPosAfter = -1;
};

std::vector<ListStep> PlanMenuLists(const config::clsOptions& options, const MenuListFacts& facts);

}  // namespace shellext
