#include "smartui/view_base.h"
#include "base/module.h"

#include "base/error.h"

#include <mutex>
#include <string>
#include <vector>


namespace sui {

namespace {

// The classes this module registered, for UnregisterViewClasses. Guarded:
// shell threads may make their first views at the same time.
std::mutex g_classesLock;
std::vector<const char*> g_classes;

void RegisterOnce(const char* name, WNDPROC proc) {
  std::lock_guard<std::mutex> lock(g_classesLock);
  for (const char* done : g_classes)
    if (done == name) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;  // module-local on purpose: no CS_GLOBALCLASS
  wc.lpfnWndProc = proc;
  wc.hInstance = ViewModule();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  if (RegisterClassExA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) g_classes.push_back(name);
}

}  // namespace

HINSTANCE ViewModule() noexcept { return base::ThisModule(); }

void UnregisterViewClasses() noexcept {
  std::lock_guard<std::mutex> lock(g_classesLock);
  for (const char* name : g_classes) UnregisterClassA(name, ViewModule());
  g_classes.clear();
}

// ---- ImageStore

std::string ImageStore::Folded(const std::string& key) {
  std::string out = key;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool ImageStore::contains(const std::string& key) const { return m_icons.count(Folded(key)) != 0; }

void ImageStore::add(const std::string& key, HICON icon) {
  if (key.empty() || !icon || contains(key)) return;
  base::UniqueHIcon copy(CopyIcon(icon));
  if (copy) m_icons.emplace(Folded(key), std::move(copy));
}

HICON ImageStore::find(const std::string& key) const noexcept {
  if (key.empty()) return nullptr;
  try {
    auto it = m_icons.find(Folded(key));
    return it == m_icons.end() ? nullptr : it->second.get();
  } catch (...) {
    return nullptr;
  }
}

// ---- ViewBase

ViewBase::ViewBase(Control& control, const char* windowClass) : m_control(control), m_class(windowClass) {}

// A derived view destroys its window in its own destructor, while it can
// still answer the messages; this one only makes sure none reaches it.
ViewBase::~ViewBase() {
  m_alive.reset();
  m_control.unobserve(this);
  if (m_hwnd) {
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
  }
}

HWND ViewBase::create(HWND parent, int id, int x, int y, int width, int height) {
  if (m_hwnd) return m_hwnd;
  RegisterOnce(m_class, WindowProc);
  DWORD style = windowStyle();
  if (m_control.visible()) style |= WS_VISIBLE;
  if (!m_control.enabled()) style |= WS_DISABLED;
  CreateWindowExA(windowExStyle(), m_class, "", style, x, y, width, height, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ViewModule(), this);
  return m_hwnd;
}

void ViewBase::destroy() noexcept {
  if (m_hwnd) DestroyWindow(m_hwnd);  // WM_NCDESTROY forgets the window
}

void ViewBase::invalidate() noexcept {
  if (m_hwnd && m_control.redraw()) InvalidateRect(m_hwnd, nullptr, TRUE);
}

HFONT ViewBase::font() const noexcept {
  return m_font ? m_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT ViewBase::boldFont() {
  if (!m_bold) {
    LOGFONTA lf = {};
    GetObjectA(font(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    m_bold.reset(CreateFontIndirectA(&lf));
  }
  return m_bold ? m_bold.get() : font();
}

void ViewBase::structureChanged(ItemList&) {
  modelChanged();
  invalidate();
}

void ViewBase::itemChanged(const ItemPtr&, ItemAspect) {
  modelChanged();
  invalidate();
}

void ViewBase::controlChanged(ControlAspect aspect) {
  if (m_hwnd && aspect == ControlAspect::Enabled) EnableWindow(m_hwnd, m_control.enabled());
  if (m_hwnd && aspect == ControlAspect::Visible) ShowWindow(m_hwnd, m_control.visible() ? SW_SHOWNA : SW_HIDE);
  if (m_hwnd && aspect == ControlAspect::BorderStyle) {
    // Forms set the border after loading: the frame is redrawn in the new style.
    LONG_PTR keep = GetWindowLongPtrA(m_hwnd, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    SetWindowLongPtrA(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>(windowStyle()) | keep);
    SetWindowLongPtrA(m_hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(windowExStyle()));
    SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  modelChanged();
  invalidate();  // redraw back on repaints everything once
}

LRESULT ViewBase::defaultHandling(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  switch (msg) {
    case WM_SETFONT:
      m_font = reinterpret_cast<HFONT>(wp);
      m_bold.reset();
      modelChanged();
      if (LOWORD(lp)) invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    default:
      return DefWindowProcA(m_hwnd, msg, wp, lp);
  }
}

LRESULT CALLBACK ViewBase::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<ViewBase*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->m_hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->m_control.observe(self);
  }
  auto* self = reinterpret_cast<ViewBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The model outlives its views: it stops telling this one.
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_control.unobserve(self);
    self->m_hwnd = nullptr;
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  try {
    return self->handle(msg, wp, lp);
  } catch (...) {
    // What a form's handler throws ends that message here: nothing crosses
    // the window procedure (inside Explorer that would end Explorer).
    OutputDebugStringA("SmartUI view: a handler failed\n");
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

// ---- drawing helpers

RECT DrawBorder(HDC dc, RECT rect, int borderStyle) {
  switch (borderStyle) {
    case 0: return rect;
    case 2: DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST); return rect;
    case 5: DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_ADJUST); return rect;
    default: break;  // 1, and any other value
  }
  FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
  InflateRect(&rect, -1, -1);
  return rect;
}

COLORREF OleColour(std::uint32_t colour) noexcept {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
  return static_cast<COLORREF>(colour & 0xFFFFFF);
}

base::UniqueHFont StyledFont(HFONT font, bool bold, bool underline) {
  LOGFONTA lf = {};
  GetObjectA(font, sizeof lf, &lf);
  if (bold) lf.lfWeight = FW_BOLD;
  if (underline) lf.lfUnderline = TRUE;
  return base::UniqueHFont(CreateFontIndirectA(&lf));
}

std::string WithoutMnemonic(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

// ---- HostView

namespace {

// The host class of each style, kept for as long as the module is loaded.
const char* HostClass(Style style) {
  static constexpr const char* kNames[] = {
      "SuiHostMenuBar", "SuiHostPopupMenu", "SuiHostToolbar", "SuiHostButtonBar",
      "SuiHostViewBar", "SuiHostPanel",     "SuiHostCaptionBar", "SuiHostGrid",
      "SuiHostList",    "SuiHostProgress",  "SuiHostLink",    "SuiHostHidden"};
  return kNames[static_cast<size_t>(style)];
}

}  // namespace

HostView::HostView(Control& control) : ViewBase(control, HostClass(control.style())) {}

void HostView::create(HWND parent, const RECT& rect, int id) {
  if (!ViewBase::create(parent, id, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top))
    base::RaiseError(base::kErrInvalidCall, HostClass(control().style()), "The view's window could not be made");
  SendMessageA(hwnd(), WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
}

LRESULT HostView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      struct End {
        HWND hwnd;
        PAINTSTRUCT* ps;
        ~End() { EndPaint(hwnd, ps); }
      } end{hwnd(), &ps};
      RECT client{};
      GetClientRect(hwnd(), &client);
      // Drawn off screen first, so that a repaint never flickers.
      base::UniqueHdc memory(CreateCompatibleDC(dc));
      base::UniqueHBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
      if (!memory || !bitmap) return 0;
      base::SelectObjectScope selectBitmap(memory.get(), bitmap.get());
      base::SelectObjectScope selectFont(memory.get(), font());
      FillRect(memory.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
      SetBkMode(memory.get(), TRANSPARENT);
      paint(memory.get(), client);
      BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    default:
      return defaultHandling(msg, wp, lp);
  }
}

void HostView::focus() {
  if (hwnd()) SetFocus(hwnd());
}

void HostView::move(const RECT& rect) {
  if (hwnd())
    SetWindowPos(hwnd(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace sui
