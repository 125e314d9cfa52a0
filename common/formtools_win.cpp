// The form and window functions of the general tools.
#include "common/shelltools.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <shlwapi.h>

#include "base/context.h"
#include "common/clsTrace.h"
#include "common/resources_win.h"
#include "widgets/form.h"

namespace common {

namespace {

constexpr long kErrInvalidPicture = 481;

struct InstanceGlobals {
  HWND window = nullptr;
  std::string title;
};

InstanceGlobals& Instance() { return base::ThreadContext::Current().Get<InstanceGlobals>(); }

// A picture made straight from a picture file's bytes in memory.
widgets::Picture LoadPictureFromBytes(std::string_view bytes) {
  base::ComPtr<IStream> stream = base::ComPtr<IStream>::Attach(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  widgets::Picture picture;
  if (!stream || FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE,
                                       IID_IPicture, picture.put_void())) ||
      !picture)
    base::RaiseError(kErrInvalidPicture, "LoadPicture", "Invalid picture");
  return picture;
}

// The picture of a resource, or null after the message when it cannot be read.
widgets::Picture PictureFromResource(const std::string& name, const std::string& type) {
  TraceScope trace("PictureFromResource");
  g_Debug().Output("name=" + name + ", type=" + type);
  std::string_view bytes;
  try {
    bytes = detail::ResourceBytes(name, type);
  } catch (const base::Error& e) {
    detail::ReportResourceFailure(name, e);
    return {};
  }
  return LoadPictureFromBytes(bytes);
}

}  // namespace

// --- windows -------------------------------------------------------------------------

bool SetRedraw(HWND hwnd, bool enable) {
  return SendMessageA(hwnd, WM_SETREDRAW, enable ? 1 : 0, 0) != 0;
}

void GetWindowClassAndText(HWND hwnd, std::string& className, std::string& text) {
  className.clear();
  text.clear();
  std::string buffer(4096, '\0');
  int n = GetClassNameA(hwnd, buffer.data(), static_cast<int>(buffer.size()));
  if (n > 0) className.assign(buffer.data(), static_cast<size_t>(n));
  n = GetWindowTextA(hwnd, buffer.data(), static_cast<int>(buffer.size()));
  if (n > 0) text.assign(buffer.data(), static_cast<size_t>(n));
}

HWND& g_hPrevInstanceWnd() { return Instance().window; }
std::string& g_szPrevInstanceTitle() { return Instance().title; }

BOOL CALLBACK FindInstanceWindowProc(HWND hwnd, LPARAM extra) noexcept {
  try {
    const auto* query = reinterpret_cast<const InstanceQuery*>(extra);
    if (!query) return TRUE;
    // The program's own windows (a second Designer's main window is made
    // before the test runs) are never the other instance.
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId()) return TRUE;
    char className[256] = {};
    int n = GetClassNameA(hwnd, className, sizeof className);
    if (n <= 0 || query->windowClass != std::string(className, static_cast<size_t>(n))) return TRUE;
    char buffer[256] = {};
    n = GetWindowTextA(hwnd, buffer, sizeof buffer);
    std::string title = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    if (title.compare(0, query->title.size(), query->title) != 0) return TRUE;
    g_hPrevInstanceWnd() = hwnd;
    g_szPrevInstanceTitle() = title;
    return FALSE;
  } catch (...) {
    return TRUE;
  }
}

HWND FindPreviousInstance(const std::string& title, const std::string& windowClass) {
  TraceScope trace("FindPreviousInstance");
  g_hPrevInstanceWnd() = nullptr;
  g_szPrevInstanceTitle().clear();
  InstanceQuery query{title, windowClass};
  EnumWindows(FindInstanceWindowProc, reinterpret_cast<LPARAM>(&query));
  g_Debug().Output("g_szPrevInstanceTitle=" + g_szPrevInstanceTitle());
  return g_hPrevInstanceWnd();
}

// --- forms ---------------------------------------------------------------------------

void CenterForm(widgets::Form& form) {
  TraceScope trace("CenterForm");
  double left = GetSystemMetrics(SM_CXFULLSCREEN) * static_cast<double>(widgets::TwipsPerPixelX()) / 2 -
                form.Width() / 2.0;
  double top = (GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION)) *
                   static_cast<double>(widgets::TwipsPerPixelY()) / 2 -
               form.Height() / 2.0;
  form.Move(std::lround(left), std::lround(top));
}

void UnloadAllForms() {
  TraceScope trace("UnloadAllForms");
  // An unloading form may unload others; each is asked only while loaded.
  for (widgets::Form* form : widgets::LoadedForms()) {
    auto now = widgets::LoadedForms();
    if (std::find(now.begin(), now.end(), form) != now.end()) form->Unload();
  }
}

void RefreshFormControls(widgets::Form& form) {
  if (form.Hwnd())
    RedrawWindow(form.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  for (const auto& control : form.Controls()) {
    try {
      control->Refresh();
    } catch (...) {
      // A control that cannot repaint is left as it is.
    }
  }
}

void SetPictureBackgroundFromResource(widgets::Control& control, const std::string& name,
                                      const std::string& type) {
  if (auto picture = PictureFromResource(name, type)) control.SetPictureBackground(picture);
}

void SetPictureFromResource(widgets::Control& control, const std::string& name,
                            const std::string& type) {
  if (auto picture = PictureFromResource(name, type)) control.SetPicture(picture);
}

void PaintResourcePicture(widgets::PictureBox& box, const std::string& name) {
  base::UniqueHBitmap bitmap(static_cast<HBITMAP>(
      LoadImageA(widgets::ThisModule(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap)
    base::RaiseError(326, "PaintResourcePicture", "Resource with identifier '" + name + "' not found");
  BITMAP info = {};
  GetObjectA(bitmap.get(), sizeof info, &info);
  // Inside Paint the box's own paint context; elsewhere a borrowed one.
  std::optional<base::WindowDc> borrowed;
  HDC target = box.Dc();
  if (!target) target = borrowed.emplace(box.Hwnd()).get();
  if (!target) return;
  base::UniqueHdc memory(CreateCompatibleDC(target));
  base::SelectObjectScope select(memory.get(), bitmap.get());
  BitBlt(target, box.ScaleWidth() - info.bmWidth, box.ScaleHeight() - info.bmHeight, info.bmWidth,
         info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace common
