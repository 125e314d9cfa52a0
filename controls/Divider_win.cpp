#include "base/module.h"
#include "controls/Divider.h"

#include "base/handles.h"  // first: it orders the Windows headers

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>

#include "base/com.h"
#include "base/scope.h"
#include "controls/ConnectionPoint.h"
#include "resources/identity.h"
#include "sashkit_h.h"
#include "widgets/form.h"

namespace controls {

namespace {

constexpr long kThickness = 30;  // twips across the line, whatever the container asks
constexpr long kShortfall = 100; // the shadow line stops this far before the end
constexpr long kSecondRow = 15;  // where the highlight runs, beside the shadow
const char kWindowClass[] = "SashkitDivider";

// What containers learn before they make the object (also registered).
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                              OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

// The stored values in their persisted order: their names in a property
// bag and their dispatch identifiers in the type library.
enum Value { kX1, kX2, kY1, kY2, kDrawMode, kBorderWidth, kValueCount };
const OLECHAR* const kBagNames[kValueCount] = {L"X1", L"X2", L"Y1", L"Y2", L"DrawMode", L"BorderWidth"};
constexpr DISPID DispidOf(Value v) { return static_cast<DISPID>(v) + 1; }
constexpr bool IsSingle(int v) { return v <= kY2; }

struct StoredValues {
  float singles[4] = {0, 0, 0, 0};  // X1, X2, Y1, Y2
  short integers[2] = {0, 0};       // DrawMode, BorderWidth
};

// A stream holds a mark and the six values, little-endian.
constexpr std::uint32_t kStreamMark = 0x31444b53;  // "SKD1"
constexpr ULONG kStreamSize = 4 + 4 * 4 + 2 * 2;

long HimetricToTwips(long himetric) { return MulDiv(himetric, 1440, 2540); }
long TwipsToHimetric(long twips) { return MulDiv(twips, 2540, 1440); }

// The part of a divider that its window paints.
class Painter {
 public:
  virtual void Paint(HDC dc, const RECT& bounds) = 0;
  virtual void WindowGone() noexcept = 0;

 protected:
  ~Painter() = default;
};

LRESULT CALLBACK DividerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  try {
    if (msg == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* painter = reinterpret_cast<Painter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // the paint fills every pixel
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        auto end = base::MakeScopeExit([&] { EndPaint(hwnd, &ps); });
        RECT client;
        GetClientRect(hwnd, &client);
        if (painter) painter->Paint(dc, client);
        return 0;
      }
      case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (painter) painter->WindowGone();
        break;
      default:
        break;
    }
  } catch (...) {
    // A paint that fails leaves the line undrawn; the dialog goes on.
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}


HRESULT LoadOwnTypeInfo(const GUID& guid, ITypeInfo** out) {
  wchar_t path[MAX_PATH * 2] = {};
  if (!GetModuleFileNameW(base::ThisModule(), path, MAX_PATH * 2)) return HRESULT_FROM_WIN32(GetLastError());
  base::ComPtr<ITypeLib> lib;
  HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, lib.put());
  if (FAILED(hr)) return hr;
  return lib->GetTypeInfoOfGuid(guid, out);
}

struct VertTraits {
  using Interface = _VertDivider;
  static constexpr bool kLying = true;
  static const IID& Iid() { return IID__VertDivider; }
  static const IID& EventIid() { return DIID___VertDivider; }
  static const CLSID& Clsid() { return identity::kVertDividerClsid; }
};

struct HorzTraits {
  using Interface = _HorzDivider;
  static constexpr bool kLying = false;
  static const IID& Iid() { return IID__HorzDivider; }
  static const IID& EventIid() { return DIID___HorzDivider; }
  static const CLSID& Clsid() { return identity::kHorzDividerClsid; }
};

template <class Traits>
class Divider final : public base::ComObject<Divider<Traits>, typename Traits::Interface, IOleObject,
                                             IOleInPlaceObject, IOleInPlaceActiveObject, IViewObject2,
                                             IPersistPropertyBag, IPersistStreamInit, IConnectionPointContainer,
                                             IProvideClassInfo>,
                      private Painter {
  using Interface = typename Traits::Interface;

 public:
  Divider() {
    // The design sizes; a container sets its own at once.
    if (Traits::kLying)
      m_width = 3000;
    else
      m_height = kSecondRow + 1800;
    ArrangeLines();
  }
  ~Divider() override {
    if (m_hwnd) DestroyWindow(m_hwnd);
  }

  static const base::QiEntry* Interfaces() noexcept {
    using base::InterfaceOffset;
    static const base::QiEntry table[] = {
        {&Traits::Iid(), InterfaceOffset<Divider, Interface>()},
        {&IID_IDispatch, InterfaceOffset<Divider, Interface>()},
        {&IID_IOleObject, InterfaceOffset<Divider, IOleObject>()},
        {&IID_IOleWindow, InterfaceOffset<Divider, IOleInPlaceObject>()},
        {&IID_IOleInPlaceObject, InterfaceOffset<Divider, IOleInPlaceObject>()},
        {&IID_IOleInPlaceActiveObject, InterfaceOffset<Divider, IOleInPlaceActiveObject>()},
        {&IID_IViewObject, InterfaceOffset<Divider, IViewObject2>()},
        {&IID_IViewObject2, InterfaceOffset<Divider, IViewObject2>()},
        {&IID_IPersist, InterfaceOffset<Divider, IPersistStreamInit>()},
        {&IID_IPersistStreamInit, InterfaceOffset<Divider, IPersistStreamInit>()},
        {&IID_IPersistPropertyBag, InterfaceOffset<Divider, IPersistPropertyBag>()},
        {&IID_IConnectionPointContainer, InterfaceOffset<Divider, IConnectionPointContainer>()},
        {&IID_IProvideClassInfo, InterfaceOffset<Divider, IProvideClassInfo>()},
        {nullptr, 0},
    };
    return table;
  }

  // --- IDispatch, through the type library -----------------------------------

  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    HRESULT hr = EnsureTypeInfo();
    if (SUCCEEDED(hr)) *info = base::ComPtr<ITypeInfo>(m_typeInfo).release();
    return hr;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept override {
    HRESULT hr = EnsureTypeInfo();
    return FAILED(hr) ? hr : DispGetIDsOfNames(m_typeInfo.get(), names, count, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) noexcept override {
    HRESULT hr = EnsureTypeInfo();
    return FAILED(hr) ? hr
                      : DispInvoke(static_cast<Interface*>(this), m_typeInfo.get(), id, flags, params, result, excep,
                                   argErr);
  }

  // --- the default interface --------------------------------------------------

  // The lines draw themselves whenever their size changes; nothing to force.
  STDMETHODIMP Refresh() noexcept override { return S_OK; }
  STDMETHODIMP get_X1(float* v) noexcept override { return GetSingle(kX1, v); }
  STDMETHODIMP put_X1(float v) noexcept override { return PutSingle(kX1, v); }
  STDMETHODIMP get_X2(float* v) noexcept override { return GetSingle(kX2, v); }
  STDMETHODIMP put_X2(float v) noexcept override { return PutSingle(kX2, v); }
  STDMETHODIMP get_Y1(float* v) noexcept override { return GetSingle(kY1, v); }
  STDMETHODIMP put_Y1(float v) noexcept override { return PutSingle(kY1, v); }
  STDMETHODIMP get_Y2(float* v) noexcept override { return GetSingle(kY2, v); }
  STDMETHODIMP put_Y2(float v) noexcept override { return PutSingle(kY2, v); }
  STDMETHODIMP get_DrawMode(short* v) noexcept override { return GetInteger(kDrawMode, v); }
  STDMETHODIMP put_DrawMode(short v) noexcept override { return PutInteger(kDrawMode, v); }
  STDMETHODIMP get_BorderWidth(short* v) noexcept override { return GetInteger(kBorderWidth, v); }
  STDMETHODIMP put_BorderWidth(short v) noexcept override { return PutInteger(kBorderWidth, v); }

  // --- IOleObject --------------------------------------------------------------

  STDMETHODIMP SetClientSite(IOleClientSite* site) noexcept override {
    m_clientSite = site;
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** site) noexcept override {
    if (!site) return E_POINTER;
    *site = base::ComPtr<IOleClientSite>(m_clientSite).release();
    return S_OK;
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) noexcept override { return S_OK; }
  STDMETHODIMP Close(DWORD) noexcept override { return InPlaceDeactivate(); }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** mk) noexcept override {
    if (mk) *mk = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject** data) noexcept override {
    if (data) *data = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) noexcept override {
    return base::ComBoundary([&] {
      switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
          return InPlaceActivate(site ? site : m_clientSite.get(), parent, rect);
        case OLEIVERB_HIDE:
          return InPlaceDeactivate();
        case OLEIVERB_OPEN:
        case OLEIVERB_PROPERTIES:
          return E_NOTIMPL;
        default:
          return OLEOBJ_S_INVALIDVERB;
      }
    });
  }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) noexcept override { return OleRegEnumVerbs(Traits::Clsid(), verbs); }
  STDMETHODIMP Update() noexcept override { return S_OK; }
  STDMETHODIMP IsUpToDate() noexcept override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) noexcept override { return GetClassID(clsid); }
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) noexcept override {
    return OleRegGetUserType(Traits::Clsid(), form, type);
  }
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) noexcept override {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    m_width = HimetricToTwips(size->cx);
    m_height = HimetricToTwips(size->cy);
    ArrangeLines();
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, TRUE);
    return S_OK;
  }
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) noexcept override {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    size->cx = TwipsToHimetric(m_width);
    size->cy = TwipsToHimetric(m_height);
    return S_OK;
  }
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) noexcept override {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!m_oleAdvise) {
      HRESULT hr = CreateOleAdviseHolder(m_oleAdvise.put());
      if (FAILED(hr)) return hr;
    }
    return m_oleAdvise->Advise(sink, cookie);
  }
  STDMETHODIMP Unadvise(DWORD cookie) noexcept override {
    return m_oleAdvise ? m_oleAdvise->Unadvise(cookie) : OLE_E_NOCONNECTION;
  }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** e) noexcept override {
    if (!e) return E_POINTER;
    *e = nullptr;
    return m_oleAdvise ? m_oleAdvise->EnumAdvise(e) : S_OK;
  }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) noexcept override {
    if (!status) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) noexcept override { return E_NOTIMPL; }

  // --- IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject ----------------

  STDMETHODIMP GetWindow(HWND* hwnd) noexcept override {
    if (!hwnd) return E_POINTER;
    *hwnd = m_hwnd;
    return m_hwnd ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() noexcept override {
    if (!m_hwnd) return S_OK;
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    if (auto site = std::move(m_inPlaceSite)) site->OnInPlaceDeactivate();
    return S_OK;
  }
  STDMETHODIMP UIDeactivate() noexcept override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT) noexcept override {
    if (!pos) return E_POINTER;
    return base::ComBoundary([&] {
      Resize(*pos);
      return S_OK;
    });
  }
  STDMETHODIMP ReactivateAndUndo() noexcept override { return INPLACE_E_NOTUNDOABLE; }
  STDMETHODIMP TranslateAccelerator(LPMSG) noexcept override { return S_FALSE; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) noexcept override { return S_OK; }

  // --- IViewObject2 ------------------------------------------------------------

  STDMETHODIMP Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                    BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) noexcept override {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    return base::ComBoundary([&] {
      Paint(dc, RECT{bounds->left, bounds->top, bounds->right, bounds->bottom});
      return S_OK;
    });
  }
  STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** set) noexcept override {
    if (!set) return E_POINTER;
    *set = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD* freeze) noexcept override {
    if (freeze) *freeze = 0;
    return E_NOTIMPL;
  }
  STDMETHODIMP Unfreeze(DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept override {
    m_viewSink = sink;
    m_viewAspects = aspects;
    m_viewFlags = flags;
    return S_OK;
  }
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept override {
    if (aspects) *aspects = m_viewAspects;
    if (flags) *flags = m_viewFlags;
    if (sink) *sink = base::ComPtr<IAdviseSink>(m_viewSink).release();
    return S_OK;
  }
  STDMETHODIMP GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) noexcept override {
    return GetExtent(aspect, size);
  }

  // --- IPersist, IPersistStreamInit, IPersistPropertyBag ----------------------

  STDMETHODIMP GetClassID(CLSID* clsid) noexcept override {
    if (!clsid) return E_POINTER;
    *clsid = Traits::Clsid();
    return S_OK;
  }
  STDMETHODIMP InitNew() noexcept override {
    m_values = StoredValues();
    m_dirty = false;
    return S_OK;
  }
  STDMETHODIMP IsDirty() noexcept override { return m_dirty ? S_OK : S_FALSE; }
  STDMETHODIMP Load(IStream* stream) noexcept override {
    if (!stream) return E_POINTER;
    unsigned char bytes[kStreamSize];
    ULONG read = 0;
    HRESULT hr = stream->Read(bytes, kStreamSize, &read);
    if (FAILED(hr)) return hr;
    if (read != kStreamSize) return STG_E_READFAULT;
    std::uint32_t mark;
    std::memcpy(&mark, bytes, 4);
    if (mark != kStreamMark) return STG_E_INVALIDHEADER;
    std::memcpy(m_values.singles, bytes + 4, sizeof m_values.singles);
    std::memcpy(m_values.integers, bytes + 20, sizeof m_values.integers);
    m_dirty = false;
    return S_OK;
  }
  STDMETHODIMP Save(IStream* stream, BOOL clearDirty) noexcept override {
    if (!stream) return E_POINTER;
    unsigned char bytes[kStreamSize];
    std::memcpy(bytes, &kStreamMark, 4);
    std::memcpy(bytes + 4, m_values.singles, sizeof m_values.singles);
    std::memcpy(bytes + 20, m_values.integers, sizeof m_values.integers);
    ULONG written = 0;
    HRESULT hr = stream->Write(bytes, kStreamSize, &written);
    if (FAILED(hr)) return hr;
    if (written != kStreamSize) return STG_E_WRITEFAULT;
    if (clearDirty) m_dirty = false;
    return S_OK;
  }
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) noexcept override {
    if (!size) return E_POINTER;
    size->QuadPart = kStreamSize;
    return S_OK;
  }
  // Each value is read as whatever the bag holds and converted to its own
  // type: a coordinate saved as 50.5 reads 50.5, one saved as 40000 loads. A
  // value the bag lacks is 0; one that does not convert fails the load and
  // changes nothing.
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) noexcept override {
    if (!bag) return E_POINTER;
    StoredValues loaded;
    for (int i = 0; i < kValueCount; ++i) {
      VARIANT v;
      VariantInit(&v);
      auto clear = base::MakeScopeExit([&] { VariantClear(&v); });
      if (FAILED(bag->Read(kBagNames[i], &v, log))) continue;
      HRESULT hr = VariantChangeTypeEx(&v, &v, LOCALE_INVARIANT, 0, IsSingle(i) ? VT_R4 : VT_I2);
      if (FAILED(hr)) return hr;
      if (IsSingle(i))
        loaded.singles[i] = v.fltVal;
      else
        loaded.integers[i - kDrawMode] = v.iVal;
    }
    m_values = loaded;
    m_dirty = false;
    return S_OK;
  }
  // Every value is written, defaults too, so that a bag used before keeps
  // no value of an earlier save.
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL) noexcept override {
    if (!bag) return E_POINTER;
    for (int i = 0; i < kValueCount; ++i) {
      VARIANT v;
      VariantInit(&v);
      if (IsSingle(i)) {
        v.vt = VT_R4;
        v.fltVal = m_values.singles[i];
      } else {
        v.vt = VT_I2;
        v.iVal = m_values.integers[i - kDrawMode];
      }
      HRESULT hr = bag->Write(kBagNames[i], &v);
      if (FAILED(hr)) return hr;
    }
    if (clearDirty) m_dirty = false;
    return S_OK;
  }

  // --- IConnectionPointContainer, IProvideClassInfo ---------------------------

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) noexcept override {
    if (e) *e = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) noexcept override {
    if (!point) return E_POINTER;
    *point = nullptr;
    for (ConnectionPoint* p : {&m_propertyNotify, &m_events}) {
      if (IsEqualIID(riid, p->Iid())) {
        *point = p;
        p->AddRef();
        return S_OK;
      }
    }
    return CONNECT_E_NOCONNECTION;
  }
  STDMETHODIMP GetClassInfo(ITypeInfo** info) noexcept override {
    if (!info) return E_POINTER;
    *info = nullptr;
    return LoadOwnTypeInfo(Traits::Clsid(), info);
  }

 private:
  HRESULT EnsureTypeInfo() noexcept {
    if (m_typeInfo) return S_OK;
    return LoadOwnTypeInfo(Traits::Iid(), m_typeInfo.put());
  }

  HRESULT GetSingle(Value which, float* v) const noexcept {
    if (!v) return E_POINTER;
    *v = m_values.singles[which];
    return S_OK;
  }
  HRESULT GetInteger(Value which, short* v) const noexcept {
    if (!v) return E_POINTER;
    *v = m_values.integers[which - kDrawMode];
    return S_OK;
  }
  HRESULT PutSingle(Value which, float v) noexcept {
    m_values.singles[which] = v;
    return Changed(which);
  }
  HRESULT PutInteger(Value which, short v) noexcept {
    m_values.integers[which - kDrawMode] = v;
    return Changed(which);
  }
  // Tells the container that a stored value changed, as it asks to be told.
  HRESULT Changed(Value which) noexcept {
    m_dirty = true;
    return base::ComBoundary([&] {
      m_propertyNotify.ForEach<IPropertyNotifySink>([&](IPropertyNotifySink* s) { s->OnChanged(DispidOf(which)); });
      return S_OK;
    });
  }

  // The far end of each line follows the length; the thickness is fixed.
  void ArrangeLines() noexcept {
    long& length = Traits::kLying ? m_width : m_height;
    m_shadowEnd = length - kShortfall;
    m_highlightEnd = length;
    (Traits::kLying ? m_height : m_width) = kThickness;
  }

  // A new place and size from the container, in pixels. The size is kept in
  // twips; a pixel size that the twips already give leaves them as they are,
  // so that 2000 twips stay 2000 and do not become 1995.
  void Resize(const RECT& pos) {
    const long widthPx = pos.right - pos.left, heightPx = pos.bottom - pos.top;
    if (widgets::TwipsToPixelsX(m_width) != widthPx) m_width = widgets::PixelsToTwipsX(widthPx);
    if (widgets::TwipsToPixelsY(m_height) != heightPx) m_height = widgets::PixelsToTwipsY(heightPx);
    ArrangeLines();
    RECT fitted = {pos.left, pos.top, pos.left + widgets::TwipsToPixelsX(m_width),
                   pos.top + widgets::TwipsToPixelsY(m_height)};
    if (m_hwnd) {
      MoveWindow(m_hwnd, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top, TRUE);
      InvalidateRect(m_hwnd, nullptr, TRUE);
    }
    // The container may answer the new rectangle by resizing again; that
    // resize lands here and is not told back.
    if (!EqualRect(&fitted, &pos) && m_inPlaceSite && !m_resizing) {
      m_resizing = true;
      auto done = base::MakeScopeExit([&] { m_resizing = false; });
      m_inPlaceSite->OnPosRectChange(&fitted);
    }
    if (m_viewSink) m_viewSink->OnViewChange(DVASPECT_CONTENT, -1);
  }

  HRESULT InPlaceActivate(IOleClientSite* site, HWND parentHint, LPCRECT rectHint) {
    if (m_hwnd) return S_OK;
    if (!site) return E_UNEXPECTED;
    base::ComPtr<IOleInPlaceSite> inPlace;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlace.put_void())) || !inPlace) return E_NOINTERFACE;
    if (inPlace->CanInPlaceActivate() != S_OK) return E_FAIL;
    HRESULT hr = inPlace->OnInPlaceActivate();
    if (FAILED(hr)) return hr;
    HWND parent = nullptr;
    if (FAILED(inPlace->GetWindow(&parent)) || !parent) parent = parentHint;
    base::ComPtr<IOleInPlaceFrame> frame;
    base::ComPtr<IOleInPlaceUIWindow> document;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO frameInfo = {};
    frameInfo.cb = sizeof frameInfo;
    if (FAILED(inPlace->GetWindowContext(frame.put(), document.put(), &pos, &clip, &frameInfo)) && rectHint)
      pos = *rectHint;
    widgets::EnsureWindowClass(kWindowClass, DividerWindowProc, nullptr);
    m_hwnd = CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pos.left, pos.top,
                             pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, base::ThisModule(),
                             static_cast<Painter*>(this));
    if (!m_hwnd) {
      inPlace->OnInPlaceDeactivate();
      return E_FAIL;
    }
    m_inPlaceSite = inPlace;
    Resize(pos);
    return S_OK;
  }

  // The shadow line on the first row (column), the highlight on the next,
  // so that both show; the ends scale from twips to the bounds given.
  void Paint(HDC dc, const RECT& bounds) override {
    FillRect(dc, &bounds, GetSysColorBrush(COLOR_BTNFACE));
    const long widthPx = bounds.right - bounds.left, heightPx = bounds.bottom - bounds.top;
    auto scale = [](long twips, long extentTwips, long pixels) {
      return extentTwips > 0 ? MulDiv(twips, pixels, extentTwips) : 0;
    };
    base::UniqueGdiObject shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    base::UniqueGdiObject highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    auto line = [&](HGDIOBJ pen, int x0, int y0, int x1, int y1) {
      base::SelectObjectScope select(dc, pen);
      MoveToEx(dc, x0, y0, nullptr);
      LineTo(dc, x1, y1);
    };
    if (Traits::kLying) {
      const int second = bounds.top + scale(kSecondRow, m_height, heightPx);
      line(shadow.get(), bounds.left, bounds.top, bounds.left + scale(m_shadowEnd, m_width, widthPx), bounds.top);
      line(highlight.get(), bounds.left, second, bounds.left + scale(m_highlightEnd, m_width, widthPx), second);
    } else {
      const int second = bounds.left + scale(kSecondRow, m_width, widthPx);
      const int start = bounds.top + scale(kSecondRow, m_height, heightPx);
      line(shadow.get(), bounds.left, start, bounds.left, bounds.top + scale(m_shadowEnd, m_height, heightPx));
      line(highlight.get(), second, start, second, bounds.top + scale(m_highlightEnd, m_height, heightPx));
    }
  }
  void WindowGone() noexcept override { m_hwnd = nullptr; }

  StoredValues m_values;
  bool m_dirty = false;
  long m_width = kThickness, m_height = kThickness;  // twips
  long m_shadowEnd = 0, m_highlightEnd = 0;           // twips along the line
  bool m_resizing = false;
  HWND m_hwnd = nullptr;  // while in-place active
  base::ComPtr<IOleClientSite> m_clientSite;
  base::ComPtr<IOleInPlaceSite> m_inPlaceSite;
  base::ComPtr<IOleAdviseHolder> m_oleAdvise;
  base::ComPtr<IAdviseSink> m_viewSink;
  DWORD m_viewAspects = 0, m_viewFlags = 0;
  base::ComPtr<ITypeInfo> m_typeInfo;
  ConnectionPoint m_propertyNotify{*this, IID_IPropertyNotifySink};
  ConnectionPoint m_events{*this, Traits::EventIid()};
};

}  // namespace

HRESULT CreateVertDivider(REFIID riid, void** ppv) noexcept {
  return base::CreateComInstance<Divider<VertTraits>>(riid, ppv);
}

HRESULT CreateHorzDivider(REFIID riid, void** ppv) noexcept {
  return base::CreateComInstance<Divider<HorzTraits>>(riid, ppv);
}

void UnregisterDividerWindowClass() noexcept { UnregisterClassA(kWindowClass, base::ThisModule()); }

}  // namespace controls
