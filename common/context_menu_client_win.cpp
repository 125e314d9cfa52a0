#include "common/context_menu_client_win.h"

#include <commctrl.h>

#include "base/com.h"
#include "base/winstr.h"
#include "common/menu_messenger_win.h"

namespace common {

namespace {

constexpr UINT_PTR kSubclassId = 0x434d4e55;  // "CMNU"

// The owner's window procedure while the menu is up: the menu's own
// messages go to the handler first, as in a shell's view, so that it can
// fill a submenu when it opens and measure and draw the items it draws.
LRESULT CALLBACK ForwardMenuMessages(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) noexcept {
  if (MenuMessenger::IsMenuMessage(msg, wParam, lParam)) {
    auto* messenger = reinterpret_cast<MenuMessenger*>(data);
    LRESULT result = 0;
    if (SUCCEEDED(messenger->Send(msg, wParam, lParam, &result))) {
      if (msg == WM_MENUCHAR) return result;
      return msg == WM_INITMENUPOPUP ? 0 : TRUE;
    }
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

ContextMenuClient::~ContextMenuClient() { Release(); }

HRESULT ContextMenuClient::Create(const CLSID& clsid) {
  Release();
  return base::ComBoundary([&] {
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, m_object.put_void());
  });
}

HRESULT ContextMenuClient::Initialize(const ShellSelection& selection, HKEY classKey) {
  base::ComPtr<IShellExtInit> init = m_object.query<IShellExtInit>(IID_IShellExtInit);
  if (!init) return E_NOINTERFACE;
  return base::ComBoundary(
      [&] { return init->Initialize(selection.folderPidl.get(), selection.dataObject.get(), classKey); });
}

HRESULT ContextMenuClient::Query(UINT first, UINT last, UINT flags) {
  CloseMenu();
  m_handler = m_object.query<IContextMenu>(IID_IContextMenu);
  if (!m_handler) return E_NOINTERFACE;
  m_menu.reset(CreatePopupMenu());
  if (!m_menu) return HRESULT_FROM_WIN32(GetLastError());
  m_first = first;
  return base::ComBoundary([&] { return m_handler->QueryContextMenu(m_menu.get(), 0, first, last, flags); });
}

UINT ContextMenuClient::Track(HWND owner, POINT screen) {
  if (!m_menu || !owner) return 0;
  MenuMessenger messenger(m_handler.get());
  if (!SetWindowSubclass(owner, &ForwardMenuMessages, kSubclassId, reinterpret_cast<DWORD_PTR>(&messenger))) return 0;
  const BOOL chosen = TrackPopupMenuEx(m_menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                       screen.x, screen.y, owner, nullptr);
  RemoveWindowSubclass(owner, &ForwardMenuMessages, kSubclassId);
  return static_cast<UINT>(chosen);
}

HRESULT ContextMenuClient::Invoke(const InvokeRequest& request) const {
  if (!m_handler) return E_UNEXPECTED;
  CMINVOKECOMMANDINFOEX ici{};
  ici.cbSize = sizeof ici;
  ici.fMask = CMIC_MASK_UNICODE | (request.keys & (CMIC_MASK_SHIFT_DOWN | CMIC_MASK_CONTROL_DOWN));
  ici.hwnd = request.owner;
  ici.nShow = SW_SHOWNORMAL;
  const std::wstring verbW = base::Wide(request.verb);
  if (request.offset) {
    ici.lpVerb = MAKEINTRESOURCEA(*request.offset);
    ici.lpVerbW = MAKEINTRESOURCEW(*request.offset);
  } else {
    ici.lpVerb = request.verb.c_str();
    ici.lpVerbW = verbW.c_str();
  }
  const std::wstring directoryW = base::Wide(request.directory);
  if (!request.directory.empty()) {
    ici.lpDirectory = request.directory.c_str();
    ici.lpDirectoryW = directoryW.c_str();
  }
  if (request.point) {
    ici.fMask |= CMIC_MASK_PTINVOKE;
    ici.ptInvoke = *request.point;
  }
  return base::ComBoundary(
      [&] { return m_handler->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&ici)); });
}

void ContextMenuClient::CloseMenu() noexcept { m_menu.reset(); }

std::optional<ULONG> ContextMenuClient::Release() noexcept {
  CloseMenu();
  m_handler.reset();
  if (!m_object) return 0;
  try {
    return m_object.release()->Release();
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace common
