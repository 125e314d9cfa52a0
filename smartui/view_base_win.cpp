#include "smartui/view_base.h"

#include <array>
#include <mutex>

#include "base/error.h"
#include "base/text.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace sui {

namespace {

constexpr const char* kStyleNames[] = {"MenuBar",    "PopupMenu", "Toolbar", "ButtonBar",
                                       "ViewBar",    "Panel",     "CaptionBar", "Grid",
                                       "List",       "Progress",  "Link",    "Hidden"};
constexpr size_t kStyles = sizeof kStyleNames / sizeof kStyleNames[0];

std::array<std::once_flag, kStyles>& Registrations() {
  static std::array<std::once_flag, kStyles> flags;
  return flags;
}

}  // namespace

HINSTANCE ViewModule() noexcept { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string HostClassName(Style style) {
  return std::string("SuiHost") + kStyleNames[static_cast<size_t>(style)];
}

void UnregisterHostClasses() noexcept {
  for (size_t i = 0; i < kStyles; ++i)
    UnregisterClassA((std::string("SuiHost") + kStyleNames[i]).c_str(), ViewModule());
}

// --- ImageStore ----------------------------------------------------------------

void ImageStore::add(const std::string& key, HICON icon) {
  if (key.empty() || !icon || contains(key)) return;
  base::UniqueHIcon copy(CopyIcon(icon));
  if (copy) m_icons.emplace_back(key, std::move(copy));
}

HICON ImageStore::get(const std::string& key) const noexcept {
  if (key.empty()) return nullptr;
  for (const auto& [k, icon] : m_icons)
    if (sameKey(k, key)) return icon.get();
  return nullptr;
}

// --- drawing helpers -------------------------------------------------------------

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

// --- HostView --------------------------------------------------------------------

HostView::HostView(Control& control) : m_control(&control) { control.observe(this); }

HostView::~HostView() {
  *m_alive = false;
  detach();
  if (m_hwnd) {
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);  // nothing more reaches this object
    DestroyWindow(m_hwnd);
  }
}

void HostView::create(HWND parent, const RECT& rect, int id, DWORD style, DWORD exStyle) {
  const size_t index = static_cast<size_t>(m_control->style());
  const std::string name = HostClassName(m_control->style());
  // Once per module, never global: Designer and the shell extension each
  // register their own in a process they may share.
  std::call_once(Registrations()[index], [&] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &HostView::WindowProc;
    wc.hInstance = ViewModule();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    RegisterClassExA(&wc);
  });
  DWORD visible = m_control->visible() ? WS_VISIBLE : 0;
  DWORD disabled = m_control->enabled() ? 0 : WS_DISABLED;
  HWND hwnd = CreateWindowExA(exStyle, name.c_str(), "",
                              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | visible | disabled | style,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ViewModule(), this);
  if (!hwnd) base::RaiseError(base::kErrInvalidCall, name, "The view's window could not be made");
  m_font = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0));
}

LRESULT CALLBACK HostView::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<HostView*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->m_hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<HostView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_DESTROY) self->detach();  // the model outlives the view
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_hwnd = nullptr;
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  try {
    return self->handle(msg, wp, lp);
  } catch (...) {
    // A handler's failure ends that message; nothing crosses the window
    // procedure (inside Explorer it would end Explorer).
    return msg == WM_PAINT ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
  }
}

void HostView::detach() noexcept {
  if (!m_control) return;
  m_control->unobserve(this);
  m_control = nullptr;
}

LRESULT HostView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(m_hwnd, &ps);
      struct End {
        HWND hwnd;
        PAINTSTRUCT* ps;
        ~End() { EndPaint(hwnd, ps); }
      } end{m_hwnd, &ps};
      RECT client{};
      GetClientRect(m_hwnd, &client);
      // Drawn off screen first, so that a repaint never flickers.
      base::UniqueHdc memory(CreateCompatibleDC(dc));
      base::UniqueHBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
      if (!memory || !bitmap) return 0;
      base::SelectObjectScope selectBitmap(memory.get(), bitmap.get());
      base::SelectObjectScope selectFont(memory.get(), font());
      FillRect(memory.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
      SetBkMode(memory.get(), TRANSPARENT);
      if (m_control) paint(memory.get(), client);
      BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_SETFONT:
      m_font = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(m_hwnd, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    default:
      break;
  }
  return DefWindowProcA(m_hwnd, msg, wp, lp);
}

void HostView::focus() {
  if (m_hwnd) SetFocus(m_hwnd);
}

void HostView::move(const RECT& rect) {
  if (m_hwnd)
    SetWindowPos(m_hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void HostView::invalidate() {
  if (m_hwnd && m_control && m_control->redraw()) InvalidateRect(m_hwnd, nullptr, FALSE);
}

HFONT HostView::font() const noexcept {
  return m_font ? m_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT HostView::boldFont() {
  HFONT base = font();
  if (!m_bold || m_boldOf != base) {
    m_bold = StyledFont(base, true, false);
    m_boldOf = base;
  }
  return m_bold ? m_bold.get() : base;
}

void HostView::structureChanged(ItemList&) { invalidate(); }
void HostView::itemChanged(const ItemPtr&, ItemAspect) { invalidate(); }

void HostView::controlChanged(ControlAspect aspect) {
  if (!m_hwnd || !m_control) return;
  switch (aspect) {
    case ControlAspect::Enabled: EnableWindow(m_hwnd, m_control->enabled()); break;
    case ControlAspect::Visible: ShowWindow(m_hwnd, m_control->visible() ? SW_SHOWNA : SW_HIDE); break;
    default: break;
  }
  invalidate();  // a redraw that comes back on repaints everything once
}

}  // namespace sui
