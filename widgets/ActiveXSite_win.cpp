#include "base/module.h"
#include "widgets/ActiveXSite.h"

#include <ocidl.h>

#include "base/winstr.h"
#include "widgets/form.h"

namespace widgets {

namespace {

const char kHostClass[] = "AtlAxWin";
const char kLineClass[] = "CorvaneEtchedLine";
constexpr long kLineThickness = 30;  // twips, as the divider control keeps it

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// atl.dll is loaded once, when a site first needs it, and stays: its host
// windows need its code for as long as any of them lives.
struct Atl {
  AtlAxGetControlFn getControl = nullptr;
  bool ready = false;
};

const Atl& LoadAtl() {
  static const Atl atl = [] {
    Atl a;
    HMODULE dll = LoadLibraryA("atl.dll");
    if (!dll) return a;
    auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(GetProcAddress(dll, "AtlAxWinInit")));
    a.getControl =
        reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(GetProcAddress(dll, "AtlAxGetControl")));
    a.ready = init && a.getControl && init();
    return a;
  }();
  return atl;
}

// The line drawn where the control cannot be: the etched pair along the
// top of a lying site, down the left of an upright one.
LRESULT CALLBACK LineWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_ETCHED, r.right - r.left >= r.bottom - r.top ? BF_TOP : BF_LEFT);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}


long TwipsToHimetric(long twips) { return MulDiv(twips, 2540, 1440); }
long HimetricToTwips(long himetric) { return MulDiv(himetric, 1440, 2540); }

}  // namespace

void ActiveXSite::Create(HWND parent, const std::string& progId, long left, long top, long width, long height) {
  Destroy();
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  // Only a registered ProgID goes to the host: it would take any other text
  // for a web address or a page to show.
  CLSID clsid;
  const Atl& atl = LoadAtl();
  if (atl.ready && SUCCEEDED(CLSIDFromProgID(base::Wide(progId).c_str(), &clsid))) {
    m_hwnd = CreateWindowExA(0, kHostClass, progId.c_str(), style, TwipsToPixelsX(left), TwipsToPixelsY(top),
                             TwipsToPixelsX(width), TwipsToPixelsY(height), parent, nullptr, base::ThisModule(), nullptr);
    if (m_hwnd && (FAILED(atl.getControl(m_hwnd, m_control.put())) || !m_control)) {
      // The class is known but its object could not be made or shown.
      m_control.reset();
      DestroyWindow(m_hwnd);
      m_hwnd = nullptr;
    }
  }
  if (!m_hwnd) {
    EnsureWindowClass(kLineClass, LineWindowProc, nullptr);
    m_hwnd = CreateWindowExA(0, kLineClass, "", style, 0, 0, 0, 0, parent, nullptr, base::ThisModule(), nullptr);
  }
  Place(left, top, width, height);
}

void ActiveXSite::Move(long left, long top, long width, long height) {
  if (m_hwnd) Place(left, top, width, height);
}

void ActiveXSite::Place(long left, long top, long width, long height) {
  m_width = width;
  m_height = height;
  auto move = [&] {
    SetWindowPos(m_hwnd, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(m_width),
                 TwipsToPixelsY(m_height), SWP_NOZORDER | SWP_NOACTIVATE);
  };
  if (auto object = m_control.query<IOleObject>(IID_IOleObject)) {
    // Observed (Wine 8.0): the host tells the control every new window size,
    // in pixels (2000 twips come as 1995). So the window is sized first, then the size in
    // twips is told; the control answers with the size it keeps (a divider
    // keeps its thickness), the window takes that, and the control hears
    // the kept size in twips once more, last.
    move();
    SIZEL size = {TwipsToHimetric(width), TwipsToHimetric(height)};
    object->SetExtent(DVASPECT_CONTENT, &size);
    if (SUCCEEDED(object->GetExtent(DVASPECT_CONTENT, &size))) {
      m_width = HimetricToTwips(size.cx);
      m_height = HimetricToTwips(size.cy);
    }
    move();
    object->SetExtent(DVASPECT_CONTENT, &size);
    return;
  }
  if (width >= height)
    m_height = kLineThickness;
  else
    m_width = kLineThickness;
  move();
}

void ActiveXSite::Destroy() noexcept {
  // The host releases the control when its window goes; our reference goes
  // first so that the control's last one is the host's.
  m_control.reset();
  if (m_hwnd) DestroyWindow(m_hwnd);
  m_hwnd = nullptr;
}

}  // namespace widgets
