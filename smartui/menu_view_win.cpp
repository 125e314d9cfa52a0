#include "smartui/menu_view.h"

#include <algorithm>
#include <cstdint>

#include "base/error.h"
#include "smartui/shortcut.h"

namespace sui {

// --- CommandIds ------------------------------------------------------------------

void CommandIds::prune() {
  m_ids.erase(std::remove_if(m_ids.begin(), m_ids.end(), [](const auto& e) { return e.first.expired(); }),
              m_ids.end());
}

UINT CommandIds::idOf(const ItemPtr& item) {
  for (const auto& [weak, id] : m_ids)
    if (weak.lock() == item) return id;
  prune();
  UINT id = 0;
  if (m_next <= m_last) {
    id = m_next++;
  } else {
    // The range is used up: take the lowest identifier no living item holds.
    for (UINT candidate = m_first; candidate <= m_last && !id; ++candidate)
      if (std::none_of(m_ids.begin(), m_ids.end(), [&](const auto& e) { return e.second == candidate; }))
        id = candidate;
  }
  if (id) m_ids.emplace_back(item, id);
  return id;
}

ItemPtr CommandIds::itemOf(UINT id) const {
  for (const auto& [weak, itemId] : m_ids)
    if (itemId == id) return weak.lock();
  return nullptr;
}

// --- pictures -------------------------------------------------------------------

namespace {

// The icon as a menu picture: premultiplied colour with its alpha. The icon
// is drawn once over black and once over white; what the background shows
// through is its transparency, whatever kind of icon it is (a mask, an
// alpha channel, a size to scale).
base::UniqueHBitmap pictureOfIcon(HICON icon) {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;  // top down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  base::UniqueHdc dc(CreateCompatibleDC(nullptr));
  if (!dc) return {};
  void* bits[2] = {};
  base::UniqueHBitmap drawn[2];
  const int backgrounds[2] = {BLACK_BRUSH, WHITE_BRUSH};
  for (int i = 0; i < 2; ++i) {
    drawn[i].reset(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits[i], nullptr, 0));
    if (!drawn[i] || !bits[i]) return {};
    base::SelectObjectScope select(dc.get(), drawn[i].get());
    const RECT all{0, 0, cx, cy};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(backgrounds[i])));
    if (!DrawIconEx(dc.get(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL)) return {};
  }
  GdiFlush();
  auto* onBlack = static_cast<std::uint32_t*>(bits[0]);
  const auto* onWhite = static_cast<const std::uint32_t*>(bits[1]);
  for (int i = 0; i < cx * cy; ++i) {
    // Over black the colour is already multiplied by its alpha.
    const int shown = static_cast<int>(onWhite[i] >> 8 & 0xff) - static_cast<int>(onBlack[i] >> 8 & 0xff);
    const auto alpha = static_cast<std::uint32_t>(255 - std::clamp(shown, 0, 255));
    onBlack[i] = (alpha << 24) | (onBlack[i] & 0xffffff);
  }
  return std::move(drawn[0]);
}

}  // namespace

HBITMAP MenuPictures::pictureOf(const std::string& key) {
  // Keyed by the store's icon, which is the same for every spelling of the key.
  HICON icon = m_store.find(key);
  if (!icon) return nullptr;
  auto it = m_bitmaps.find(icon);
  if (it == m_bitmaps.end()) it = m_bitmaps.emplace(icon, pictureOfIcon(icon)).first;
  return it->second.get();
}

// --- building menus -------------------------------------------------------------

bool opensSubmenu(const Item& item) {
  if (item.kind() == kKindMenuSeparator) return false;
  return std::any_of(item.subItems().begin(), item.subItems().end(),
                     [](const ItemPtr& sub) { return sub->visible(); });
}

namespace {

void setPicture(HMENU menu, const Item& item, MenuPictures* pictures) {
  if (!pictures) return;
  HBITMAP picture = pictures->pictureOf(item.image());
  if (!picture) return;
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP;
  info.hbmpItem = picture;
  SetMenuItemInfoA(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
}

}  // namespace

void fillMenu(HMENU menu, const ItemList& list, CommandIds& ids,
              const std::function<void(HMENU, const ItemPtr&)>& onPopup, MenuPictures* pictures) {
  for (const ItemPtr& item : list) {
    if (!item->visible()) continue;
    if (item->kind() == kKindMenuSeparator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::string text = item->caption();
    if (!item->shortcut().empty()) text += "\t" + item->shortcut();
    UINT flags = MF_STRING | (item->enabled() ? 0 : MF_GRAYED) | (item->checked() ? MF_CHECKED : 0);
    if (opensSubmenu(*item)) {
      HMENU sub = CreatePopupMenu();
      if (!sub) continue;
      fillMenu(sub, item->subItems(), ids, onPopup, pictures);
      // The menu owns the submenu from here on.
      if (!AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str())) {
        DestroyMenu(sub);
        continue;
      }
      setPicture(menu, *item, pictures);
      if (onPopup) onPopup(sub, item);
      continue;
    }
    if (AppendMenuA(menu, flags, ids.idOf(item), text.c_str())) setPicture(menu, *item, pictures);
  }
}

namespace {

void emptyMenu(HMENU menu) {
  // DeleteMenu destroys the submenus with their entries.
  for (int n = GetMenuItemCount(menu); n > 0; --n) DeleteMenu(menu, static_cast<UINT>(n - 1), MF_BYPOSITION);
}

void collectShortcuts(const ItemList& list, CommandIds& ids, std::vector<ACCEL>& out) {
  for (const ItemPtr& item : list) {
    if (auto s = parseShortcut(item->shortcut())) {
      if (UINT id = ids.idOf(item)) {
        ACCEL a = {};
        a.fVirt = static_cast<BYTE>(FVIRTKEY | (s->ctrl ? FCONTROL : 0) | (s->shift ? FSHIFT : 0) |
                                    (s->alt ? FALT : 0));
        a.key = static_cast<WORD>(s->key);
        a.cmd = static_cast<WORD>(id);
        out.push_back(a);
      }
    }
    collectShortcuts(item->subItems(), ids, out);
  }
}

}  // namespace

// --- MenuBarView ----------------------------------------------------------------

MenuBarView::MenuBarView(Control& control, HWND frame)
    : m_control(&control), m_frame(frame), m_menu(CreateMenu()) {
  if (!m_menu) base::RaiseError(base::kErrOutOfMemory, "MenuBarView", "Out of memory");
  control.observe(this);
  rebuild();
  SetMenu(m_frame, m_menu.get());
}

MenuBarView::~MenuBarView() {
  *m_alive = false;
  if (m_control) m_control->unobserve(this);
  for (Control* holder : m_holders) holder->unobserve(this);
  if (!IsWindow(m_frame)) {
    (void)m_menu.release();  // it went with its frame
  } else if (GetMenu(m_frame) == m_menu.get()) {
    SetMenu(m_frame, nullptr);
  }
}

void MenuBarView::merge(Control& holder) {
  m_holders.push_back(&holder);
  holder.observe(this);
  m_acceleratorsStale = true;
}

void MenuBarView::rebuild() {
  emptyMenu(m_menu.get());
  m_popups.clear();
  fillMenu(
      m_menu.get(), m_control->items(), m_ids,
      [this](HMENU sub, const ItemPtr& item) { m_popups.push_back({sub, item, m_generation}); }, &m_pictures);
  if (GetMenu(m_frame) == m_menu.get()) DrawMenuBar(m_frame);
}

void MenuBarView::refill(HMENU popup) {
  for (Popup& p : m_popups) {
    if (p.menu != popup || p.generation == m_generation) continue;
    ItemPtr item = p.item.lock();
    if (!item) return;
    p.generation = m_generation;
    // The nested submenus go with their entries and are made anew.
    emptyMenu(popup);
    std::vector<Popup> made;
    fillMenu(
        popup, item->subItems(), m_ids, [&](HMENU sub, const ItemPtr& i) { made.push_back({sub, i, m_generation}); },
        &m_pictures);
    // Forget records of submenus that no longer exist.
    m_popups.erase(std::remove_if(m_popups.begin(), m_popups.end(),
                                  [](const Popup& q) { return !IsMenu(q.menu); }),
                   m_popups.end());
    m_popups.insert(m_popups.end(), made.begin(), made.end());
    return;
  }
}

bool MenuBarView::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: {
      if (lp != 0) return false;  // a control's notification
      ItemPtr item = m_ids.itemOf(LOWORD(wp));
      if (!item) return false;
      result = 0;
      if (Control* owner = item->control()) owner->userClick(item);
      return true;
    }
    case WM_INITMENUPOPUP:
      refill(reinterpret_cast<HMENU>(wp));
      result = 0;
      return true;
    case WM_INITMENU:
    case WM_MENUSELECT:
      result = 0;
      return true;
    default:
      return false;
  }
}

void MenuBarView::refreshImages() {
  // The menus let go of the old pictures before they are freed.
  emptyMenu(m_menu.get());
  m_popups.clear();
  m_pictures.clear();
  rebuild();
}

HACCEL MenuBarView::accelerators() {
  if (!m_acceleratorsStale) return m_accelerators.get();
  std::vector<ACCEL> table;
  if (m_control) collectShortcuts(m_control->items(), m_ids, table);
  for (Control* holder : m_holders) collectShortcuts(holder->items(), m_ids, table);
  m_accelerators.reset(table.empty() ? nullptr
                                     : CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
  m_acceleratorsStale = false;
  return m_accelerators.get();
}

// A change of the bar itself (an entry, or what an entry holds) is shown at
// once; one further down waits for its submenu to open.
void MenuBarView::structureChanged(ItemList& list) {
  m_acceleratorsStale = true;
  if (!m_control || list.control() != m_control) return;
  ItemPtr owner = list.parent();
  if (!owner || !owner->parent()) {
    rebuild();
  } else {
    ++m_generation;
  }
}

void MenuBarView::itemChanged(const ItemPtr& item, ItemAspect aspect) {
  if (aspect == ItemAspect::Shortcut) m_acceleratorsStale = true;
  if (!m_control || item->control() != m_control) return;
  if (!item->parent() || (aspect == ItemAspect::Visible && !item->parent()->parent())) {
    rebuild();
  } else {
    ++m_generation;
  }
}

void MenuBarView::controlChanged(ControlAspect) {}

// --- PopupMenuView --------------------------------------------------------------

ItemPtr PopupMenuView::popup(const ItemPtr& entry, POINT screen, UINT extraFlags) {
  if (!entry || !opensSubmenu(*entry)) return nullptr;
  CommandIds ids(1, 0x7FFF);
  UINT chosen = 0;
  {
    const ImageStore none;
    MenuPictures pictures(m_images ? *m_images : none);  // outlives the menu
    base::UniqueHMenu menu(CreatePopupMenu());
    if (!menu) return nullptr;
    fillMenu(menu.get(), entry->subItems(), ids, {}, &pictures);
    // The owner must be in front, or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(m_owner);
    chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN | extraFlags, screen.x,
        screen.y, m_owner, nullptr));
    PostMessageA(m_owner, WM_NULL, 0, 0);
  }
  ItemPtr item = chosen ? ids.itemOf(chosen) : nullptr;
  if (item) {
    if (Control* owner = item->control()) owner->userClick(item);
  }
  return item;
}

}  // namespace sui
