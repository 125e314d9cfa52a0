// Sashkit.dll as containers and scripts see it: registration, creation by
// ProgID, IDispatch by name, the type library, persistence in property bags
// and streams, change notification, and unloading.
#include "controls/tests/sashkit_testing.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/tests/testing.h"
#include "base/winstr.h"
#include "resources/identity.h"
#include "sashkit_h.h"

namespace {

using sashkit_testing::DllPath;

// Every key and value under a key of ...\Software\Classes, one line each,
// the DLL's path written as %DLL%; a REG_MULTI_SZ shows as <list>.
void ListKey(HKEY hive, const std::string& path, const std::string& shown, std::vector<std::string>& out) {
  base::UniqueHKey hk;
  if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_READ, hk.put()) != ERROR_SUCCESS) return;
  out.push_back(shown);
  for (DWORD i = 0;; ++i) {
    char name[256], data[16384];
    DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
    if (RegEnumValueA(hk.get(), i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) !=
        ERROR_SUCCESS)
      break;
    data[dataSize] = '\0';
    std::string value = type == REG_MULTI_SZ ? "<list>" : data;
    const std::string dll = DllPath();
    for (size_t at; (at = value.find(dll)) != std::string::npos;) value.replace(at, dll.size(), "%DLL%");
    out.push_back(shown + " [" + (nameSize ? name : "") + "]=" + value);
  }
  for (DWORD i = 0;; ++i) {
    char sub[256];
    DWORD size = sizeof sub;
    if (RegEnumKeyExA(hk.get(), i, sub, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    ListKey(hive, path + "\\" + sub, shown + "\\" + sub, out);
  }
}

std::vector<std::string> SashkitKeys() {
  std::vector<std::string> out;
  for (const char* key : {"CLSID\\" CORVANE_VERTDIVIDER_CLSID_TEXT, "CLSID\\" CORVANE_HORZDIVIDER_CLSID_TEXT,
                          CORVANE_VERTDIVIDER_PROGID, CORVANE_HORZDIVIDER_PROGID,
                          "TypeLib\\" CORVANE_SASHKIT_TYPELIB_TEXT})
    ListKey(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\") + key, key, out);
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> ClassKeys(const std::string& clsid, const std::string& name, const char* bitmap) {
  const std::string k = "CLSID\\" + clsid;
  return {k, k + " [" + "]=" + name, k + "\\Control", k + "\\InprocServer32", k + "\\InprocServer32 []=%DLL%",
          k + "\\InprocServer32 [ThreadingModel]=Apartment", k + "\\MiscStatus", k + "\\MiscStatus []=0",
          k + "\\MiscStatus\\1", k + "\\MiscStatus\\1 []=131473", k + "\\ProgID", k + "\\ProgID []=Sashkit." + name,
          k + "\\ToolboxBitmap32", k + "\\ToolboxBitmap32 []=%DLL%, " + bitmap, k + "\\TypeLib",
          k + "\\TypeLib []=" CORVANE_SASHKIT_TYPELIB_TEXT, k + "\\Version", k + "\\Version []=1.0",
          "Sashkit." + name, "Sashkit." + name + " []=" + name, "Sashkit." + name + "\\CLSID",
          "Sashkit." + name + "\\CLSID []=" + clsid};
}

DWORD Regsvr32(const std::string& args) {
  return testing_support::RunProcess("regsvr32.exe /s " + args + " \"" + DllPath() + "\"").exitCode;
}

TEST(SashkitRegistration, Regsvr32WritesBothControlsAndTheLibraryAndUnregisteringLeavesNothing) {
  Regsvr32("/u");
  ASSERT_EQ(SashkitKeys(), std::vector<std::string>{});

  ASSERT_EQ(Regsvr32(""), 0u);
  std::vector<std::string> expected = ClassKeys(CORVANE_VERTDIVIDER_CLSID_TEXT, "VertDivider", "30001");
  const auto horz = ClassKeys(CORVANE_HORZDIVIDER_CLSID_TEXT, "HorzDivider", "30000");
  expected.insert(expected.end(), horz.begin(), horz.end());
  const std::string lib = "TypeLib\\" CORVANE_SASHKIT_TYPELIB_TEXT;
  const std::string platform = sizeof(void*) == 8 ? "win64" : "win32";
  for (const std::string& line :
       {lib, lib + "\\1.0", lib + "\\1.0 []=Sashkit divider-line controls", lib + "\\1.0\\0",
        lib + "\\1.0\\0\\" + platform, lib + "\\1.0\\0\\" + platform + " []=%DLL%", lib + "\\1.0\\FLAGS",
        lib + "\\1.0\\FLAGS []=2", lib + "\\1.0\\HELPDIR"})
    expected.push_back(line);
  // The keys that registration made are noted beside the first class.
  expected.push_back("CLSID\\" CORVANE_VERTDIVIDER_CLSID_TEXT " [CorvaneCreatedKeys]=<list>");
  std::vector<std::string> keys = SashkitKeys();
  // HELPDIR names the DLL's folder, which is this build's own.
  std::erase_if(keys, [](const std::string& k) { return k.find("HELPDIR []=") != std::string::npos; });
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(keys, expected);

  // The toolbox pictures it names are in the DLL.
  base::UniqueHModule dll(LoadLibraryExA(DllPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  for (int id : {30000, 30001}) {
    base::UniqueHBitmap bitmap(LoadBitmapA(dll.get(), MAKEINTRESOURCEA(id)));
    BITMAP info = {};
    ASSERT_TRUE(bitmap) << id;
    GetObjectA(bitmap.get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 16) << id;
    EXPECT_EQ(info.bmHeight, 15) << id;
  }

  ASSERT_EQ(Regsvr32("/u"), 0u);
  EXPECT_EQ(SashkitKeys(), std::vector<std::string>{});
}

using Sashkit = sashkit_testing::Registered;

// A script's view: nothing but names.
base::ComPtr<IDispatch> CreateByProgId(const char* progId) {
  CLSID clsid;
  base::ComPtr<IDispatch> object;
  if (CLSIDFromProgID(base::Wide(progId).c_str(), &clsid) == S_OK)
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void());
  return object;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = 0xdeadbeef;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
  return id;
}

HRESULT Put(IDispatch* object, const wchar_t* name, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                        nullptr, nullptr, nullptr);
}

VARIANT Get(IDispatch* object, const wchar_t* name) {
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none = {};
  EXPECT_EQ(object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                           &result, nullptr, nullptr),
            S_OK)
      << name;
  return result;
}

VARIANT Double(double d) {
  VARIANT v;
  v.vt = VT_R8;
  v.dblVal = d;
  return v;
}

VARIANT Long(long n) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}

TEST_F(Sashkit, BothControlsAreMadeByProgIdAndKeepTheirValuesThroughIDispatch) {
  for (const char* progId : {CORVANE_VERTDIVIDER_PROGID, CORVANE_HORZDIVIDER_PROGID}) {
    SCOPED_TRACE(progId);
    base::ComPtr<IDispatch> divider = CreateByProgId(progId);
    ASSERT_TRUE(divider);
    // A new one holds 0 everywhere.
    for (const wchar_t* name : {L"X1", L"X2", L"Y1", L"Y2", L"DrawMode", L"BorderWidth"}) {
      VARIANT v = Get(divider.get(), name);
      EXPECT_TRUE((v.vt == VT_R4 && v.fltVal == 0) || (v.vt == VT_I2 && v.iVal == 0)) << name;
    }
    // The script passes doubles and longs; the control keeps Single and Integer.
    EXPECT_EQ(Put(divider.get(), L"X1", Double(50.5)), S_OK);
    EXPECT_EQ(Put(divider.get(), L"Y2", Long(40000)), S_OK);
    EXPECT_EQ(Put(divider.get(), L"DrawMode", Long(13)), S_OK);
    VARIANT x1 = Get(divider.get(), L"X1"), y2 = Get(divider.get(), L"Y2"), mode = Get(divider.get(), L"DrawMode");
    EXPECT_EQ(x1.vt, VT_R4);
    EXPECT_EQ(x1.fltVal, 50.5f);
    EXPECT_EQ(y2.fltVal, 40000.0f);
    EXPECT_EQ(mode.vt, VT_I2);
    EXPECT_EQ(mode.iVal, 13);
    // An Integer cannot hold 40000, and the old value stays.
    EXPECT_EQ(Put(divider.get(), L"BorderWidth", Long(40000)), DISP_E_OVERFLOW);
    EXPECT_EQ(Get(divider.get(), L"BorderWidth").iVal, 0);
    // Refresh is there and does nothing.
    DISPPARAMS none = {};
    EXPECT_EQ(divider->Invoke(IdOf(divider.get(), L"Refresh"), IID_NULL, 0, DISPATCH_METHOD, &none, nullptr,
                              nullptr, nullptr),
              S_OK);
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Colour")};
    DISPID id = 0;
    EXPECT_EQ(divider->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  }
}

TEST_F(Sashkit, TheRegisteredTypeLibraryNamesEveryMemberInOrderWithItsHelp) {
  base::ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadRegTypeLib(identity::kSashkitTypeLib, 1, 0, 0, lib.put()), S_OK);
  // Each row: the member's name, its kind, its help.
  struct Member {
    const wchar_t* name;
    INVOKEKIND kind;
    const wchar_t* help;
  };
  const wchar_t* const x1 = L"Returns/sets the X coordinate of the starting point of a Line control.";
  const wchar_t* const x2 = L"Returns/sets the X coordinate of the ending point of a Line control.";
  const wchar_t* const y1 = L"Returns/sets the Y coordinate of the starting point of a Line control.";
  const wchar_t* const y2 = L"Returns/sets the Y coordinate of the ending point of a Line control.";
  const wchar_t* const mode = L"Sets the appearance of output from graphics methods or of a Shape or Line control.";
  const wchar_t* const border = L"Returns or sets the width of a control's border.";
  const std::vector<Member> members = {
      {L"Refresh", INVOKE_FUNC, L"Forces a complete repaint of a object."},
      {L"X1", INVOKE_PROPERTYGET, x1},
      {L"X1", INVOKE_PROPERTYPUT, x1},
      {L"X2", INVOKE_PROPERTYGET, x2},
      {L"X2", INVOKE_PROPERTYPUT, x2},
      {L"Y1", INVOKE_PROPERTYGET, y1},
      {L"Y1", INVOKE_PROPERTYPUT, y1},
      {L"Y2", INVOKE_PROPERTYGET, y2},
      {L"Y2", INVOKE_PROPERTYPUT, y2},
      {L"DrawMode", INVOKE_PROPERTYGET, mode},
      {L"DrawMode", INVOKE_PROPERTYPUT, mode},
      {L"BorderWidth", INVOKE_PROPERTYGET, border},
      {L"BorderWidth", INVOKE_PROPERTYPUT, border},
  };
  for (const IID* iid : {&IID__VertDivider, &IID__HorzDivider}) {
    base::ComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(*iid, info.put()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);  // a dual interface, seen as its dispatch side
    info->ReleaseTypeAttr(attr);
    // The dual interface's own side lists its members, IDispatch's left to IDispatch.
    HREFTYPE ref = 0;
    base::ComPtr<ITypeInfo> dual;
    ASSERT_EQ(info->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(info->GetRefTypeInfo(ref, dual.put()), S_OK);
    for (UINT i = 0; i < members.size(); ++i) {
      SCOPED_TRACE(i);
      FUNCDESC* desc = nullptr;
      ASSERT_EQ(dual->GetFuncDesc(i, &desc), S_OK);
      BSTR names[4] = {};
      UINT count = 0;
      EXPECT_EQ(dual->GetNames(desc->memid, names, 4, &count), S_OK);
      ASSERT_GE(count, 1u);
      const std::wstring name = names[0];
      for (BSTR b : names) SysFreeString(b);
      EXPECT_EQ(desc->invkind, members[i].kind);
      BSTR help = nullptr;
      EXPECT_EQ(dual->GetDocumentation(desc->memid, nullptr, &help, nullptr, nullptr), S_OK);
      EXPECT_EQ(std::wstring(help ? help : L""), members[i].help);
      SysFreeString(help);
      EXPECT_EQ(name, members[i].name);
      dual->ReleaseFuncDesc(desc);
    }
  }
  base::ComPtr<ITypeInfo> coclass;
  EXPECT_EQ(lib->GetTypeInfoOfGuid(identity::kVertDividerClsid, coclass.put()), S_OK);
  // A put's value parameter (New_X1 and so on) is named in the library's
  // source only: widl keeps no name for it, and GetNames reaches a
  // property's first accessor, the get, anyway.
}

// A property bag as a container keeps one: names to values.
class Bag final : public IPropertyBag {
 public:
  ~Bag() {
    for (auto& [name, v] : values) VariantClear(&v);
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPropertyBag)) return *ppv = nullptr, E_NOINTERFACE;
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override {
    auto it = values.find(name);
    if (it == values.end()) return E_INVALIDARG;
    return VariantCopy(v, &it->second);
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* v) override {
    VARIANT& slot = values[name];
    VariantClear(&slot);
    return VariantCopy(&slot, v);
  }
  void Set(const wchar_t* name, VARIANT v) { Write(name, &v); }
  std::map<std::wstring, VARIANT> values;
};

VARIANT Text(const wchar_t* text) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

TEST_F(Sashkit, PropertyBagsKeepCoordinatesAsSinglesAndMissingValuesAreZero) {
  base::ComPtr<IDispatch> saved = CreateByProgId(CORVANE_VERTDIVIDER_PROGID);
  ASSERT_TRUE(saved);
  Put(saved.get(), L"X1", Double(50.5));
  Put(saved.get(), L"Y1", Long(40000));
  Put(saved.get(), L"BorderWidth", Long(3));
  Bag bag;
  ASSERT_EQ(saved.query<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&bag, TRUE, FALSE), S_OK);
  EXPECT_EQ(bag.values[L"X1"].vt, VT_R4);
  EXPECT_EQ(bag.values[L"X1"].fltVal, 50.5f);
  EXPECT_EQ(bag.values[L"BorderWidth"].vt, VT_I2);

  // Coordinates as a container may have kept them: saved as Single, as a
  // whole number too big for an Integer, as text.
  Bag other;
  other.Set(L"X2", Long(40000));
  other.Set(L"Y2", Text(L"12.25"));
  other.Set(L"DrawMode", Long(7));
  struct Case {
    Bag* bag;
    float x1, x2, y1, y2;
    short mode, border;
  };
  Bag empty;
  for (const Case& c : {Case{&bag, 50.5f, 0, 40000, 0, 0, 3}, Case{&other, 0, 40000, 0, 12.25f, 7, 0},
                        Case{&empty, 0, 0, 0, 0, 0, 0}}) {
    base::ComPtr<IDispatch> loaded = CreateByProgId(CORVANE_HORZDIVIDER_PROGID);
    Put(loaded.get(), L"X1", Double(99));  // overwritten by every load
    ASSERT_EQ(loaded.query<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(c.bag, nullptr), S_OK);
    EXPECT_EQ(Get(loaded.get(), L"X1").fltVal, c.x1);
    EXPECT_EQ(Get(loaded.get(), L"X2").fltVal, c.x2);
    EXPECT_EQ(Get(loaded.get(), L"Y1").fltVal, c.y1);
    EXPECT_EQ(Get(loaded.get(), L"Y2").fltVal, c.y2);
    EXPECT_EQ(Get(loaded.get(), L"DrawMode").iVal, c.mode);
    EXPECT_EQ(Get(loaded.get(), L"BorderWidth").iVal, c.border);
  }

  // A value that fits no Integer fails the load and changes nothing.
  Bag bad;
  bad.Set(L"X1", Long(5));
  bad.Set(L"DrawMode", Long(40000));
  base::ComPtr<IDispatch> kept = CreateByProgId(CORVANE_VERTDIVIDER_PROGID);
  Put(kept.get(), L"X1", Double(1.5));
  EXPECT_EQ(kept.query<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bad, nullptr), DISP_E_OVERFLOW);
  EXPECT_EQ(Get(kept.get(), L"X1").fltVal, 1.5f);
}

TEST_F(Sashkit, StreamsKeepEveryValueAndAShortStreamChangesNothing) {
  base::ComPtr<IDispatch> saved = CreateByProgId(CORVANE_VERTDIVIDER_PROGID);
  Put(saved.get(), L"X1", Double(50.5));
  Put(saved.get(), L"Y2", Long(40000));
  Put(saved.get(), L"DrawMode", Long(13));
  auto persist = saved.query<IPersistStreamInit>(IID_IPersistStreamInit);
  ASSERT_TRUE(persist);
  EXPECT_EQ(persist->IsDirty(), S_OK);
  base::ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  ULARGE_INTEGER max = {};
  persist->GetSizeMax(&max);
  ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  STATSTG stat = {};
  stream->Stat(&stat, STATFLAG_NONAME);
  EXPECT_EQ(stat.cbSize.QuadPart, max.QuadPart);

  const LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  base::ComPtr<IDispatch> loaded = CreateByProgId(CORVANE_VERTDIVIDER_PROGID);
  ASSERT_EQ(loaded.query<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream.get()), S_OK);
  EXPECT_EQ(Get(loaded.get(), L"X1").fltVal, 50.5f);
  EXPECT_EQ(Get(loaded.get(), L"Y2").fltVal, 40000.0f);
  EXPECT_EQ(Get(loaded.get(), L"DrawMode").iVal, 13);

  // Cut short: the load fails and the values stay.
  ULARGE_INTEGER shorter = {};
  shorter.QuadPart = max.QuadPart - 1;
  stream->SetSize(shorter);
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  base::ComPtr<IDispatch> other = CreateByProgId(CORVANE_VERTDIVIDER_PROGID);
  Put(other.get(), L"X1", Double(2));
  EXPECT_TRUE(FAILED(other.query<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream.get())));
  EXPECT_EQ(Get(other.get(), L"X1").fltVal, 2.0f);
  // InitNew starts again from 0.
  other.query<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew();
  EXPECT_EQ(Get(other.get(), L"X1").fltVal, 0.0f);
}

// Records the property changes a control reports.
class Sink final : public IPropertyNotifySink {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPropertyNotifySink))
      return *ppv = nullptr, E_NOINTERFACE;
    *ppv = this;
    ++refs;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP OnChanged(DISPID id) override {
    changed.push_back(id);
    return S_OK;
  }
  STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }
  std::vector<DISPID> changed;
  ULONG refs = 0;
};

TEST_F(Sashkit, EveryPutIsReportedToTheContainersSinkUnderItsProperty) {
  base::ComPtr<IDispatch> divider = CreateByProgId(CORVANE_VERTDIVIDER_PROGID);
  auto container = divider.query<IConnectionPointContainer>(IID_IConnectionPointContainer);
  ASSERT_TRUE(container);
  base::ComPtr<IConnectionPoint> point, events, none;
  ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.put()), S_OK);
  EXPECT_EQ(container->FindConnectionPoint(DIID___VertDivider, events.put()), S_OK);
  EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, none.put()), CONNECT_E_NOCONNECTION);
  Sink sink;
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
  Put(divider.get(), L"X1", Double(50));
  Put(divider.get(), L"BorderWidth", Long(2));
  EXPECT_EQ(sink.changed, (std::vector<DISPID>{IdOf(divider.get(), L"X1"), IdOf(divider.get(), L"BorderWidth")}));
  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(sink.refs, 0u);
  Put(divider.get(), L"X2", Double(1));
  EXPECT_EQ(sink.changed.size(), 2u);
  // A sink of the wrong kind is refused.
  DWORD wrong = 0;
  EXPECT_EQ(events->Advise(&sink, &wrong), CONNECT_E_CANNOTCONNECT);
  // The class information names the class.
  base::ComPtr<ITypeInfo> info;
  ASSERT_EQ(divider.query<IProvideClassInfo>(IID_IProvideClassInfo)->GetClassInfo(info.put()), S_OK);
  TYPEATTR* attr = nullptr;
  info->GetTypeAttr(&attr);
  EXPECT_TRUE(IsEqualCLSID(attr->guid, identity::kVertDividerClsid));
  info->ReleaseTypeAttr(attr);
}

TEST(SashkitModule, TheLibraryUnloadsOnceItsLastObjectIsReleased) {
  base::UniqueHModule dll(LoadLibraryA(DllPath().c_str()));
  ASSERT_TRUE(dll);
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  using CanUnloadFn = HRESULT(WINAPI*)();
  auto getClassObject =
      reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll.get(), "DllGetClassObject")));
  auto canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(dll.get(), "DllCanUnloadNow")));
  ASSERT_TRUE(getClassObject && canUnload);
  EXPECT_EQ(canUnload(), S_OK);
  for (const CLSID* clsid : {&identity::kVertDividerClsid, &identity::kHorzDividerClsid}) {
    base::ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(*clsid, IID_IClassFactory, factory.put_void()), S_OK);
    base::ComPtr<IOleObject> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IOleObject, object.put_void()), S_OK);
    factory.reset();
    // A connection point holds its control alive.
    base::ComPtr<IConnectionPoint> point;
    object.query<IConnectionPointContainer>(IID_IConnectionPointContainer)
        ->FindConnectionPoint(IID_IPropertyNotifySink, point.put());
    object.reset();
    EXPECT_EQ(canUnload(), S_FALSE);
    point.reset();
    EXPECT_EQ(canUnload(), S_OK);
  }
  void* none = nullptr;
  EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
