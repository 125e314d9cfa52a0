// What every SmartUI view window shares: its window class, registered once
// per module (never CS_GLOBALCLASS: Designer and Fennick both carry these
// views, and Fennick also runs inside Designer's process), `this` kept in
// GWLP_USERDATA, one window procedure that lets nothing escape, and the
// model's notifications turned into repaints. Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <map>
#include <memory>
#include <string>

#include "smartui/model.h"

namespace sui {

// The module that holds this code: Designer's program or Fennick's library.
HINSTANCE ViewModule() noexcept;

// Takes the view classes this module registered off the system again (at
// DLL detach; a class whose windows still stand stays, and that is ignored).
void UnregisterViewClasses() noexcept;

// Icons by image key (compared ignoring case), copied in: the view owns them.
class ImageStore {
 public:
  void reset() noexcept { m_icons.clear(); }
  bool contains(const std::string& key) const;
  void add(const std::string& key, HICON icon);  // a key already there stays as it is
  HICON find(const std::string& key) const noexcept;  // null for none or ""

 private:
  static std::string Folded(const std::string& key);
  std::map<std::string, base::UniqueHIcon> m_icons;
};

class ViewBase : public Observer {
 public:
  ViewBase(Control& control, const char* windowClass);
  ~ViewBase() override;
  ViewBase(const ViewBase&) = delete;
  ViewBase& operator=(const ViewBase&) = delete;

  Control& control() noexcept { return m_control; }
  const Control& control() const noexcept { return m_control; }
  HWND hwnd() const noexcept { return m_hwnd; }
  ImageStore& images() noexcept { return m_images; }
  // The window, a child of parent; the control's enabled and visible apply.
  HWND create(HWND parent, int id, int x, int y, int width, int height);
  void destroy() noexcept;

 protected:
  // Set while this view lives; a handler may destroy the view (a form that
  // unloads from inside a click), so code that calls into the model holds a
  // copy and looks at it before touching the view again.
  std::weak_ptr<void> lifetime() const noexcept { return m_alive; }

  virtual DWORD windowStyle() const { return WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS; }
  virtual DWORD windowExStyle() const { return 0; }
  virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // The model changed (a view only marks itself dirty and repaints later).
  virtual void modelChanged() {}
  void invalidate() noexcept;

  // The font of the form (WM_SETFONT), or the GUI font, and its bold copy.
  HFONT font() const noexcept;
  HFONT boldFont();

  // Observer
  void structureChanged(ItemList& list) override;
  void itemChanged(const ItemPtr& item, ItemAspect aspect) override;
  void controlChanged(ControlAspect aspect) override;

  LRESULT defaultHandling(UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

  Control& m_control;
  const char* m_class;
  HWND m_hwnd = nullptr;
  HFONT m_font = nullptr;  // the form's, borrowed
  base::UniqueHFont m_bold;
  ImageStore m_images;
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace sui
