#include "base/com.h"

#include "base/error.h"

namespace base {

namespace {

std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

class ClassFactory : public ComObject<ClassFactory, IClassFactory> {
 public:
  explicit ClassFactory(CreatorFn create) noexcept : m_create(create) {}

  static const QiEntry* Interfaces() noexcept {
    static const QiEntry table[] = {
        {&IID_IClassFactory, InterfaceOffset<ClassFactory, IClassFactory>()},
        {nullptr, 0},
    };
    return table;
  }

  // IClassFactory
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return m_create(riid, ppv);
  }
  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    if (lock)
      ++g_locks;
    else
      --g_locks;
    return S_OK;
  }

 private:
  CreatorFn m_create;
};

}  // namespace

void ModuleAddRef() noexcept { ++g_objects; }
void ModuleRelease() noexcept { --g_objects; }
long ModuleObjectCount() noexcept { return g_objects; }
bool ModuleCanUnload() noexcept { return g_objects == 0 && g_locks == 0; }

HRESULT HResultFromCaught() noexcept {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const Error& e) {
    // Our own numbers are small; an HRESULT carried as a number has its top bit.
    if (e.Number() < 0) return static_cast<HRESULT>(e.Number());
    return E_FAIL;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT QueryInterfaceFromTable(void* object, const QiEntry* table, REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!table || !table[0].iid) return E_NOINTERFACE;
  const QiEntry* hit = nullptr;
  if (IsEqualIID(riid, IID_IUnknown)) {
    hit = &table[0];
  } else {
    for (const QiEntry* e = table; e->iid; ++e)
      if (IsEqualIID(riid, *e->iid)) {
        hit = e;
        break;
      }
  }
  if (!hit) return E_NOINTERFACE;
  auto* unk = reinterpret_cast<IUnknown*>(static_cast<char*>(object) + hit->offset);
  unk->AddRef();
  *ppv = unk;
  return S_OK;
}

HRESULT GetClassObjectFromTable(const ClassEntry* table, REFCLSID rclsid, REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  for (const ClassEntry* e = table; e && e->clsid; ++e) {
    if (!IsEqualCLSID(rclsid, *e->clsid)) continue;
    return ComBoundary([&] {
      auto* factory = new ClassFactory(e->create);
      HRESULT hr = factory->QueryInterface(riid, ppv);
      factory->Release();
      return hr;
    });
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace base
