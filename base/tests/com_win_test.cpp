#include "base/com.h"

#include <gtest/gtest.h>
#include <objidl.h>

#include <new>

namespace {

// {6A2C7F51-0D3E-4B8A-9C11-2F5E7D3A9B01}
constexpr CLSID kTestClass = {0x6a2c7f51, 0x0d3e, 0x4b8a, {0x9c, 0x11, 0x2f, 0x5e, 0x7d, 0x3a, 0x9b, 0x01}};

class Probe : public base::ComObject<Probe, IPersist, IMarshal> {
 public:
  static const base::QiEntry* Interfaces() noexcept {
    static const base::QiEntry table[] = {
        {&IID_IPersist, base::InterfaceOffset<Probe, IPersist>()},
        {&IID_IMarshal, base::InterfaceOffset<Probe, IMarshal>()},
        {nullptr, 0},
    };
    return table;
  }
  STDMETHODIMP GetClassID(CLSID* id) noexcept override {
    *id = kTestClass;
    return S_OK;
  }
  STDMETHODIMP GetUnmarshalClass(REFIID, void*, DWORD, void*, DWORD, CLSID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetMarshalSizeMax(REFIID, void*, DWORD, void*, DWORD, DWORD*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP MarshalInterface(IStream*, REFIID, void*, DWORD, void*, DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP UnmarshalInterface(IStream*, REFIID, void**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP ReleaseMarshalData(IStream*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP DisconnectObject(DWORD) noexcept override { return E_NOTIMPL; }
};

const base::ClassEntry kClasses[] = {
    {&kTestClass, &base::CreateComInstance<Probe>},
    {nullptr, nullptr},
};

}  // namespace

TEST(ComObject, QueryInterfaceAnswersFromItsTableOnly) {
  IPersist* persist = nullptr;
  ASSERT_EQ(base::CreateComInstance<Probe>(IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK);
  EXPECT_EQ(base::ModuleObjectCount(), 1);
  IUnknown* unk1 = nullptr;
  IUnknown* unk2 = nullptr;
  IMarshal* marshal = nullptr;
  EXPECT_EQ(persist->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk1)), S_OK);
  EXPECT_EQ(persist->QueryInterface(IID_IMarshal, reinterpret_cast<void**>(&marshal)), S_OK);
  EXPECT_EQ(marshal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk2)), S_OK);
  EXPECT_EQ(unk1, unk2);  // one identity
  void* none = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(persist->QueryInterface(IID_IStream, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  unk1->Release();
  unk2->Release();
  marshal->Release();
  EXPECT_EQ(persist->Release(), 0u);
  EXPECT_EQ(base::ModuleObjectCount(), 0);
  EXPECT_TRUE(base::ModuleCanUnload());
}

TEST(ComObject, ClassFactoryServesTheTableAndHoldsLocks) {
  IClassFactory* factory = nullptr;
  void* out = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(base::GetClassObjectFromTable(kClasses, IID_IPersist, IID_IClassFactory, &out),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  ASSERT_EQ(base::GetClassObjectFromTable(kClasses, kTestClass, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_FALSE(base::ModuleCanUnload());
  IPersist* persist = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK);
  CLSID id{};
  persist->GetClassID(&id);
  EXPECT_TRUE(IsEqualCLSID(id, kTestClass));
  persist->Release();
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_FALSE(base::ModuleCanUnload());
  factory = nullptr;
  // The lock outlives the factory object, as COM allows.
  ASSERT_EQ(base::GetClassObjectFromTable(kClasses, kTestClass, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)),
            S_OK);
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_TRUE(base::ModuleCanUnload());
}

TEST(ComObject, BoundaryMapsExceptionsToHresults) {
  EXPECT_EQ(base::ComBoundary([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
  EXPECT_EQ(base::ComBoundary([]() -> HRESULT { throw 42; }), E_UNEXPECTED);
  EXPECT_EQ(base::ComBoundary([] { return S_FALSE; }), S_FALSE);
}
