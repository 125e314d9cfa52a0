// What every SmartUI view window shares: its window class, registered once
// per module (never CS_GLOBALCLASS: Designer and Fennick both carry these
// views, and Fennick also runs inside Designer's process), `this` kept in
// GWLP_USERDATA, one window procedure that lets nothing escape, and the
// model's notifications turned into repaints. Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <commctrl.h>

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

// Draws a control's border style (0 none, 1 single line, 2 sunken, 5
// raised) and gives back the area inside it.
RECT DrawBorder(HDC dc, RECT rect, int borderStyle);
// An OLE colour (high bit: a system colour index in the low byte).
COLORREF OleColour(std::uint32_t colour) noexcept;
// A copy of a font, bold or underlined.
base::UniqueHFont StyledFont(HFONT font, bool bold, bool underline);
// The text of a caption with its mnemonic marks taken out ("&&" stays "&").
std::string WithoutMnemonic(const std::string& caption);

// A view that paints itself: the whole client area, off screen first, over
// the button face, in the view's font. The host class is the style's
// ("SuiHostViewBar").
class HostView : public ViewBase {
 public:
  // Gives the host the keyboard focus.
  virtual void focus();
  // Places the host (pixels, in the parent's client coordinates).
  void move(const RECT& rect);

 protected:
  explicit HostView(Control& control);
  void create(HWND parent, const RECT& rect, int id);

  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;
  virtual void paint(HDC dc, const RECT& client) = 0;
};

}  // namespace sui
