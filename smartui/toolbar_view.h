// The toolbar and button bar: one button of a comctl32 toolbar per top-level
// item, split buttons for items with sub-items, tooltips, and the icons of
// the view's image store. Windows only.
#pragma once
#include "smartui/view_base.h"

namespace sui {

class ToolbarView : public HostView {
 public:
  // rect in pixels, in the parent's client coordinates.
  ToolbarView(Control& control, HWND parent, const RECT& rect, int id = 0);

  HWND toolbar() const noexcept { return m_toolbar; }
  // Remakes the buttons from the model and the image store (after an icon
  // set-up, say).
  void rebuild();

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void paint(HDC dc, const RECT& client) override;
  void structureChanged(ItemList& list) override;
  void itemChanged(const ItemPtr& item, ItemAspect aspect) override;
  void controlChanged(ControlAspect aspect) override;

 private:
  LRESULT notify(const NMHDR& header);
  void dropDown(int command);
  ItemPtr itemOf(int command) const;
  bool splitChanged() const;

  HWND m_toolbar = nullptr;  // a child of the host; goes with it
  UniqueHImageList m_images;
  std::vector<std::weak_ptr<Item>> m_buttons;  // command n is m_buttons[n - 1]
  std::vector<bool> m_split;                   // which buttons are split
  std::string m_tip;  // the text handed out last for a tooltip
};

}  // namespace sui
