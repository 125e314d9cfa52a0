#include "ui/MruMenu.h"

#include <algorithm>

#include "common/clsTrace.h"

namespace ui {

namespace {

// Runs one step of the menu rebuild; a step that fails is passed over.
template <class F>
void Step(F&& f) noexcept {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

void AddToSmartUI(const common::clsMRU& list, const sui::ItemPtr& suiFileMenu, const std::string& szFile) {
  if (list.FileCount() == 0 || !suiFileMenu) return;
  common::TraceScope trace("clsMRU.AddToSmartUI");
  sui::ItemList& items = suiFileMenu->subItems();

  // The separator and the entries of an earlier build.
  for (int i = items.count(); i >= 1; --i)
    Step([&] {
      if (items.at(i)->key().compare(0, 4, "mru_") == 0) items.removeAt(i);
    });

  // Before the item that precedes Exit (its separator, in Designer's menu);
  // at the end of a menu without Exit.
  int p = items.count() + 1;
  Step([&] {
    if (auto exit = items.find("id_fileexit")) p = std::max(exit->index() - 1, 1);
  });
  Step([&] { items.add(p, "mru_separator", "", sui::kKindMenuSeparator); });
  std::int32_t k = 1;
  for (std::int32_t i = 1; i <= list.FileCount(); ++i) {
    if (list.File(i).empty()) continue;
    // The key carries the entry's number, the caption the running number.
    Step([&] {
      auto entry = items.add(p + k, "mru_" + std::to_string(i), list.MenuCaption(i, k), sui::kKindMenuCommand);
      if (list.File(i) == szFile) entry->setChecked(true);
    });
    ++k;
  }
}

void SetFileMenu(common::clsMRU& list, sui::ItemPtr suiFileMenu) {
  if (!suiFileMenu) {
    list.SetMenuChanged(nullptr);
    return;
  }
  // The list hands itself to the callback, so that a list copied or moved
  // with its callback fills the menu from its own entries.
  list.SetMenuChanged([menu = std::move(suiFileMenu)](const common::clsMRU& self, const std::string& szFile) {
    AddToSmartUI(self, menu, szFile);
  });
}

}  // namespace ui
