// The views a control paints itself: the view bar, the panel (status line
// and background panels) with the caption bar, the progress panel and the
// link. Windows only.
#pragma once
#include <functional>

#include "smartui/link_target.h"
#include "smartui/view_base.h"

namespace sui {

// A column of cells, one per visible view-bar entry: its big icon with the
// caption below. The current entry is drawn pressed, the one under the mouse
// raised. A click, or Up/Down and Space, makes an entry current.
class ViewBarView : public HostView {
 public:
  ViewBarView(Control& control, HWND parent, const RECT& rect, int id = 0);

  // The cell of a visible entry (client coordinates); empty for others.
  RECT cellOf(const ItemPtr& item) const;

 protected:
  DWORD windowStyle() const override { return HostView::windowStyle() | WS_TABSTOP; }
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void paint(HDC dc, const RECT& client) override;

 private:
  std::vector<ItemPtr> cells() const;
  int cellHeight() const;
  ItemPtr hit(POINT p) const;
  void click(const ItemPtr& item);

  std::weak_ptr<Item> m_hot;    // under the mouse
  std::weak_ptr<Item> m_focus;  // where Up/Down stand
};

// A panel: its border and its panes left to right (a pane's width, 0 for
// the rest); or, for the caption-bar style, the control's caption in bold on
// a button-face strip, grey while disabled. A click is the control's.
class PanelView : public HostView {
 public:
  PanelView(Control& control, HWND parent, const RECT& rect, int id = 0);

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void paint(HDC dc, const RECT& client) override;
};

// The progress panel: a caption strip, the line of item 1 (its image and
// its caption as a path with an ellipsis), and a bar that steps on every
// change of that caption and wraps round, the walk's length being unknown.
// A click anywhere is the control's (the form's Stop).
class ProgressView : public HostView {
 public:
  ProgressView(Control& control, HWND parent, const RECT& rect, int id = 0);

  HWND bar() const noexcept { return m_bar; }

 protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void paint(HDC dc, const RECT& client) override;
  void itemChanged(const ItemPtr& item, ItemAspect aspect) override;

 private:
  int lineHeight() const;
  void layout();

  HWND m_bar = nullptr;  // a child of the host
};

// A link: the caption of item 1, underlined, in the hot-light colour, with
// the hand cursor. A click, Enter or Space reports the item and opens its
// target.
class LinkView : public HostView {
 public:
  LinkView(Control& control, HWND parent, const RECT& rect, int id = 0);

  // What opens the target; the shell by default.
  std::function<void(HWND owner, const std::string& target)> open;

 protected:
  DWORD windowStyle() const override { return HostView::windowStyle() | WS_TABSTOP; }
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void paint(HDC dc, const RECT& client) override;

 private:
  void activate();
  HFONT underlined();

  base::UniqueHFont m_underlined;
  HFONT m_underlinedOf = nullptr;
};

}  // namespace sui
