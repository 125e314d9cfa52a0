// The entries of one handler's menu: one record per entry we insert, found
// by its command identifier, by its submenu and by the verb the shell was
// told, and the menus we created, told apart from any other menu that may
// come to carry the same handle. The query, the command strings, the menu
// messages and command execution all read this one map.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/clsCorvaneData.h"
#include "shellext/CommandIds.h"

namespace shellext {

class clsMenuBitmap;

// The identifier of an entry that takes none; no lookup ever finds it.
inline constexpr std::int32_t kNoCommandId = -1;

struct CommandEntry {
  std::int32_t id = kNoCommandId;
  HMENU menu = nullptr;     // the menu the entry lives in
  HMENU submenu = nullptr;  // a popup's own submenu
  std::string text;         // the text the menu shows
  std::shared_ptr<config::clsCorvaneData> item;
  std::shared_ptr<clsMenuBitmap> picture;  // what owner drawing paints
  // An owner-drawn entry's file icon is fetched when the entry is first
  // painted: until then `picture` is empty and this names the file.
  bool picturePending = false;
  std::string pictureFile;
};

class CommandMap {
 public:
  using EntryPtr = std::shared_ptr<CommandEntry>;

  CommandMap() = default;
  CommandMap(const CommandMap&) = delete;
  CommandMap& operator=(const CommandMap&) = delete;

  // A new query of the shell's menu with the identifiers first to last:
  // the entries of an earlier query are forgotten (their dynamic submenus
  // are kept, to be destroyed with the map's owner).
  void BeginQuery(HMENU shellMenu, std::int32_t first, std::int32_t last);
  HMENU ShellMenu() const { return m_shellMenu; }
  CommandIds& Ids() { return m_ids; }
  const CommandIds& Ids() const { return m_ids; }

  // --- entries -------------------------------------------------------------------
  // A record for an item that lives in `menu`, taking no identifier yet.
  EntryPtr Add(std::shared_ptr<config::clsCorvaneData> item, HMENU menu);
  // The records of this query, 1-based in the order they were added.
  std::int32_t Count() const { return static_cast<std::int32_t>(m_entries.size()); }
  EntryPtr At(std::int32_t position) const;
  // Gives the record its identifier (kNoCommandId for none).
  void SetId(const EntryPtr& entry, std::int32_t id);
  // The record with that identifier; null for none.
  EntryPtr Find(std::int64_t id) const;
  // The record of an offset into the range; null for none.
  EntryPtr FindByOffset(std::uint64_t offset) const;
  // The record a verb names ("Item" and an offset); null for none.
  EntryPtr FindByVerb(std::string_view verb) const;
  // The popup record whose own submenu is `submenu`, when that menu is ours.
  EntryPtr FindBySubmenu(HMENU submenu) const;

  // The entry shown to switch debugging, outside the records.
  void SetDebugToggleId(std::int32_t id) { m_debugToggleId = id; }
  std::int32_t DebugToggleId() const { return m_debugToggleId; }
  // The identifier the "(Empty)" entries of dynamic folders share.
  void SetEmptyId(std::int32_t id) { m_emptyId = id; }
  std::int32_t EmptyId() const { return m_emptyId; }

  // --- menus -----------------------------------------------------------------------
  // A new popup, marked as ours. It belongs to the caller until a menu of
  // ours or the shell's takes it.
  base::UniqueHMenu CreateSubmenu();
  // Whether the handle is still a menu we created: not one the system made
  // afresh at the same handle after ours was destroyed.
  bool IsOurs(HMENU menu) const;

  // --- dynamic folders ---------------------------------------------------------
  // Registers the folder record's submenu to be filled when it opens.
  void AddDynamic(const EntryPtr& folder);
  // Forgets the latest registration (its submenu never got into a menu).
  void DropLastDynamic();
  // The folder record of a dynamic submenu of ours still to be filled; it is
  // marked filled, so that a second opening gets null. `known` tells
  // whether the menu is a dynamic one of ours at all.
  EntryPtr TakeDynamicToFill(HMENU submenu, bool& known);
  std::int32_t DynamicCount() const { return static_cast<std::int32_t>(m_dynamic.size()); }
  // The submenu of registration i (0-based, in the order registered).
  HMENU DynamicMenu(std::int32_t i) const;
  // Destroys the dynamic submenus that are still ours.
  void DestroyDynamicMenus();

 private:
  struct Dynamic {
    HMENU menu;
    ULONG_PTR tag;
    EntryPtr folder;
    bool filled = false;
  };
  // The mark the menu was created with; 0 when it is not ours.
  ULONG_PTR TagOf(HMENU menu) const;

  HMENU m_shellMenu = nullptr;
  CommandIds m_ids;
  std::vector<EntryPtr> m_entries;
  std::unordered_map<std::int32_t, EntryPtr> m_byId;
  std::int32_t m_debugToggleId = kNoCommandId;
  std::int32_t m_emptyId = kNoCommandId;
  std::unordered_map<HMENU, ULONG_PTR> m_created;  // the newest menu at each handle
  std::vector<Dynamic> m_dynamic;
};

}  // namespace shellext
