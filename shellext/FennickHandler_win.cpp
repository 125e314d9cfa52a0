#include "shellext/FennickHandler.h"

#include "resources/identity.h"

namespace shellext {

FennickHandler::FennickHandler() = default;
FennickHandler::~FennickHandler() = default;

const base::QiEntry* FennickHandler::Interfaces() noexcept {
  // One IContextMenu3 answers for the two older interfaces as well.
  static const base::QiEntry table[] = {
      {&IID_IShellExtInit, base::InterfaceOffset<FennickHandler, IShellExtInit>()},
      {&IID_IContextMenu, base::InterfaceOffset<FennickHandler, IContextMenu>()},
      {&IID_IContextMenu2, base::InterfaceOffset<FennickHandler, IContextMenu2>()},
      {&IID_IContextMenu3, base::InterfaceOffset<FennickHandler, IContextMenu3>()},
      {nullptr, 0},
  };
  return table;
}

// IShellExtInit

STDMETHODIMP FennickHandler::Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* dataObject,
                                        HKEY /*progId*/) noexcept {
  return base::ComBoundary([&] {
    m_pidlFolder.reset(pidlFolder ? ILClone(pidlFolder) : nullptr);
    m_pDataObject = dataObject;
    return S_OK;
  });
}

// IContextMenu

STDMETHODIMP FennickHandler::QueryContextMenu(HMENU /*menu*/, UINT /*indexMenu*/, UINT /*idCmdFirst*/,
                                              UINT /*idCmdLast*/, UINT /*flags*/) noexcept {
  // No entries yet: the code part of the status is the number of
  // identifiers used.
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
}

STDMETHODIMP FennickHandler::InvokeCommand(CMINVOKECOMMANDINFO* /*info*/) noexcept { return E_INVALIDARG; }

STDMETHODIMP FennickHandler::GetCommandString(UINT_PTR /*idCmd*/, UINT /*type*/, UINT* /*reserved*/,
                                              CHAR* /*name*/, UINT /*cchMax*/) noexcept {
  return E_INVALIDARG;
}

// IContextMenu2

STDMETHODIMP FennickHandler::HandleMenuMsg(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  LRESULT ignored = 0;
  return HandleMenuMsg2(msg, wParam, lParam, &ignored);
}

// IContextMenu3

STDMETHODIMP FennickHandler::HandleMenuMsg2(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                            LRESULT* result) noexcept {
  if (result) *result = 0;
  return S_OK;
}

HRESULT CreateFennickHandler(REFIID riid, void** ppv) noexcept {
  return base::CreateComInstance<FennickHandler>(riid, ppv);
}

}  // namespace shellext
