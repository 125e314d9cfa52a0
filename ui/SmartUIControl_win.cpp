#include "ui/SmartUIControl.h"

#include "base/error.h"
#include "smartui/bar_views.h"
#include "smartui/grid_view.h"
#include "smartui/toolbar_view.h"

namespace ui {

namespace {

RECT PixelRect(long left, long top, long width, long height) {
  const int x = widgets::TwipsToPixelsX(left), y = widgets::TwipsToPixelsY(top);
  return RECT{x, y, x + widgets::TwipsToPixelsX(width), y + widgets::TwipsToPixelsY(height)};
}

std::unique_ptr<sui::ViewBase> MakeView(sui::Control& model, HWND parent, const RECT& r) {
  using sui::Style;
  switch (model.style()) {
    case Style::Grid:
    case Style::List: {
      auto grid = std::make_unique<sui::GridView>(model);
      grid->create(parent, 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
      return grid;
    }
    case Style::Toolbar:
    case Style::ButtonBar:
      return std::make_unique<sui::ToolbarView>(model, parent, r);
    case Style::ViewBar:
      return std::make_unique<sui::ViewBarView>(model, parent, r);
    case Style::Panel:
    case Style::CaptionBar:
      return std::make_unique<sui::PanelView>(model, parent, r);
    case Style::Progress:
      return std::make_unique<sui::ProgressView>(model, parent, r);
    case Style::Link:
      return std::make_unique<sui::LinkView>(model, parent, r);
    default:
      base::RaiseError(5, "SmartUIControl", "Invalid procedure call or argument");
  }
}

}  // namespace

SmartUIControl::SmartUIControl(widgets::Form& form, std::string name, sui::Style style, long left, long top,
                               long width, long height)
    : Control(std::move(name)), m_model(style) {
  m_view = MakeView(m_model, form.Hwnd(), PixelRect(left, top, width, height));
  if (m_view->hwnd()) SendMessageA(m_view->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), FALSE);
  AdoptWindow(m_view->hwnd());
}

SmartUIControl::~SmartUIControl() {
  // The view destroys its own window; the control base must not.
  ReleaseWindow();
  m_view.reset();
}

void SmartUIControl::LoadImages(const widgets::ImageList& list) {
  ViewIconStore store(m_view->images());
  g_oApplication().SmartUI_AddImages(store, m_model.items(), list);
  Refit();
}

void SmartUIControl::AddMissingImages(const widgets::ImageList& list) {
  ViewIconStore store(m_view->images());
  g_oApplication().SmartUI_ProcessItems(store, m_model.items(), list);
  Refit();
}

void SmartUIControl::Refit() {
  if (auto* toolbar = ViewAs<sui::ToolbarView>()) {
    toolbar->rebuild();
  } else if (m_view->hwnd()) {
    InvalidateRect(m_view->hwnd(), nullptr, TRUE);
  }
}

}  // namespace ui
