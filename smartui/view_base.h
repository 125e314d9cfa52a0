// What every Win32 view of a control shares: the host window of our own
// class (one class per style, registered once per module), the view in the
// window's GWLP_USERDATA, one window procedure that lets nothing escape, the
// repaint on the model's notifications, fonts, borders and the image store.
// Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "smartui/model.h"

namespace sui {

// The module whose classes and resources the views use (the deliverable
// that links them).
HINSTANCE ViewModule() noexcept;

// The host class of a style: "SuiHost" and the style's name ("SuiHostViewBar").
std::string HostClassName(Style style);
// Unregisters the host classes of this module (a DLL's detach); failures are
// ignored.
void UnregisterHostClasses() noexcept;

// Owners of the two handle kinds only the views make.
struct HAccelTraits {
  using Type = HACCEL;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { DestroyAcceleratorTable(h); }
};
using UniqueHAccel = base::UniqueHandle<HAccelTraits>;
struct HImageListTraits {
  using Type = HIMAGELIST;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ImageList_Destroy(h); }
};
using UniqueHImageList = base::UniqueHandle<HImageListTraits>;

// A view's images: key (without regard to case) to its own copy of an icon.
class ImageStore {
 public:
  void reset() noexcept { m_icons.clear(); }
  bool contains(const std::string& key) const noexcept { return get(key) != nullptr; }
  // Keeps a copy; the caller keeps its icon. A key already present is kept.
  void add(const std::string& key, HICON icon);
  HICON get(const std::string& key) const noexcept;  // null for "" or a missing key
  size_t size() const noexcept { return m_icons.size(); }

 private:
  std::vector<std::pair<std::string, base::UniqueHIcon>> m_icons;
};

// Draws a control's border style (0 none, 1 single line, 2 sunken, 5
// raised) and gives back the area inside it.
RECT DrawBorder(HDC dc, RECT rect, int borderStyle);
// An OLE colour (high bit: a system colour index in the low byte).
COLORREF OleColour(std::uint32_t colour) noexcept;
// A copy of a font, bold or underlined.
base::UniqueHFont StyledFont(HFONT font, bool bold, bool underline);
// The text of a caption with its mnemonic marks taken out ("&&" stays "&").
std::string WithoutMnemonic(const std::string& caption);

// A view with a host window of its own class. A derived view calls create()
// at the end of its constructor. The view observes its control until the
// window goes (WM_DESTROY) or the view does.
class HostView : public Observer {
 public:
  HostView(const HostView&) = delete;
  HostView& operator=(const HostView&) = delete;
  ~HostView() override;

  HWND hwnd() const noexcept { return m_hwnd; }
  // The control, while the view is attached to it; null after.
  Control* control() const noexcept { return m_control; }
  ImageStore& images() noexcept { return m_images; }
  // Gives the host the keyboard focus.
  virtual void focus();
  // Places the host (pixels, in the parent's client coordinates).
  void move(const RECT& rect);

 protected:
  explicit HostView(Control& control);
  void create(HWND parent, const RECT& rect, int id, DWORD style = 0, DWORD exStyle = 0);

  // The messages of the host; the default answers paint, fonts, focus,
  // enabling and the control click.
  virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  // Paints the whole client area (the border included) into dc.
  virtual void paint(HDC dc, const RECT& client) = 0;

  // Marks the view for repainting, unless the control's redraw is off.
  void invalidate();
  HFONT font() const noexcept;
  HFONT boldFont();
  // True while the view lives; a view checks it after every call into the
  // model, since a handler may destroy the form and this view with it.
  std::weak_ptr<bool> lifetime() const noexcept { return m_alive; }

  // Observer: every change repaints.
  void structureChanged(ItemList& list) override;
  void itemChanged(const ItemPtr& item, ItemAspect aspect) override;
  void controlChanged(ControlAspect aspect) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void detach() noexcept;

  Control* m_control;
  HWND m_hwnd = nullptr;
  HFONT m_font = nullptr;  // borrowed from the form
  base::UniqueHFont m_bold;
  HFONT m_boldOf = nullptr;  // the font the bold copy was made from
  ImageStore m_images;
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace sui
