// The menu views: a control's items as a frame's menu bar with its
// accelerator table, and an item's sub-items as a popup menu at a point.
// Neither has a window of its own. Windows only.
#pragma once
#include "smartui/view_base.h"

namespace sui {

// The command identifiers of one menu view: an item keeps its identifier
// for as long as it lives.
class CommandIds {
 public:
  CommandIds(UINT first, UINT last) : m_first(first), m_last(last), m_next(first) {}
  // The item's identifier, handed out on first use; 0 once the range is used up.
  UINT idOf(const ItemPtr& item);
  ItemPtr itemOf(UINT id) const;  // none for an unknown identifier or a gone item

 private:
  void prune();
  UINT m_first, m_last, m_next;
  std::vector<std::pair<std::weak_ptr<Item>, UINT>> m_ids;
};

// The pictures beside menu entries: one 32-bit bitmap with an alpha channel
// per image key, made from the store's icon when first asked for. The
// bitmaps live as long as this object: the menus that show them must go
// first.
class MenuPictures {
 public:
  explicit MenuPictures(const ImageStore& store) : m_store(store) {}
  HBITMAP pictureOf(const std::string& key);  // null when the store has no icon for it
  void clear() noexcept { m_bitmaps.clear(); }

 private:
  const ImageStore& m_store;
  std::map<HICON, base::UniqueHBitmap> m_bitmaps;
};

// Whether the item opens a submenu: at least one visible sub-item.
bool opensSubmenu(const Item& item);
// Appends the visible items of a list to a menu: separators, submenus (built
// at once, with their own sub-items) and commands with their check marks,
// grey state, shortcut texts and, given pictures, the picture of their
// image key. Each submenu is reported to onPopup.
void fillMenu(HMENU menu, const ItemList& list, CommandIds& ids,
              const std::function<void(HMENU, const ItemPtr&)>& onPopup = {}, MenuPictures* pictures = nullptr);

// A control's items as the menu bar of a frame. The frame's window procedure
// passes WM_COMMAND (from a menu or an accelerator), WM_INITMENU,
// WM_INITMENUPOPUP and WM_MENUSELECT to handle(); its message loop
// translates accelerators().
class MenuBarView : public Observer {
 public:
  MenuBarView(Control& control, HWND frame);
  ~MenuBarView() override;
  MenuBarView(const MenuBarView&) = delete;
  MenuBarView& operator=(const MenuBarView&) = delete;

  HMENU menu() const noexcept { return m_menu.get(); }
  // The icons of the entries' image keys; refreshImages() shows them after a change.
  ImageStore& images() noexcept { return m_images; }
  void refreshImages();
  // True when the message was the view's; result is then the answer.
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // The accelerators of every shortcut of the menu and of the merged
  // holders, remade when a shortcut changed.
  HACCEL accelerators();
  // Adds a hidden holder's items to the accelerators.
  void merge(Control& holder);

 private:
  void structureChanged(ItemList& list) override;
  void itemChanged(const ItemPtr& item, ItemAspect aspect) override;
  void controlChanged(ControlAspect aspect) override;
  void rebuild();
  void refill(HMENU popup);

  Control* m_control;
  std::vector<Control*> m_holders;
  HWND m_frame;
  ImageStore m_images;
  MenuPictures m_pictures{m_images};  // before the menu, which shows them
  base::UniqueHMenu m_menu;
  CommandIds m_ids{0xA000, 0xDFFF};
  struct Popup {
    HMENU menu;
    std::weak_ptr<Item> item;
    unsigned generation;
  };
  std::vector<Popup> m_popups;
  unsigned m_generation = 0;  // counts changes below the bar
  UniqueHAccel m_accelerators;
  bool m_acceleratorsStale = true;
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// An item's visible sub-items as a popup menu at a screen point.
class PopupMenuView {
 public:
  // Entries show the icons of their image keys from images, when given.
  explicit PopupMenuView(HWND owner, const ImageStore* images = nullptr) : m_owner(owner), m_images(images) {}

  // Shows the menu (nothing when the entry has no visible sub-item) and,
  // once it has closed, reports the chosen entry with userClick. Returns the
  // chosen entry, or none. extraFlags are added to the tracking flags.
  ItemPtr popup(const ItemPtr& entry, POINT screen, UINT extraFlags = 0);

 private:
  HWND m_owner;
  const ImageStore* m_images;
};

}  // namespace sui
