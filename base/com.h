// COM helpers: table-driven QueryInterface, the object base, the process-wide
// object and lock counts behind DllCanUnloadNow, and one class factory that
// serves every class through a CLSID -> creator table.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <new>

namespace base {

// --- object and lock counts --------------------------------------------------

void ModuleAddRef() noexcept;
void ModuleRelease() noexcept;
long ModuleObjectCount() noexcept;
bool ModuleCanUnload() noexcept;  // no live object and no server lock

// --- exceptions at the boundary ----------------------------------------------

// Inside a catch block: an HRESULT that tells the truth about what is in
// flight (E_OUTOFMEMORY for bad_alloc, a carried HRESULT for our own errors
// whose number is one, E_UNEXPECTED otherwise).
HRESULT HResultFromCaught() noexcept;

// Runs f, returning its HRESULT; nothing escapes.
template <class F>
HRESULT ComBoundary(F&& f) noexcept {
  try {
    return f();
  } catch (...) {
    return HResultFromCaught();
  }
}

// --- QueryInterface ----------------------------------------------------------

struct QiEntry {
  const IID* iid;
  std::ptrdiff_t offset;  // from the object to the interface
};

// Searches a table ending in {nullptr, 0}; IUnknown answers with the first entry.
HRESULT QueryInterfaceFromTable(void* object, const QiEntry* table, REFIID riid, void** ppv) noexcept;

// The offset of interface I within class C.
template <class C, class I>
std::ptrdiff_t InterfaceOffset() noexcept {
  // Any well-aligned non-null address serves; nothing is dereferenced.
  C* c = reinterpret_cast<C*>(static_cast<std::uintptr_t>(0x10000));
  return reinterpret_cast<char*>(static_cast<I*>(c)) - reinterpret_cast<char*>(c);
}

// The reference count and QueryInterface of a COM class: Derived lists its
// interfaces in a static QiEntry table returned by Derived::Interfaces().
// A live object counts towards ModuleObjectCount.
template <class Derived, class... Bases>
class ComObject : public Bases... {
 public:
  ComObject() noexcept { ModuleAddRef(); }
  virtual ~ComObject() { ModuleRelease(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) noexcept override {
    return QueryInterfaceFromTable(static_cast<Derived*>(this), Derived::Interfaces(), riid, ppv);
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() noexcept override {
    ULONG n = --m_refs;
    if (n == 0) delete static_cast<Derived*>(this);
    return n;
  }

 private:
  std::atomic<ULONG> m_refs{1};
};

// Makes a Derived and asks it for riid; the caller's reference is the only one.
template <class Derived>
HRESULT CreateComInstance(REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  return ComBoundary([&] {
    Derived* obj = new Derived();
    HRESULT hr = obj->QueryInterface(riid, ppv);
    obj->Release();
    return hr;
  });
}

// --- the class factory -------------------------------------------------------

using CreatorFn = HRESULT (*)(REFIID riid, void** ppv);

struct ClassEntry {
  const CLSID* clsid;
  CreatorFn create;
};

// DllGetClassObject over a table ending in {nullptr, nullptr}.
HRESULT GetClassObjectFromTable(const ClassEntry* table, REFCLSID rclsid, REFIID riid, void** ppv) noexcept;

}  // namespace base
