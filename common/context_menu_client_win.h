// A shell's side of one context menu: the handler created by its CLSID,
// initialised with a selection, its menu built into a popup of our own,
// shown with the menu messages forwarded to it, and the chosen command sent
// back. Each step answers with the handler's HRESULT; nothing the handler
// throws comes through. The calling thread must have COM started. Windows
// only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <shlobj.h>

#include <optional>
#include <string>

#include "common/shell_selection_win.h"

namespace common {

// What InvokeCommand gets (CMINVOKECOMMANDINFOEX, both forms of the texts).
struct InvokeRequest {
  std::optional<UINT> offset;  // the command by its offset; else by verb
  std::string verb;
  HWND owner = nullptr;         // of any window the command shows
  std::string directory;        // the working folder; "" for none
  std::optional<POINT> point;   // where the menu was opened, in screen coordinates
  DWORD keys = 0;               // CMIC_MASK_SHIFT_DOWN, CMIC_MASK_CONTROL_DOWN
};

class ContextMenuClient {
 public:
  ContextMenuClient() = default;
  ~ContextMenuClient();  // the menu goes before the handler, as when a shell closes it
  ContextMenuClient(const ContextMenuClient&) = delete;
  ContextMenuClient& operator=(const ContextMenuClient&) = delete;

  // CoCreateInstance in process.
  HRESULT Create(const CLSID& clsid);
  IUnknown* Object() const noexcept { return m_object.get(); }

  // IShellExtInit::Initialize with the selection's folder and data object
  // and the class key the handler is registered under (may be null).
  HRESULT Initialize(const ShellSelection& selection, HKEY classKey);

  // QueryContextMenu into a new popup; commands numbered from first.
  HRESULT Query(UINT first, UINT last, UINT flags);
  HMENU Menu() const noexcept { return m_menu.get(); }
  IContextMenu* Handler() const noexcept { return m_handler.get(); }
  UINT First() const noexcept { return m_first; }

  // Shows the menu at the screen point, owned by owner, whose window
  // procedure passes the menu messages to the handler meanwhile. The chosen
  // command's identifier, 0 when none was chosen.
  UINT Track(HWND owner, POINT screen);

  // InvokeCommand.
  HRESULT Invoke(const InvokeRequest& request) const;

  // Destroys the menu.
  void CloseMenu() noexcept;

  // Closes the menu and lets the handler go: what its last Release returned,
  // nothing when it threw.
  std::optional<ULONG> Release() noexcept;

 private:
  base::ComPtr<IUnknown> m_object;
  base::ComPtr<IContextMenu> m_handler;
  base::UniqueHMenu m_menu;
  UINT m_first = 0;
};

}  // namespace common
