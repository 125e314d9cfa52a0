// A SmartUI control placed on a form: its item model and the view its style
// draws (grid, list, toolbar, button bar, view bar, panel, caption bar,
// progress panel, link). The view's window is the control's window, so the
// form moves, enables and shows it like any other control, and the tag
// command "imagelist=s" of the application services fills its icons.
// The menu bar and popup menus are not form controls: they belong to the
// frame window (see smartui/menu_view.h). Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <memory>
#include <string>

#include "smartui/model.h"
#include "smartui/view_base.h"
#include "ui/clsApplication.h"
#include "widgets/ImageList.h"

namespace ui {

class SmartUIControl : public widgets::Control {
 public:
  // Position and size in twips; the form must be loaded. A style without a
  // window of its own (menu bar, popup menu, hidden holder) raises 5.
  SmartUIControl(widgets::Form& form, std::string name, sui::Style style, long left, long top, long width,
                 long height);
  ~SmartUIControl() override;

  sui::Control& Model() noexcept { return m_model; }
  const sui::Control& Model() const noexcept { return m_model; }
  sui::ViewBase& View() noexcept { return *m_view; }
  // The view as its own type (GridView, ToolbarView...), or null.
  template <class V>
  V* ViewAs() noexcept {
    return dynamic_cast<V*>(m_view.get());
  }

  // Copies the icon of every item's image key into the view's store from
  // the list (after a reset: what the tag command "imagelist" does), and
  // remakes a toolbar's buttons. A key missing from the list raises 35601.
  void LoadImages(const widgets::ImageList& list);
  // The same after items were added: only the keys the store lacks.
  void AddMissingImages(const widgets::ImageList& list);

 private:
  void Refit();

  sui::Control m_model;
  std::unique_ptr<sui::ViewBase> m_view;
};

// The SmartUI view's own image store as the application services fill it.
class ViewIconStore : public IconStore {
 public:
  explicit ViewIconStore(sui::ImageStore& store) : m_store(store) {}
  void reset() override { m_store.reset(); }
  bool contains(const std::string& key) const override { return m_store.contains(key); }
  void add(const std::string& key, HICON icon) override { m_store.add(key, icon); }

 private:
  sui::ImageStore& m_store;
};

}  // namespace ui
