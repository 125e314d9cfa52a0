// A connection point that lives inside its container object and shares its
// reference count: the control's property-change notifications and its
// (empty) event interface.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <ocidl.h>

#include <vector>

namespace controls {

class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer& owner, const IID& iid) noexcept : m_owner(owner), m_iid(iid) {}
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  const IID& Iid() const noexcept { return m_iid; }

  // Calls f with each advised sink, as the interface of this point.
  template <class I, class F>
  void ForEach(F&& f) const {
    // A sink may unadvise while it is told; it is told from a copy.
    std::vector<base::ComPtr<IUnknown>> sinks = m_sinks;
    for (const auto& s : sinks)
      if (s) f(static_cast<I*>(s.get()));
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) noexcept override;
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return m_owner.AddRef(); }
  STDMETHODIMP_(ULONG) Release() noexcept override { return m_owner.Release(); }

  // IConnectionPoint
  STDMETHODIMP GetConnectionInterface(IID* piid) noexcept override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppcpc) noexcept override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) noexcept override;
  STDMETHODIMP Unadvise(DWORD cookie) noexcept override;
  STDMETHODIMP EnumConnections(IEnumConnections** ppEnum) noexcept override;

 private:
  IConnectionPointContainer& m_owner;
  const IID& m_iid;
  std::vector<base::ComPtr<IUnknown>> m_sinks;  // a cookie is its index + 1; a gap stays null
};

}  // namespace controls
