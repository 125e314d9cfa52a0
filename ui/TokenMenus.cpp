#include "ui/TokenMenus.h"

#include <string>

#include "actions/clsCustomActions.h"
#include "smartui/model.h"

namespace ui {

namespace {

using actions::clsCustomActions;

struct Entry {
  const char* caption;
  const char* key;
};

constexpr Entry kModifiers[] = {{"SHIFT", "+"}, {"CTRL", "^"}, {"ALT", "%"}};

constexpr Entry kGeneral[] = {
    {"BACKSPACE", "{BACKSPACE}"}, {"BREAK", "{BREAK}"},       {"CAPS LOCK", "{CAPSLOCK}"},
    {"DELETE", "{DELETE}"},       {"DOWN ARROW", "{DOWN}"},   {"END", "{END}"},
    {"ENTER", "{ENTER}"},         {"ESC", "{ESC}"},           {"HELP", "{HELP}"},
    {"HOME", "{HOME}"},           {"INSERT", "{INSERT}"},     {"LEFT ARROW", "{LEFT}"},
    {"NUM LOCK", "{NUMLOCK}"},    {"PAGE DOWN", "{PGDN}"},    {"PAGE UP", "{PGUP}"},
    {"PRINT SCREEN", "{PRTSC}"},  {"RIGHT ARROW", "{RIGHT}"}, {"SCROLL LOCK", "{SCROLLLOCK}"},
    {"TAB", "{TAB}"},             {"UP ARROW", "{UP}"},
};

template <size_t N>
void AddCommands(sui::Item& parent, const Entry (&entries)[N]) {
  for (const Entry& e : entries) parent.subItems().add(0, e.key, e.caption, sui::kKindMenuCommand);
}

}  // namespace

void AddKeystrokeMenuItems(sui::Item& menu, bool bSelectedItem) {
  sui::ItemList& items = menu.subItems();
  items.clear();
  if (bSelectedItem) items.add(0, clsCustomActions::TokenItem(), "Selected Item", sui::kKindMenuEntry);
  items.add(0, clsCustomActions::TokenPause(), "Pause", sui::kKindMenuEntry);
  items.add(0, clsCustomActions::TokenDate(), "Date", sui::kKindMenuEntry);
  items.add(0, "", "", sui::kKindMenuSeparator);
  AddCommands(*items.add(0, "", "Modifiers", sui::kKindMenuEntry), kModifiers);
  AddCommands(*items.add(0, "", "General", sui::kKindMenuEntry), kGeneral);
  sui::ItemPtr keys = items.add(0, "", "Function Keys", sui::kKindMenuEntry);
  for (int n = 1; n <= 16; ++n)
    keys->subItems().add(0, "{F" + std::to_string(n) + "}", "F" + std::to_string(n), sui::kKindMenuCommand);
}

void AddSelectionMenuItems(sui::Item& menu) {
  sui::ItemList& items = menu.subItems();
  items.clear();
  items.add(0, clsCustomActions::TokenSelection(), "Selection", sui::kKindMenuEntry);
  items.add(0, clsCustomActions::TokenDate(), "Date", sui::kKindMenuEntry);
}

}  // namespace ui
