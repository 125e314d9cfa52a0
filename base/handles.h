// Move-only owners for Windows handles, one template with an alias per kind.
// A raw handle is a borrowed one.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <utility>

namespace base {

template <class Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() noexcept : m_h(Traits::Invalid()) {}
  explicit UniqueHandle(Type h) noexcept : m_h(h) {}
  UniqueHandle(UniqueHandle&& o) noexcept : m_h(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Type get() const noexcept { return m_h; }
  explicit operator bool() const noexcept { return m_h != Traits::Invalid(); }
  // For out-parameters: frees what is held and hands out the address.
  Type* put() noexcept {
    reset();
    return &m_h;
  }
  Type release() noexcept { return std::exchange(m_h, Traits::Invalid()); }
  void reset(Type h = Traits::Invalid()) noexcept {
    Type old = std::exchange(m_h, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Type m_h;
};

#define CORVANE_HANDLE_TRAITS(Name, T, invalid, close) \
  struct Name {                                         \
    using Type = T;                                     \
    static Type Invalid() noexcept { return invalid; }  \
    static void Close(Type h) noexcept { close; }       \
  }

CORVANE_HANDLE_TRAITS(HKeyTraits, HKEY, nullptr, RegCloseKey(h));
CORVANE_HANDLE_TRAITS(HMenuTraits, HMENU, nullptr, DestroyMenu(h));
CORVANE_HANDLE_TRAITS(HBitmapTraits, HBITMAP, nullptr, DeleteObject(h));
CORVANE_HANDLE_TRAITS(HFontTraits, HFONT, nullptr, DeleteObject(h));
CORVANE_HANDLE_TRAITS(HBrushTraits, HBRUSH, nullptr, DeleteObject(h));
CORVANE_HANDLE_TRAITS(HGdiObjTraits, HGDIOBJ, nullptr, DeleteObject(h));
CORVANE_HANDLE_TRAITS(HDcTraits, HDC, nullptr, DeleteDC(h));
CORVANE_HANDLE_TRAITS(HIconTraits, HICON, nullptr, DestroyIcon(h));
CORVANE_HANDLE_TRAITS(HandleTraits, HANDLE, nullptr, CloseHandle(h));
CORVANE_HANDLE_TRAITS(FileTraits, HANDLE, INVALID_HANDLE_VALUE, CloseHandle(h));
CORVANE_HANDLE_TRAITS(FindTraits, HANDLE, INVALID_HANDLE_VALUE, FindClose(h));
// A Winsock SOCKET, kept as its integer type so that this header need not
// come before windows.h the way winsock2.h must.
void CloseSocketHandle(UINT_PTR socket) noexcept;
CORVANE_HANDLE_TRAITS(SocketTraits, UINT_PTR, ~static_cast<UINT_PTR>(0), CloseSocketHandle(h));
CORVANE_HANDLE_TRAITS(PidlTraits, LPITEMIDLIST, nullptr, CoTaskMemFree(h));
CORVANE_HANDLE_TRAITS(HModuleTraits, HMODULE, nullptr, FreeLibrary(h));
CORVANE_HANDLE_TRAITS(HWndTraits, HWND, nullptr, DestroyWindow(h));
CORVANE_HANDLE_TRAITS(HGlobalTraits, HGLOBAL, nullptr, GlobalFree(h));
CORVANE_HANDLE_TRAITS(HImageListTraits, HIMAGELIST, nullptr, ImageList_Destroy(h));
#undef CORVANE_HANDLE_TRAITS

using UniqueHKey = UniqueHandle<HKeyTraits>;
using UniqueHMenu = UniqueHandle<HMenuTraits>;
using UniqueHBitmap = UniqueHandle<HBitmapTraits>;
using UniqueHFont = UniqueHandle<HFontTraits>;
using UniqueHBrush = UniqueHandle<HBrushTraits>;
using UniqueGdiObject = UniqueHandle<HGdiObjTraits>;
using UniqueHdc = UniqueHandle<HDcTraits>;
using UniqueHIcon = UniqueHandle<HIconTraits>;
using UniqueHandleObj = UniqueHandle<HandleTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueSocket = UniqueHandle<SocketTraits>;
using UniquePidl = UniqueHandle<PidlTraits>;
using UniqueHModule = UniqueHandle<HModuleTraits>;
using UniqueHWnd = UniqueHandle<HWndTraits>;
using UniqueHGlobal = UniqueHandle<HGlobalTraits>;
using UniqueHImageList = UniqueHandle<HImageListTraits>;

// A window DC borrowed with GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
  ~WindowDc() {
    if (m_dc) ReleaseDC(m_hwnd, m_dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return m_dc; }
  explicit operator bool() const noexcept { return m_dc != nullptr; }

 private:
  HWND m_hwnd;
  HDC m_dc;
};

// The paint of a WM_PAINT: BeginPaint on the way in, EndPaint however the
// painting leaves.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_ps)) {}
  ~PaintDc() { EndPaint(m_hwnd, &m_ps); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const noexcept { return m_dc; }
  const PAINTSTRUCT& paint() const noexcept { return m_ps; }
  explicit operator bool() const noexcept { return m_dc != nullptr; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_ps{};
  HDC m_dc;
};

// A storage medium handed out by IDataObject::GetData: released with
// ReleaseStgMedium (which also tells its owner through pUnkForRelease).
class StgMedium {
 public:
  StgMedium() noexcept = default;
  ~StgMedium() { reset(); }
  StgMedium(StgMedium&& o) noexcept : m_medium(o.m_medium) { o.m_medium = STGMEDIUM{}; }
  StgMedium& operator=(StgMedium&& o) noexcept {
    if (this != &o) {
      reset();
      m_medium = o.m_medium;
      o.m_medium = STGMEDIUM{};
    }
    return *this;
  }
  StgMedium(const StgMedium&) = delete;
  StgMedium& operator=(const StgMedium&) = delete;

  const STGMEDIUM& get() const noexcept { return m_medium; }
  // For GetData's out-parameter: releases what is held and hands out the
  // empty medium.
  STGMEDIUM* put() noexcept {
    reset();
    return &m_medium;
  }
  void reset() noexcept {
    if (m_medium.tymed != TYMED_NULL) ReleaseStgMedium(&m_medium);
    m_medium = STGMEDIUM{};
  }

 private:
  STGMEDIUM m_medium{};
};

// Selects an object into a DC and puts the previous one back.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) noexcept : m_dc(dc), m_old(SelectObject(dc, obj)) {}
  ~SelectObjectScope() {
    if (m_old && m_old != HGDI_ERROR) SelectObject(m_dc, m_old);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

// CoInitializeEx / CoUninitialize, when the first succeeded.
class ComInit {
 public:
  explicit ComInit(DWORD model = COINIT_APARTMENTTHREADED) noexcept
      : m_hr(CoInitializeEx(nullptr, model)) {}
  ~ComInit() {
    if (SUCCEEDED(m_hr)) CoUninitialize();
  }
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;
  HRESULT Result() const noexcept { return m_hr; }

 private:
  HRESULT m_hr;
};

// A COM interface pointer of our own, in the shape of the handle owners.
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(T* p) noexcept : m_p(p) {  // takes a new reference
    if (m_p) m_p->AddRef();
  }
  ComPtr(const ComPtr& o) noexcept : ComPtr(o.m_p) {}
  ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
  ComPtr& operator=(ComPtr o) noexcept {
    std::swap(m_p, o.m_p);
    return *this;
  }
  ~ComPtr() { reset(); }

  static ComPtr Attach(T* p) noexcept {  // adopts an existing reference
    ComPtr r;
    r.m_p = p;
    return r;
  }

  T* get() const noexcept { return m_p; }
  T* operator->() const noexcept { return m_p; }
  explicit operator bool() const noexcept { return m_p != nullptr; }
  T** put() noexcept {
    reset();
    return &m_p;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
  T* release() noexcept { return std::exchange(m_p, nullptr); }
  void reset() noexcept {
    if (T* p = std::exchange(m_p, nullptr)) p->Release();
  }

  template <class U>
  ComPtr<U> query(REFIID iid) const noexcept {
    ComPtr<U> r;
    if (m_p) m_p->QueryInterface(iid, r.put_void());
    return r;
  }

 private:
  T* m_p = nullptr;
};

}  // namespace base
