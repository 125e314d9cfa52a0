#include "smartui/grid_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/scope.h"

namespace sui {

namespace {

constexpr UINT kSyncMessage = WM_APP + 0x51;    // the editor and hosted windows follow the model
constexpr UINT kCommitMessage = WM_APP + 0x52;  // the focus left the editor
constexpr int kIndentPixels = 12;
constexpr int kGlyphSize = 13;
constexpr int kImageSize = 16;
constexpr int kButtonWidth = 18;
constexpr int kSplitterSlack = 3;
constexpr int kSplitterMargin = 24;
constexpr int kDropHeight = 160;

std::string Folded(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(hwnd, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

void DrawCellText(HDC dc, const std::string& text, RECT rc, UINT extra = 0) {
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | extra);
}

bool Inside(HWND outer, HWND window) { return window && (window == outer || IsChild(outer, window)); }

}  // namespace

GridView::GridView(Control& control)
    : ViewBase(control, control.style() == Style::List ? kListClass : kGridClass) {}

GridView::~GridView() {
  m_editor = m_button = m_comboEdit = nullptr;  // no commit while the window goes
  destroy();
}

bool GridView::listMode() const noexcept { return control().style() == Style::List; }

// Border styles: 0 none, 2 a sunken edge, 5 a raised one, anything else a line.
DWORD GridView::windowStyle() const {
  DWORD style = ViewBase::windowStyle() | WS_TABSTOP | WS_VSCROLL;
  int border = control().borderStyle();
  if (border != 0 && border != 2 && border != 5) style |= WS_BORDER;
  if (border == 5) style |= WS_DLGFRAME;
  return style;
}

DWORD GridView::windowExStyle() const {
  return WS_EX_CONTROLPARENT | (control().borderStyle() == 2 ? WS_EX_STATICEDGE : 0);
}

// ---- layout

int GridView::rowHeight() {
  HDC dc = GetDC(hwnd());
  TEXTMETRICA tm = {};
  {
    base::SelectObjectScope select(dc, font());
    GetTextMetricsA(dc, &tm);
  }
  ReleaseDC(hwnd(), dc);
  return std::max<int>(tm.tmHeight + 6, kImageSize + 2);
}

int GridView::captionHeight() { return control().caption().empty() ? 0 : rowHeight(); }

void GridView::layout() {
  if (!m_dirty) return;
  m_dirty = false;
  m_rows = visibleRows(control());
  m_first = std::clamp(m_first, 0, std::max(0, static_cast<int>(m_rows.size()) - 1));
  updateScrollBar();
  placeHostedWindows();
}

void GridView::updateScrollBar() {
  if (!hwnd()) return;
  RECT client;
  GetClientRect(hwnd(), &client);
  int rh = rowHeight();
  int room = std::max(1, static_cast<int>((client.bottom - captionHeight()) / rh));
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  int units = 0;
  for (const auto& row : m_rows) units += row.units;
  si.nMax = std::max(0, static_cast<int>(m_rows.size()) - 1);
  si.nPage = units <= room ? static_cast<UINT>(m_rows.size()) : static_cast<UINT>(std::min<int>(room, m_rows.size()));
  si.nPos = m_first;
  if (units <= room) m_first = si.nPos = 0;
  SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
}

int GridView::rowTop(int row) {
  int rh = rowHeight();
  int y = captionHeight();
  if (row < m_first) {
    for (int i = row; i < m_first; ++i) y -= m_rows[static_cast<size_t>(i)].units * rh;
    return y;
  }
  for (int i = m_first; i < row; ++i) y += m_rows[static_cast<size_t>(i)].units * rh;
  return y;
}

int GridView::rowAt(int y) {
  layout();
  int rh = rowHeight();
  int top = captionHeight();
  if (y < top) return -1;
  for (int i = m_first; i < static_cast<int>(m_rows.size()); ++i) {
    int bottom = top + m_rows[static_cast<size_t>(i)].units * rh;
    if (y < bottom) return i;
    top = bottom;
  }
  return -1;
}

ItemPtr GridView::itemAt(int row) const {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return nullptr;
  ItemPtr item = m_rows[static_cast<size_t>(row)].item.lock();
  // A row left over from before a handler rebuilt the list is no row.
  if (!item || item->control() != &control()) return nullptr;
  return item;
}

ItemPtr GridView::current() {
  if (ItemPtr row = m_editRow.lock(); row && m_editor) return row;
  ItemPtr top = control().current();
  if (top) return top;
  // A nested row keeps its selection in its own list.
  layout();
  for (size_t i = 0; i < m_rows.size(); ++i)
    if (ItemPtr item = itemAt(static_cast<int>(i)); item && item->selected()) return item;
  return nullptr;
}

RECT GridView::rowRect(const ItemPtr& item) {
  RECT rc = {};
  layout();
  int row = rowOf(m_rows, item.get());
  if (row < m_first || !hwnd()) return rc;
  RECT client;
  GetClientRect(hwnd(), &client);
  rc.left = 0;
  rc.right = client.right;
  rc.top = rowTop(row);
  rc.bottom = rc.top + m_rows[static_cast<size_t>(row)].units * rowHeight();
  if (rc.top >= client.bottom) rc = RECT{};
  return rc;
}

RECT GridView::valueRect(int row) {
  RECT rc = rowRect(itemAt(row));
  rc.left = m_split + 1;
  rc.bottom -= 1;  // the row's grid line stays visible
  return rc;
}

void GridView::scrollTo(int row) {
  if (row < 0 || !hwnd()) return;
  RECT client;
  GetClientRect(hwnd(), &client);
  int first = m_first;
  if (row < m_first) m_first = row;
  int rh = rowHeight();
  while (m_first < row && rowTop(row) + m_rows[static_cast<size_t>(row)].units * rh > client.bottom) ++m_first;
  if (first != m_first) {
    updateScrollBar();
    placeHostedWindows();
    syncEditor();
    InvalidateRect(hwnd(), nullptr, TRUE);
  }
}

void GridView::placeHostedWindows() {
  if (!hwnd() || m_hosted.empty()) return;
  RECT client;
  GetClientRect(hwnd(), &client);
  bool shown = control().visible() && IsWindowVisible(hwnd());
  std::map<HWND, RECT> places;
  for (int i = m_first; shown && i < static_cast<int>(m_rows.size()); ++i) {
    ItemPtr item = itemAt(i);
    if (!item || editorFor(item->kind()) != RowEditor::Hosted) continue;
    auto it = m_hosted.find(Folded(item->value().ToString()));
    if (it == m_hosted.end()) continue;
    RECT rc = valueRect(i);
    if (rc.bottom > client.bottom || rc.top < captionHeight()) continue;  // only when wholly in view
    places[it->second] = rc;
  }
  for (const auto& [name, window] : m_hosted) {
    auto place = places.find(window);
    if (place == places.end()) {
      ShowWindow(window, SW_HIDE);
      continue;
    }
    RECT rc = place->second;
    MapWindowPoints(hwnd(), GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    SetWindowPos(window, HWND_TOP, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
}

void GridView::host(const std::string& name, HWND window) {
  if (!window) return;
  m_hosted[Folded(name)] = window;
  m_dirty = true;
  layout();
  placeHostedWindows();
}

// ---- model notifications

void GridView::modelChanged() {
  m_dirty = true;
  if (hwnd() && !m_syncPosted) m_syncPosted = PostMessageA(hwnd(), kSyncMessage, 0, 0) != FALSE;
}

void GridView::itemChanged(const ItemPtr& item, ItemAspect aspect) {
  // The open editor takes a program's new value at once and raises nothing;
  // while the user types, the model already holds the editor's text.
  if (aspect == ItemAspect::Value && m_editor && item == m_editRow.lock() &&
      editorText() != item->value().ToString()) {
    m_settingText = true;
    auto done = base::MakeScopeExit([this] { m_settingText = false; });
    if (editorFor(item->kind()) == RowEditor::DropList) {
      fillCombo();
    } else {
      SetWindowTextA(m_editor, item->value().ToString().c_str());
    }
    m_openText = item->value().ToString();  // a value the program gave is not undone by Esc
  }
  ViewBase::itemChanged(item, aspect);
}

void GridView::syncEditor() {
  m_syncPosted = false;
  layout();
  if (m_editor) {
    ItemPtr row = m_editRow.lock();
    bool attached = row && row->control() == &control();
    if (!attached || !row->visible() || !row->enabled() || !control().enabled() ||
        !row->selected() || rowOf(m_rows, row.get()) < 0) {
      // A removed row's editor closes without a commit.
      closeEditor(attached);
      return;
    }
    int r = rowOf(m_rows, row.get());
    RECT v = valueRect(r);
    if (IsRectEmpty(&v)) {
      closeEditor(true);
      return;
    }
    int buttonWidth = m_button ? kButtonWidth : 0;
    RECT now;
    GetWindowRect(m_editor, &now);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&now), 2);
    // Moving an open drop-down closes its list: only a real move does it.
    if (now.left != v.left || now.top != v.top || now.right != v.right - buttonWidth)
      SetWindowPos(m_editor, nullptr, v.left, v.top, v.right - v.left - buttonWidth,
                   m_isCombo ? kDropHeight : v.bottom - v.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_button)
      SetWindowPos(m_button, nullptr, v.right - kButtonWidth, v.top, kButtonWidth, v.bottom - v.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (ItemPtr now = control().current())
    if (int r = rowOf(m_rows, now.get()); r >= 0) scrollTo(r);
}

// ---- painting

void GridView::paint(HDC dc) {
  layout();
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  base::SelectObjectScope select(dc, font());
  SetBkMode(dc, TRANSPARENT);
  if (int ch = captionHeight()) {
    RECT strip = {0, 0, client.right, ch};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    base::SelectObjectScope bold(dc, boldFont());
    SetTextColor(dc, GetSysColor(control().enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    strip.left += 4;
    DrawCellText(dc, control().caption(), strip);
  }
  ItemPtr now = current();
  int rh = rowHeight();
  int top = captionHeight();
  for (int i = m_first; i < static_cast<int>(m_rows.size()) && top < client.bottom; ++i) {
    const GridRow& row = m_rows[static_cast<size_t>(i)];
    RECT rc = {0, top, client.right, top + row.units * rh};
    top = rc.bottom;
    if (ItemPtr item = itemAt(i)) paintRow(dc, row, *item, rc, item == now || (listMode() && item->selected()));
  }
}

void GridView::paintRow(HDC dc, const GridRow& row, const Item& item, RECT rc, bool isCurrent) {
  const int kind = item.kind();
  const bool grey = !item.enabled() || !control().enabled();
  const int x0 = (row.depth + std::max(0, static_cast<int>(item.indent()))) * kIndentPixels + 2;
  HBRUSH line = GetSysColorBrush(COLOR_BTNFACE);
  auto textColour = [&](bool highlighted) {
    SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  };
  auto drawImage = [&](int& x) {
    if (HICON icon = images().find(item.image())) {
      DrawIconEx(dc, x, rc.top + (rc.bottom - rc.top - kImageSize) / 2, icon, kImageSize, kImageSize, 0,
                 nullptr, DI_NORMAL);
      x += kImageSize + 3;
    }
  };
  base::SelectObjectScope face(dc, item.bold() ? boldFont() : font());

  if (listMode()) {
    if (isCurrent) FillRect(dc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
    int x = x0;
    drawImage(x);
    textColour(isCurrent);
    DrawCellText(dc, item.caption(), RECT{x, rc.top, rc.right - 2, rc.bottom});
    return;
  }
  RECT bottom = {rc.left, rc.bottom - 1, rc.right, rc.bottom};
  if (isBandKind(kind)) {
    FillRect(dc, &rc, line);
    SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawCellText(dc, item.caption(), RECT{x0, rc.top, rc.right - 2, rc.bottom});
    return;
  }
  FillRect(dc, &bottom, line);
  if (isGlyphKind(kind)) {
    RECT glyph = {x0, rc.top + (rc.bottom - rc.top - kGlyphSize) / 2, 0, 0};
    glyph.right = glyph.left + kGlyphSize;
    glyph.bottom = glyph.top + kGlyphSize;
    UINT state = (kind == kKindCheckBox ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | (item.checked() ? DFCS_CHECKED : 0) |
                 (grey ? DFCS_INACTIVE : 0);
    DrawFrameControl(dc, &glyph, DFC_BUTTON, state);
    RECT text = {glyph.right + 4, rc.top, rc.right - 2, rc.bottom - 1};
    if (isCurrent) {
      SIZE size = {};
      GetTextExtentPoint32A(dc, item.caption().c_str(), static_cast<int>(item.caption().size()), &size);
      RECT mark = {text.left - 2, text.top, std::min<LONG>(text.right, text.left + size.cx + 2), text.bottom};
      FillRect(dc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    textColour(isCurrent);
    DrawCellText(dc, item.caption(), text);
    return;
  }
  const std::string value = item.value().ToString();
  const bool wide = kind == kKindEntry && value.empty();  // a caption across the row
  RECT cap = {rc.left, rc.top, wide ? rc.right : m_split, rc.bottom - 1};
  if (isCurrent) FillRect(dc, &cap, GetSysColorBrush(COLOR_HIGHLIGHT));
  int x = x0;
  drawImage(x);
  textColour(isCurrent);
  DrawCellText(dc, item.caption(), RECT{x, cap.top, cap.right - 2, cap.bottom});
  if (wide) return;
  RECT split = {m_split, rc.top, m_split + 1, rc.bottom};
  FillRect(dc, &split, line);
  RowEditor editor = editorFor(kind);
  if (editor == RowEditor::Hosted) return;  // the form's own window lies there
  RECT cell = {m_split + 4, rc.top, rc.right - 2, rc.bottom - 1};
  const bool open = m_editor && m_editRow.lock().get() == &item;
  if (isCurrent && !open && !grey && (editor == RowEditor::TextButton || editor == RowEditor::DropList ||
                                      editor == RowEditor::DropEdit)) {
    RECT knob = {rc.right - kButtonWidth, rc.top, rc.right, rc.bottom - 1};
    if (editor == RowEditor::TextButton) {
      DrawFrameControl(dc, &knob, DFC_BUTTON, DFCS_BUTTONPUSH);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawCellText(dc, "...", knob, DT_CENTER);
    } else {
      DrawFrameControl(dc, &knob, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    }
    cell.right = knob.left - 2;
  }
  textColour(false);
  DrawCellText(dc, value, cell);
}

// ---- the user

void GridView::clickRow(const ItemPtr& item, bool openAfter) {
  auto alive = lifetime();
  control().userClick(item);
  if (alive.expired()) return;
  m_dirty = true;
  layout();
  scrollTo(rowOf(m_rows, item.get()));
  if (openAfter && !listMode() && GetFocus() == hwnd() && item->control() == &control() && item->selected())
    openEditor();
}

void GridView::moveCurrent(int step) {
  layout();
  ItemPtr from = listMode() ? nullptr : current();
  if (listMode())
    for (const auto& entry : control().items())
      if (entry->selected()) from = entry;
  int start = from ? rowOf(m_rows, from.get()) : -1;
  auto alive = lifetime();
  closeEditor(true);
  if (alive.expired()) return;
  layout();
  int next = stepRow(m_rows, start, step);
  if (ItemPtr item = itemAt(next)) clickRow(item, true);
}

void GridView::onMouseDown(int x, int y, bool) {
  auto alive = lifetime();
  layout();
  if (!listMode() && std::abs(x - m_split) <= kSplitterSlack && rowAt(y) >= 0) {
    m_dragging = true;
    SetCapture(hwnd());
    return;
  }
  ItemPtr item = itemAt(rowAt(y));
  if (item && item == m_editRow.lock() && m_editor) return;
  closeEditor(true);  // what was typed is committed before the click on another row
  if (alive.expired()) return;
  if (GetFocus() != hwnd()) {
    m_dirty = true;
    SetFocus(hwnd());
    if (alive.expired()) return;
  }
  if (!item || item->control() != &control()) return;
  if (listMode()) {
    control().userClick(item);
    return;
  }
  const int kind = item->kind();
  if (isGlyphKind(kind)) {
    control().userClick(item);
    if (!alive.expired()) control().userToggle(item);
    return;
  }
  RECT rc = rowRect(item);
  bool onKnob = x >= rc.right - kButtonWidth && x >= m_split;
  bool wasCurrent = item == current();
  clickRow(item, true);
  if (alive.expired() || !wasCurrent || !onKnob || item->control() != &control()) return;
  // The drawn knob of a row that was current already: the button, or the list.
  if (editorFor(kind) == RowEditor::TextButton && m_button) {
    SendMessageA(m_button, BM_CLICK, 0, 0);
  } else if (m_editor && (editorFor(kind) == RowEditor::DropList || editorFor(kind) == RowEditor::DropEdit)) {
    SendMessageA(m_editor, CB_SHOWDROPDOWN, TRUE, 0);
  }
}

void GridView::onKey(UINT vk, bool alt) {
  auto alive = lifetime();
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
      if (alt && vk == VK_DOWN) {
        openEditor(true);
        return;
      }
      moveCurrent(vk == VK_UP ? -1 : 1);
      return;
    case VK_F4:
      openEditor(true);
      return;
    case VK_SPACE:
      if (ItemPtr item = current(); item && isGlyphKind(item->kind())) control().userToggle(item);
      return;
    case VK_RETURN:
      openEditor();
      return;
    default:
      return;
  }
}

// Keys pressed in the editor that belong to the grid. The combo box keeps
// what it needs while its list is down.
bool GridView::onEditorKey(HWND window, UINT vk) {
  const bool dropped = m_editor && SendMessageA(m_editor, CB_GETDROPPEDSTATE, 0, 0);
  const bool alt = GetKeyState(VK_MENU) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  ItemPtr row = m_editRow.lock();
  bool combo = row && (editorFor(row->kind()) == RowEditor::DropList || editorFor(row->kind()) == RowEditor::DropEdit);
  if (combo && dropped) return false;
  auto alive = lifetime();
  switch (vk) {
    case VK_RETURN:
      if (window == m_button) {
        SendMessageA(m_button, BM_CLICK, 0, 0);
        return true;
      }
      closeEditor(true);
      return true;
    case VK_ESCAPE:
      if (row) {
        control().userEdit(row, m_openText);
        if (alive.expired()) return true;
      }
      closeEditor(true);
      return true;
    case VK_TAB: {
      if (m_button && window != m_button && !shift) {
        SetFocus(m_button);
        return true;
      }
      if (m_button && window == m_button && shift) {
        SetFocus(m_editor);
        return true;
      }
      HWND self = hwnd();
      closeEditor(true);
      if (alive.expired()) return true;
      HWND root = GetAncestor(self, GA_ROOT);
      HWND next = root ? GetNextDlgTabItem(root, self, shift) : nullptr;
      if (next && next != self) SetFocus(next);
      return true;
    }
    case VK_UP:
    case VK_DOWN:
      if (combo && alt) return false;  // Alt+Down opens the list
      moveCurrent(vk == VK_UP ? -1 : 1);
      return true;
    default:
      return false;
  }
}

void GridView::onCommand(WPARAM wp, LPARAM) {
  ItemPtr row = m_editRow.lock();
  if (!row || !m_editor) return;
  auto alive = lifetime();
  const int id = LOWORD(wp), code = HIWORD(wp);
  if (id == kButtonId && code == BN_CLICKED) {
    control().userCommit(row);  // what was typed counts before the button does
    if (alive.expired()) return;
    m_openText = row->value().ToString();  // Esc goes back no further than the commit
    control().userButton(row);
    return;
  }
  if (id != kEditorId || m_settingText) return;
  switch (code) {
    case EN_CHANGE:
    case CBN_EDITCHANGE:
      control().userEdit(row, editorText());
      return;
    case CBN_DROPDOWN:
      control().userDropDown(row);
      if (!alive.expired() && m_editor) fillCombo();
      return;
    case CBN_SELENDOK: {
      LRESULT index = SendMessageA(m_editor, CB_GETCURSEL, 0, 0);
      if (index < 0 || index >= static_cast<LRESULT>(m_comboEntries.size())) return;
      if (ItemPtr entry = m_comboEntries[static_cast<size_t>(index)].lock()) control().userPick(row, entry);
      return;
    }
    default:
      return;
  }
}

// ---- the editor

void GridView::openEditor(bool dropDown) {
  if (m_editor) {
    if (dropDown && m_isCombo) SendMessageA(m_editor, CB_SHOWDROPDOWN, TRUE, 0);
    return;
  }
  ItemPtr row = current();
  if (!row || listMode() || !control().enabled() || !row->enabled()) return;
  RowEditor kind = editorFor(row->kind());
  if (kind == RowEditor::None || kind == RowEditor::Hosted) return;
  if (dropDown && kind != RowEditor::DropList && kind != RowEditor::DropEdit) return;
  auto alive = lifetime();
  bool answer = control().userQueryEdit();
  if (alive.expired() || !answer || m_editor || row->control() != &control() || current() != row) return;
  layout();
  int r = rowOf(m_rows, row.get());
  if (r < 0) return;
  scrollTo(r);
  RECT v = valueRect(r);
  if (IsRectEmpty(&v)) return;
  const int width = v.right - v.left, height = v.bottom - v.top;
  HMENU editorId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId));
  const bool combo = kind == RowEditor::DropList || kind == RowEditor::DropEdit;
  HWND editor;
  if (combo) {
    DWORD style = WS_CHILD | WS_VSCROLL | CBS_AUTOHSCROLL | (kind == RowEditor::DropList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    editor = CreateWindowExA(0, "COMBOBOX", "", style, v.left, v.top, width, kDropHeight, hwnd(), editorId,
                             ViewModule(), nullptr);
  } else {
    int buttonWidth = kind == RowEditor::TextButton ? kButtonWidth : 0;
    editor = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, v.left, v.top, width - buttonWidth, height,
                             hwnd(), editorId, ViewModule(), nullptr);
    if (editor && buttonWidth)
      m_button = CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, v.right - kButtonWidth,
                                 v.top, kButtonWidth, height, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), ViewModule(), nullptr);
  }
  if (!editor) return;
  m_editor = editor;
  m_editRow = row;
  m_settingText = true;
  {
    auto done = base::MakeScopeExit([this] { m_settingText = false; });
    SendMessageA(editor, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    if (m_button) SendMessageA(m_button, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    if (combo) {
      // The box's own field is as tall as the row, so it covers the value.
      SendMessageA(editor, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
      m_isCombo = true;
      fillCombo();
      POINT inner = {4, height / 2};
      HWND child = ChildWindowFromPoint(editor, inner);
      if (child && child != editor) m_comboEdit = child;
    } else {
      // The typed text starts where the row drew its value.
      SendMessageA(editor, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(3, 0));
      SetWindowTextA(editor, row->value().ToString().c_str());
    }
  }
  m_openText = row->value().ToString();
  SetWindowSubclass(editor, EditorProc, 1, reinterpret_cast<DWORD_PTR>(this));
  if (m_comboEdit) SetWindowSubclass(m_comboEdit, EditorProc, 1, reinterpret_cast<DWORD_PTR>(this));
  if (m_button) SetWindowSubclass(m_button, EditorProc, 1, reinterpret_cast<DWORD_PTR>(this));
  ShowWindow(editor, SW_SHOWNA);
  SetFocus(editor);
  if (!combo) SendMessageA(editor, EM_SETSEL, 0, -1);
  InvalidateRect(hwnd(), nullptr, TRUE);
  if (dropDown && combo && !alive.expired() && m_editor == editor) SendMessageA(editor, CB_SHOWDROPDOWN, TRUE, 0);
}

void GridView::closeEditor(bool commit) {
  if (!m_editor) return;
  ItemPtr row = m_editRow.lock();
  HWND editor = std::exchange(m_editor, nullptr);
  HWND button = std::exchange(m_button, nullptr);
  HWND inner = std::exchange(m_comboEdit, nullptr);
  m_editRow.reset();
  m_comboEntries.clear();
  m_isCombo = false;
  for (HWND w : {editor, inner, button})
    if (w) RemoveWindowSubclass(w, EditorProc, 1);
  if (Inside(hwnd(), GetFocus())) SetFocus(hwnd());
  if (button) DestroyWindow(button);
  DestroyWindow(editor);
  InvalidateRect(hwnd(), nullptr, TRUE);
  if (commit && row) control().userCommit(row);
}

void GridView::fillCombo() {
  ItemPtr row = m_editRow.lock();
  if (!m_editor || !row) return;
  bool keep = m_settingText;
  m_settingText = true;
  auto done = base::MakeScopeExit([this, keep] { m_settingText = keep; });
  SendMessageA(m_editor, CB_RESETCONTENT, 0, 0);
  m_comboEntries.clear();
  const std::string value = row->value().ToString();
  int chosen = -1;
  for (const auto& entry : row->subItems()) {
    if (!entry->visible()) continue;
    SendMessageA(m_editor, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry->caption().c_str()));
    // The entry the user picked last wins over an earlier one of the same caption.
    if (entry->caption() == value && (chosen < 0 || entry->selected()))
      chosen = static_cast<int>(m_comboEntries.size());
    m_comboEntries.push_back(entry);
  }
  SendMessageA(m_editor, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  if (editorFor(row->kind()) == RowEditor::DropEdit) SetWindowTextA(m_editor, value.c_str());
}

std::string GridView::editorText() const { return m_editor ? WindowText(m_editor) : std::string(); }

void GridView::focus() {
  if (!hwnd()) return;
  if (Inside(hwnd(), GetFocus()) && m_editor) return;
  if (GetFocus() == hwnd())
    openEditor();
  else
    SetFocus(hwnd());  // WM_SETFOCUS opens the editor
}

LRESULT CALLBACK GridView::EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<GridView*>(data);
  try {
    switch (msg) {
      case WM_GETDLGCODE:
        return DefSubclassProc(hwnd, msg, wp, lp) | DLGC_WANTALLKEYS;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (self->onEditorKey(hwnd, static_cast<UINT>(wp))) return 0;
        break;
      case WM_CHAR:
        if (wp == '\r' || wp == '\t' || wp == 0x1b) {
          const bool dropped = self->m_editor && SendMessageA(self->m_editor, CB_GETDROPPEDSTATE, 0, 0);
          if (!dropped) return 0;  // handled at WM_KEYDOWN; no beep
        }
        break;
      case WM_KILLFOCUS: {
        HWND to = reinterpret_cast<HWND>(wp);
        if (!Inside(self->hwnd(), to)) PostMessageA(self->hwnd(), kCommitMessage, 0, 0);
        break;
      }
      default:
        break;
    }
  } catch (...) {
    return 0;  // nothing leaves a window procedure
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// ---- messages

LRESULT GridView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      auto end = base::MakeScopeExit([&] { EndPaint(hwnd(), &ps); });
      if (dc) paint(dc);
      return 0;
    }
    case WM_PRINTCLIENT:  // PrintWindow: the picture of the window without a screen
      paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills every pixel
    case WM_SIZE: {
      RECT client;
      GetClientRect(hwnd(), &client);
      m_split = std::clamp(static_cast<int>(client.right * m_splitShare), std::min<int>(kSplitterMargin, client.right),
                           std::max<int>(client.right - kSplitterMargin, 0));
      m_dirty = true;
      layout();
      syncEditor();
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    }
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED:
      placeHostedWindows();
      return defaultHandling(msg, wp, lp);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: {
      HWND from = reinterpret_cast<HWND>(wp);
      if (!Inside(hwnd(), from) && !m_mouseFocus) openEditor();
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      m_mouseFocus = true;
      auto done = base::MakeScopeExit([this, alive = lifetime()] {
        if (!alive.expired()) m_mouseFocus = false;
      });
      onMouseDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), msg == WM_LBUTTONDBLCLK);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (m_dragging) {
        RECT client;
        GetClientRect(hwnd(), &client);
        m_split = std::clamp<int>(GET_X_LPARAM(lp), kSplitterMargin, std::max<int>(client.right - kSplitterMargin, kSplitterMargin));
        if (client.right > 0) m_splitShare = static_cast<double>(m_split) / client.right;
        syncEditor();
        placeHostedWindows();
        InvalidateRect(hwnd(), nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (m_dragging) {
        m_dragging = false;
        if (msg == WM_LBUTTONUP) ReleaseCapture();
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && !listMode()) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd(), &pt);
        if (m_dragging || (std::abs(pt.x - m_split) <= kSplitterSlack && rowAt(pt.y) >= 0)) {
          SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      return defaultHandling(msg, wp, lp);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (wp == VK_UP || wp == VK_DOWN || wp == VK_F4 || wp == VK_SPACE || wp == VK_RETURN) {
        onKey(static_cast<UINT>(wp), msg == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0);
        return 0;
      }
      return defaultHandling(msg, wp, lp);
    case WM_VSCROLL: {
      SCROLLINFO si = {};
      si.cbSize = sizeof si;
      si.fMask = SIF_ALL;
      GetScrollInfo(hwnd(), SB_VERT, &si);
      int pos = m_first;
      switch (LOWORD(wp)) {
        case SB_LINEUP: --pos; break;
        case SB_LINEDOWN: ++pos; break;
        case SB_PAGEUP: pos -= std::max<int>(1, si.nPage); break;
        case SB_PAGEDOWN: pos += std::max<int>(1, si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: return 0;
      }
      pos = std::clamp(pos, 0, std::max(0, si.nMax - static_cast<int>(si.nPage) + 1));
      if (pos != m_first) {
        m_first = pos;
        updateScrollBar();
        placeHostedWindows();
        syncEditor();
        InvalidateRect(hwnd(), nullptr, TRUE);
      }
      return 0;
    }
    case WM_MOUSEWHEEL: {
      int lines = -GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3;
      for (int i = 0; i < std::abs(lines); ++i) SendMessageA(hwnd(), WM_VSCROLL, lines < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      return 0;
    }
    case WM_COMMAND:
      onCommand(wp, lp);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return defaultHandling(msg, wp, lp);
    case kSyncMessage:
      syncEditor();
      return 0;
    case kCommitMessage:
      if (m_editor && !Inside(hwnd(), GetFocus())) closeEditor(true);
      return 0;
    case WM_DESTROY:
      m_editor = m_button = m_comboEdit = nullptr;  // the children go with the window, uncommitted
      m_editRow.reset();
      return 0;
    default:
      return defaultHandling(msg, wp, lp);
  }
}

}  // namespace sui
