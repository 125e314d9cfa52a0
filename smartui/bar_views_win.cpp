#include "smartui/bar_views.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstdlib>

namespace sui {

namespace {

constexpr int kBigIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kGap = 4;

int TextHeight(HDC dc, HFONT font) {
  base::SelectObjectScope select(dc, font);
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight;
}

int TextHeightOf(HWND hwnd, HFONT font) {
  base::WindowDc dc(hwnd);
  return dc ? TextHeight(dc.get(), font) : 13;
}

void DrawItemText(HDC dc, const std::string& text, RECT r, UINT format, COLORREF colour) {
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}

int Brightness(COLORREF c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000; }

// The colour of a link's text: the system's hot-tracking colour, unless it
// hardly stands out from the button face the view paints on; then the
// selection colour, or else the button text. Observed (Wine 8.0): its
// default colours make the hot-tracking colour light grey, and a link drawn
// in it could not be read.
COLORREF LinkColour() {
  const int face = Brightness(GetSysColor(COLOR_BTNFACE));
  for (int index : {COLOR_HOTLIGHT, COLOR_HIGHLIGHT}) {
    const COLORREF colour = GetSysColor(index);
    if (std::abs(Brightness(colour) - face) >= 96) return colour;
  }
  return GetSysColor(COLOR_BTNTEXT);
}

}  // namespace

// --- ViewBarView ------------------------------------------------------------------

ViewBarView::ViewBarView(Control& control, HWND parent, const RECT& rect, int id) : HostView(control) {
  create(parent, rect, id);
}

std::vector<ItemPtr> ViewBarView::cells() const {
  std::vector<ItemPtr> out;
    for (const ItemPtr& item : control().items())
    if (item->visible() && item->kind() == kKindViewBarEntry) out.push_back(item);
  return out;
}

int ViewBarView::cellHeight() const {
  return kGap + kBigIcon + kGap + TextHeightOf(hwnd(), font()) + kGap * 2;
}

RECT ViewBarView::cellOf(const ItemPtr& item) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  client = [&] {
    // The border takes its edge off every side.
    RECT inner = client;
    if (control().borderStyle() != 0) InflateRect(&inner, -2, -2);
    return inner;
  }();
  const int height = cellHeight();
  int top = client.top + kGap;
  for (const ItemPtr& cell : cells()) {
    if (cell == item) return RECT{client.left + kGap, top, client.right - kGap, top + height};
    top += height + kGap;
  }
  return RECT{};
}

ItemPtr ViewBarView::hit(POINT p) const {
  for (const ItemPtr& cell : cells()) {
    RECT r = cellOf(cell);
    if (PtInRect(&r, p)) return cell;
  }
  return nullptr;
}

void ViewBarView::click(const ItemPtr& item) {
  if (!item) return;
  m_focus = item;
  control().userClick(item);  // makes it current and reports it once
}

void ViewBarView::paint(HDC dc, const RECT& client) {
  DrawBorder(dc, client, control().borderStyle());
  const ItemPtr current = control().current();
  const ItemPtr hot = m_hot.lock();
  const int textHeight = TextHeight(dc, font());
  for (const ItemPtr& cell : cells()) {
    RECT r = cellOf(cell);
    if (cell == current)
      DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    else if (cell == hot && cell->enabled())
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    if (HICON icon = images().find(cell->image()))
      DrawIconEx(dc, (r.left + r.right - kBigIcon) / 2, r.top + kGap, icon, kBigIcon, kBigIcon, 0, nullptr,
                 DI_NORMAL);
    RECT text{r.left + 2, r.top + kGap * 2 + kBigIcon, r.right - 2, r.top + kGap * 2 + kBigIcon + textHeight};
    base::SelectObjectScope select(dc, cell->bold() ? boldFont() : font());
    const COLORREF colour = cell->enabled() && control().enabled() ? OleColour(cell->foreColor())
                                                                   : GetSysColor(COLOR_GRAYTEXT);
    DrawItemText(dc, WithoutMnemonic(cell->caption()), text, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                 colour);
    if (cell == m_focus.lock() && GetFocus() == hwnd()) {
      RECT f = r;
      InflateRect(&f, -3, -3);
      DrawFocusRect(dc, &f);
    }
  }
}

LRESULT ViewBarView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd());
      click(hit(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}));
      return 0;
    }
    case WM_MOUSEMOVE: {
      ItemPtr now = hit(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      if (now != m_hot.lock()) {
        m_hot = now;
        invalidate();
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd(), 0};
        TrackMouseEvent(&track);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      m_hot.reset();
      invalidate();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (!m_focus.lock()) m_focus = control().current();
      invalidate();
      return 0;
    case WM_KEYDOWN: {
      std::vector<ItemPtr> all = cells();
      if (all.empty()) return 0;
      ItemPtr at = m_focus.lock();
      auto it = std::find(all.begin(), all.end(), at);
      if (wp == VK_UP || wp == VK_DOWN) {
        if (it == all.end()) it = all.begin();
        else if (wp == VK_UP && it != all.begin()) --it;
        else if (wp == VK_DOWN && it + 1 != all.end()) ++it;
        m_focus = *it;
        invalidate();
      } else if (wp == VK_SPACE && it != all.end()) {
        click(*it);
      }
      return 0;
    }
    default:
      break;
  }
  return HostView::handle(msg, wp, lp);
}

// --- PanelView --------------------------------------------------------------------

PanelView::PanelView(Control& control, HWND parent, const RECT& rect, int id) : HostView(control) {
  create(parent, rect, id);
}

void PanelView::paint(HDC dc, const RECT& client) {
  if (control().style() == Style::CaptionBar) {
    RECT inner = DrawBorder(dc, client, control().borderStyle());
    inner.left += kGap;
    base::SelectObjectScope select(dc, boldFont());
    DrawItemText(dc, control().caption(), inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                 GetSysColor(control().enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    return;
  }
  RECT inner = DrawBorder(dc, client, control().borderStyle());
  int left = inner.left;
  for (const ItemPtr& pane : control().items()) {
    if (!pane->visible() || left >= inner.right) continue;
    const int width = pane->width() > 0 ? static_cast<int>(pane->width()) : inner.right - left;
    RECT r{left + kGap, inner.top, std::min<LONG>(left + width, inner.right) - kGap, inner.bottom};
    base::SelectObjectScope select(dc, pane->bold() ? boldFont() : font());
    DrawItemText(dc, pane->caption(), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                 GetSysColor(pane->enabled() && control().enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    left += width;
  }
}

LRESULT PanelView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN) {
    control().userClickControl();
    return 0;
  }
  return HostView::handle(msg, wp, lp);
}

// --- ProgressView -----------------------------------------------------------------

ProgressView::ProgressView(Control& control, HWND parent, const RECT& rect, int id) : HostView(control) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&init);
  create(parent, rect, id);
  // Disabled, so that a click on the bar reaches the panel (the Stop).
  m_bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 10, 10, hwnd(),
                          nullptr, ViewModule(), nullptr);
  SendMessageA(m_bar, PBM_SETRANGE32, 0, 100);
  SendMessageA(m_bar, PBM_SETSTEP, 5, 0);
  layout();
}

int ProgressView::lineHeight() const { return std::max(TextHeightOf(hwnd(), font()), kSmallIcon) + kGap; }

void ProgressView::layout() {
  if (!m_bar) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int line = lineHeight();
  const int top = kGap + line * 2 + kGap;
  MoveWindow(m_bar, kGap * 2, top, std::max<int>(client.right - kGap * 4, 10), std::max(line - kGap, 8), TRUE);
}

void ProgressView::paint(HDC dc, const RECT& client) {
  RECT inner = DrawBorder(dc, client, control().borderStyle());
  const int line = lineHeight();
  RECT caption{inner.left + kGap * 2, inner.top + kGap, inner.right - kGap * 2, inner.top + kGap + line};
  {
    base::SelectObjectScope select(dc, boldFont());
    DrawItemText(dc, control().caption(), caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                 GetSysColor(COLOR_BTNTEXT));
  }
  if (control().items().count() == 0) return;
  const ItemPtr item = control().items().at(1);
  RECT r{caption.left, caption.bottom, caption.right, caption.bottom + line};
  if (HICON icon = images().find(item->image())) {
    DrawIconEx(dc, r.left, r.top + (line - kSmallIcon) / 2, icon, kSmallIcon, kSmallIcon, 0, nullptr, DI_NORMAL);
    r.left += kSmallIcon + kGap;
  }
  DrawItemText(dc, item->caption(), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS,
               GetSysColor(COLOR_BTNTEXT));
}

void ProgressView::itemChanged(const ItemPtr& item, ItemAspect aspect) {
  if (m_bar && aspect == ItemAspect::Caption && control().items().count() > 0 &&
      control().items().at(1) == item) {
    if (SendMessageA(m_bar, PBM_GETPOS, 0, 0) >= 100) SendMessageA(m_bar, PBM_SETPOS, 0, 0);
    SendMessageA(m_bar, PBM_STEPIT, 0, 0);
  }
  HostView::itemChanged(item, aspect);
}

LRESULT ProgressView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      control().userClickControl();
      return 0;
    case WM_SIZE:
      layout();
      break;
    default:
      break;
  }
  return HostView::handle(msg, wp, lp);
}

// --- LinkView ---------------------------------------------------------------------

LinkView::LinkView(Control& control, HWND parent, const RECT& rect, int id) : HostView(control) {
  open = [](HWND owner, const std::string& target) {
    // A failure shows nothing: the link simply does not open.
    ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  };
  create(parent, rect, id);
}

HFONT LinkView::underlined() {
  HFONT base = font();
  if (!m_underlined || m_underlinedOf != base) {
    m_underlined = StyledFont(base, false, true);
    m_underlinedOf = base;
  }
  return m_underlined ? m_underlined.get() : base;
}

void LinkView::paint(HDC dc, const RECT& client) {
  RECT inner = DrawBorder(dc, client, control().borderStyle());
  if (control().items().count() == 0) return;
  const ItemPtr item = control().items().at(1);
  base::SelectObjectScope select(dc, underlined());
  RECT text = inner;
  InflateRect(&text, -2, -1);
  DrawItemText(dc, item->caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
               control().enabled() ? LinkColour() : GetSysColor(COLOR_GRAYTEXT));
  if (GetFocus() == hwnd()) {
    RECT measured = text;
    DrawTextA(dc, item->caption().c_str(), -1, &measured, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    measured.top = inner.top + 1;
    measured.bottom = inner.bottom - 1;
    InflateRect(&measured, 1, 0);
    DrawFocusRect(dc, &measured);
  }
}

void LinkView::activate() {
  if (control().items().count() == 0) return;
  ItemPtr item = control().items().at(1);
  if (!item->visible() || !item->enabled() || !control().enabled()) return;
  const std::string target = linkTarget(*item);
  HWND owner = GetAncestor(hwnd(), GA_ROOT);
  // The handler may take the form and this view with it: what opens the
  // target is copied first.
  auto opener = open;
  control().userClick(item);
  if (opener && !target.empty()) opener(owner, target);
}

LRESULT LinkView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd());
      activate();
      return 0;
    case WM_GETDLGCODE:
      if (lp && (reinterpret_cast<const MSG*>(lp)->wParam == VK_RETURN)) return DLGC_WANTMESSAGE;
      return DLGC_WANTCHARS;
    case WM_KEYDOWN:
      if (wp == VK_RETURN || wp == VK_SPACE) activate();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      invalidate();
      return 0;
    default:
      break;
  }
  return HostView::handle(msg, wp, lp);
}

}  // namespace sui
