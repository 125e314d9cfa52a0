// A site for one ActiveX control, made by its ProgID in atl.dll's control
// host window and placed in twips. Where atl.dll, the registration or the
// control itself is missing (or is of the other bitness), a plain etched line
// takes its place and the dialog goes on. Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <string>

namespace widgets {

class ActiveXSite {
 public:
  ActiveXSite() = default;
  ~ActiveXSite() { Destroy(); }
  ActiveXSite(const ActiveXSite&) = delete;
  ActiveXSite& operator=(const ActiveXSite&) = delete;

  // Makes the site a child of parent; position and size in twips. The
  // thread has COM (OLE) initialised. Never fails: at worst it is a line.
  void Create(HWND parent, const std::string& progId, long left, long top, long width, long height);
  // Places and sizes it again; the control may keep a size of its own (a
  // divider keeps its thickness), which Width and Height then give.
  void Move(long left, long top, long width, long height);
  void Destroy() noexcept;
  // Lets go of a window its parent already destroyed.
  void Abandon() noexcept {
    m_control.reset();
    m_hwnd = nullptr;
  }

  HWND Hwnd() const noexcept { return m_hwnd; }
  bool Hosted() const noexcept { return static_cast<bool>(m_control); }  // the control, not the line
  const base::ComPtr<IUnknown>& Control() const noexcept { return m_control; }
  long Width() const noexcept { return m_width; }  // twips
  long Height() const noexcept { return m_height; }

 private:
  void Place(long left, long top, long width, long height);

  HWND m_hwnd = nullptr;  // owned: the host window or the line
  base::ComPtr<IUnknown> m_control;
  long m_width = 0, m_height = 0;
};

}  // namespace widgets
