// The shell's context-menu handler: one object per context menu.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include "base/com.h"
#include "base/handles.h"

namespace shellext {

class FennickHandler : public base::ComObject<FennickHandler, IShellExtInit, IContextMenu3> {
 public:
  FennickHandler();
  ~FennickHandler() override;

  static const base::QiEntry* Interfaces() noexcept;

  // IShellExtInit
  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* dataObject, HKEY progId) noexcept override;

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                UINT flags) noexcept override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) noexcept override;
  STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, CHAR* name,
                                UINT cchMax) noexcept override;

  // IContextMenu2
  STDMETHODIMP HandleMenuMsg(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;

  // IContextMenu3
  STDMETHODIMP HandleMenuMsg2(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) noexcept override;

 private:
  base::ComPtr<IDataObject> m_pDataObject;
  base::UniquePidl m_pidlFolder;
};

// The class factory's creator.
HRESULT CreateFennickHandler(REFIID riid, void** ppv) noexcept;

}  // namespace shellext
