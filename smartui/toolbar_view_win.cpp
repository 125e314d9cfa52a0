#include "smartui/toolbar_view.h"

#include "base/error.h"
#include "smartui/menu_view.h"

namespace sui {

ToolbarView::ToolbarView(Control& control, HWND parent, const RECT& rect, int id) : HostView(control) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
  InitCommonControlsEx(&init);
  create(parent, rect, id);
  m_toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                              WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                                  CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                              0, 0, rect.right - rect.left, rect.bottom - rect.top, hwnd(), nullptr,
                              ViewModule(), nullptr);
  if (!m_toolbar) base::RaiseError(base::kErrInvalidCall, "ToolbarView", "The toolbar could not be made");
  SendMessageA(m_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(m_toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageA(m_toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  rebuild();
}

ItemPtr ToolbarView::itemOf(int command) const {
  if (command < 1 || static_cast<size_t>(command) > m_buttons.size()) return nullptr;
  return m_buttons[static_cast<size_t>(command) - 1].lock();
}

void ToolbarView::rebuild() {
  if (!m_toolbar) return;
  while (SendMessageA(m_toolbar, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(m_toolbar, TB_DELETEBUTTON, 0, 0);
  m_buttons.clear();

  // The toolbar's own image list, made from the store's icons.
  UniqueHImageList list(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
  std::vector<std::string> imageKeys;
  auto imageOf = [&](const std::string& key) -> int {
    if (!images().contains(key)) return I_IMAGENONE;
    for (size_t i = 0; i < imageKeys.size(); ++i)
      if (sameKey(imageKeys[i], key)) return static_cast<int>(i);
    ImageList_AddIcon(list.get(), images().find(key));
    imageKeys.push_back(key);
    return static_cast<int>(imageKeys.size() - 1);
  };

  std::vector<TBBUTTON> buttons;
  const bool bar = control().style() == Style::ButtonBar;
  for (const ItemPtr& item : control().items()) {
    m_buttons.push_back(item);
    TBBUTTON b = {};
    b.idCommand = static_cast<int>(m_buttons.size());
    b.fsState = static_cast<BYTE>((item->enabled() && control().enabled() ? TBSTATE_ENABLED : 0) |
                                  (item->visible() ? 0 : TBSTATE_HIDDEN) |
                                  (item->checked() && !bar ? TBSTATE_CHECKED : 0));
    if (item->kind() == kKindToolbarSpacer) {
      b.fsStyle = BTNS_SEP;
      b.iBitmap = 6;
    } else {
      b.fsStyle = static_cast<BYTE>((opensSubmenu(*item) ? BTNS_DROPDOWN : BTNS_BUTTON) | BTNS_AUTOSIZE);
      b.iBitmap = imageOf(item->image());
      // An empty caption leaves an icon-only button.
      if (!item->caption().empty()) b.iString = reinterpret_cast<INT_PTR>(item->caption().c_str());
    }
    buttons.push_back(b);
  }
  SendMessageA(m_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list.get()));
  m_images = std::move(list);  // the old list goes once the toolbar has let go of it
  m_split.clear();
  for (const auto& weak : m_buttons) {
    ItemPtr item = weak.lock();
    m_split.push_back(item && opensSubmenu(*item));
  }
  if (!buttons.empty())
    SendMessageA(m_toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(m_toolbar, TB_AUTOSIZE, 0, 0);
  InvalidateRect(m_toolbar, nullptr, TRUE);
}

void ToolbarView::dropDown(int command) {
  ItemPtr button = itemOf(command);
  if (!button) return;
  auto alive = lifetime();
  control().userDropDown(button);
  if (alive.expired() || !m_toolbar) return;
  RECT r{};
  SendMessageA(m_toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(m_toolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
  SendMessageA(m_toolbar, TB_PRESSBUTTON, command, TRUE);
  // The menu belongs to the top-level window, which can take the foreground.
  PopupMenuView(GetAncestor(hwnd(), GA_ROOT)).popup(button, POINT{r.left, r.bottom});
  if (!alive.expired() && m_toolbar) SendMessageA(m_toolbar, TB_PRESSBUTTON, command, FALSE);
}

LRESULT ToolbarView::notify(const NMHDR& header) {
  if (header.hwndFrom != m_toolbar) return 0;
  switch (header.code) {
    case TBN_DROPDOWN:
      dropDown(reinterpret_cast<const NMTOOLBARA&>(header).iItem);
      return TBDDRET_DEFAULT;
    case TBN_GETINFOTIPA: {
      auto& tip = const_cast<NMTBGETINFOTIPA&>(reinterpret_cast<const NMTBGETINFOTIPA&>(header));
      ItemPtr item = itemOf(tip.iItem);
      if (!item || !tip.pszText || tip.cchTextMax <= 0) return 0;
      m_tip = item->toolTip().empty() ? WithoutMnemonic(item->caption()) : item->toolTip();
      lstrcpynA(tip.pszText, m_tip.c_str(), tip.cchTextMax);
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT ToolbarView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == m_toolbar) {
        if (ItemPtr item = itemOf(LOWORD(wp))) control().userClick(item);
      }
      return 0;
    case WM_NOTIFY:
      return notify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_SIZE:
      if (m_toolbar) MoveWindow(m_toolbar, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFONT:
      if (m_toolbar) SendMessageA(m_toolbar, WM_SETFONT, wp, lp);
      break;
    case WM_ERASEBKGND: {
      // A flat toolbar is see-through: what lies behind it is the host's face.
      RECT r{};
      GetClientRect(hwnd(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      break;
  }
  return HostView::handle(msg, wp, lp);
}

void ToolbarView::paint(HDC, const RECT&) {}  // the toolbar covers the host

// Below the buttons only a change that makes a button split or plain shows:
// a drop-down refilled while it opens leaves the buttons alone.
bool ToolbarView::splitChanged() const {
  size_t i = 0;
  for (const ItemPtr& item : control().items()) {
    if (i >= m_split.size() || m_split[i] != opensSubmenu(*item)) return true;
    ++i;
  }
  return i != m_split.size();
}

void ToolbarView::structureChanged(ItemList& list) {
  if (!control().redraw()) return;
  if (!list.parent() || splitChanged()) rebuild();
}

void ToolbarView::itemChanged(const ItemPtr& item, ItemAspect aspect) {
  if (!control().redraw()) return;
  if (!item->parent() || (aspect == ItemAspect::Visible && splitChanged())) rebuild();
}

void ToolbarView::controlChanged(ControlAspect aspect) {
  HostView::controlChanged(aspect);
  if (aspect == ControlAspect::Enabled || aspect == ControlAspect::Redraw) rebuild();
}

}  // namespace sui
