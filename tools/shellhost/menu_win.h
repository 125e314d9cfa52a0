// The menu a handler built, read back into a tree with what the handler said
// about each item, after the messages a shell sends while the menu is shown.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

namespace shellhost {

enum class ItemKind { String, Separator, Popup, OwnerDraw };

struct CommandString {
  HRESULT hr = E_FAIL;
  std::string text;
  bool operator==(const CommandString&) const = default;
};

// GetCommandString's answers for one item.
struct CommandStrings {
  CommandString verb, help;    // GCS_VERBW, GCS_HELPTEXTW
  CommandString verbA, helpA;  // GCS_VERBA, GCS_HELPTEXTA
  HRESULT validate = S_OK;     // GCS_VALIDATEW
  HRESULT validateA = S_OK;    // GCS_VALIDATEA
};

struct MenuEntry {
  ItemKind kind = ItemKind::String;
  UINT id = 0;
  bool hasOffset = false;  // id lies in [idCmdFirst, idCmdLast]
  UINT offset = 0;         // id - idCmdFirst
  std::string text;
  bool ownerDraw = false;  // also set on an owner-drawn popup
  ULONG_PTR data = 0;
  bool checked = false;
  bool disabled = false;
  bool isDefault = false;
  bool bitmap = false;        // hbmpItem, or an old-style MFT_BITMAP item
  bool checkBitmaps = false;  // hbmpChecked or hbmpUnchecked
  bool cycle = false;         // a submenu that leads back up the tree (not followed)
  HMENU submenu = nullptr;    // borrowed from the menu

  // What the messages the host sent answered.
  std::optional<HRESULT> opened;  // WM_INITMENUPOPUP
  std::optional<HRESULT> measured;
  UINT width = 0;
  UINT height = 0;
  std::optional<HRESULT> drawn;
  bool painted = false;  // WM_DRAWITEM changed a pixel

  std::optional<CommandStrings> strings;
  std::vector<MenuEntry> children;
};

struct WalkOptions {
  UINT first = 1;
  UINT last = 0x7fff;
  bool openSubmenus = false;  // WM_INITMENUPOPUP before a submenu is read
  bool ownerDraw = false;     // WM_MEASUREITEM and WM_DRAWITEM for owner-drawn items
  std::string drawDir;        // where drawn items are kept as pictures; "" for nowhere
  bool menu2 = false;         // messages through IContextMenu2 even when IContextMenu3 is there
};

// Reads the whole tree under root, sending the chosen messages to handler in
// the order a shown menu causes them, and asks GetCommandString for every
// item of the handler's range.
std::vector<MenuEntry> ReadMenuTree(HMENU root, IContextMenu* handler, const WalkOptions& options);

}  // namespace shellhost
