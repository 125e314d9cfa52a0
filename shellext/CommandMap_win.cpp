#include "shellext/CommandMap.h"

#include <atomic>
#include <limits>

namespace shellext {

namespace {

// Every menu we create carries a mark of its own in its menu data; a menu
// the system makes later at a reused handle carries none (or another's).
ULONG_PTR NewTag() {
  static std::atomic<ULONG_PTR> serial{0x46450000};
  return ++serial;
}

ULONG_PTR MenuData(HMENU menu) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  if (!menu || !IsMenu(menu) || !GetMenuInfo(menu, &info)) return 0;
  return info.dwMenuData;
}

}  // namespace

void CommandMap::BeginQuery(HMENU shellMenu, std::int32_t first, std::int32_t last) {
  m_shellMenu = shellMenu;
  m_ids.Reset(first, last);
  m_entries.clear();
  m_byId.clear();
  m_debugToggleId = kNoCommandId;
  m_emptyId = kNoCommandId;
}

CommandMap::EntryPtr CommandMap::Add(std::shared_ptr<config::clsCorvaneData> item, HMENU menu) {
  auto entry = std::make_shared<CommandEntry>();
  entry->item = std::move(item);
  entry->menu = menu;
  m_entries.push_back(entry);
  return entry;
}

CommandMap::EntryPtr CommandMap::At(std::int32_t position) const {
  if (position < 1 || position > Count()) return nullptr;
  return m_entries[static_cast<size_t>(position) - 1];
}

void CommandMap::SetId(const EntryPtr& entry, std::int32_t id) {
  if (!entry) return;
  if (entry->id != kNoCommandId) {
    auto it = m_byId.find(entry->id);
    if (it != m_byId.end() && it->second == entry) m_byId.erase(it);
  }
  entry->id = id;
  // The first entry to take an identifier keeps it: an identifier is handed
  // out once per query, so a second claim is a fault of the caller's.
  if (id != kNoCommandId) m_byId.emplace(id, entry);
}

CommandMap::EntryPtr CommandMap::Find(std::int64_t id) const {
  if (id < 0 || id > std::numeric_limits<std::int32_t>::max()) return nullptr;
  auto it = m_byId.find(static_cast<std::int32_t>(id));
  return it == m_byId.end() ? nullptr : it->second;
}

CommandMap::EntryPtr CommandMap::FindByOffset(std::uint64_t offset) const {
  const std::optional<std::int32_t> id = m_ids.FromOffset(offset);
  return id ? Find(*id) : nullptr;
}

CommandMap::EntryPtr CommandMap::FindByVerb(std::string_view verb) const {
  const std::optional<std::uint32_t> offset = ParseItemVerb(verb);
  return offset ? FindByOffset(*offset) : nullptr;
}

CommandMap::EntryPtr CommandMap::FindBySubmenu(HMENU submenu) const {
  if (!submenu || !IsOurs(submenu)) return nullptr;
  for (const EntryPtr& entry : m_entries)
    if (entry->submenu == submenu) return entry;
  return nullptr;
}

base::UniqueHMenu CommandMap::CreateSubmenu() {
  base::UniqueHMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  info.dwMenuData = NewTag();
  if (!SetMenuInfo(menu.get(), &info)) return base::UniqueHMenu();
  m_created[menu.get()] = info.dwMenuData;
  return menu;
}

ULONG_PTR CommandMap::TagOf(HMENU menu) const {
  auto it = m_created.find(menu);
  if (it == m_created.end()) return 0;
  return MenuData(menu) == it->second ? it->second : 0;
}

bool CommandMap::IsOurs(HMENU menu) const { return TagOf(menu) != 0; }

void CommandMap::AddDynamic(const EntryPtr& folder) {
  if (!folder || !folder->submenu) return;
  auto it = m_created.find(folder->submenu);
  if (it == m_created.end()) return;
  m_dynamic.push_back(Dynamic{folder->submenu, it->second, folder, false});
}

HMENU CommandMap::DynamicMenu(std::int32_t i) const {
  if (i < 0 || i >= DynamicCount()) return nullptr;
  return m_dynamic[static_cast<size_t>(i)].menu;
}

void CommandMap::DropLastDynamic() {
  if (!m_dynamic.empty()) m_dynamic.pop_back();
}

CommandMap::EntryPtr CommandMap::TakeDynamicToFill(HMENU submenu, bool& known) {
  known = false;
  const ULONG_PTR tag = TagOf(submenu);
  if (!tag) return nullptr;
  // The registration made with this very menu, never one of an older menu
  // that had the same handle.
  for (auto it = m_dynamic.rbegin(); it != m_dynamic.rend(); ++it) {
    if (it->menu != submenu || it->tag != tag) continue;
    known = true;
    if (it->filled) return nullptr;
    it->filled = true;
    return it->folder;
  }
  return nullptr;
}

void CommandMap::DestroyDynamicMenus() {
  // Oldest first: a folder's submenu takes its sub-folders' with it, and
  // those are then no longer ours to destroy.
  for (const Dynamic& dynamic : m_dynamic)
    if (TagOf(dynamic.menu) == dynamic.tag) DestroyMenu(dynamic.menu);
  m_dynamic.clear();
}

}  // namespace shellext
