#include "controls/ConnectionPoint.h"

#include <olectl.h>

#include "base/com.h"

namespace controls {

// --- IUnknown ---------------------------------------------------------------

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IConnectionPoint)) return E_NOINTERFACE;
  *ppv = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

// --- IConnectionPoint -------------------------------------------------------

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* piid) noexcept {
  if (!piid) return E_POINTER;
  *piid = m_iid;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppcpc) noexcept {
  if (!ppcpc) return E_POINTER;
  *ppcpc = &m_owner;
  m_owner.AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  return base::ComBoundary([&] {
    base::ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(m_iid, typed.put_void())) || !typed) return CONNECT_E_CANNOTCONNECT;
    m_sinks.push_back(std::move(typed));
    *cookie = static_cast<DWORD>(m_sinks.size());
    return S_OK;
  });
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) noexcept {
  if (cookie == 0 || cookie > m_sinks.size() || !m_sinks[cookie - 1]) return CONNECT_E_NOCONNECTION;
  // Released outside the list, so a sink whose release calls back in finds
  // the list whole.
  base::ComPtr<IUnknown> gone = std::move(m_sinks[cookie - 1]);
  m_sinks[cookie - 1].reset();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** ppEnum) noexcept {
  if (ppEnum) *ppEnum = nullptr;
  return E_NOTIMPL;
}

}  // namespace controls
