// The form functions: placing, unloading and repainting forms, and their
// pictures from the deliverable's resources.
#include "ui/formtools.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <shlwapi.h>

#include "base/module.h"
#include "common/clsTrace.h"
#include "common/resources_win.h"
#include "widgets/form.h"

namespace ui {

using common::g_Debug;
using common::TraceScope;

namespace {

constexpr long kErrInvalidPicture = 481;

// A picture made straight from a picture file's bytes in memory.
widgets::Picture LoadPictureFromBytes(std::string_view bytes) {
  base::ComPtr<IStream> stream = base::ComPtr<IStream>::Attach(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  widgets::Picture picture;
  if (!stream ||
      FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                            picture.put_void())) ||
      !picture)
    base::RaiseError(kErrInvalidPicture, "LoadPicture", "Invalid picture");
  return picture;
}

// The picture of a resource, or null after the message when it cannot be read.
widgets::Picture PictureFromResource(const std::string& name, const std::string& type) {
  TraceScope trace("PictureFromResource");
  g_Debug().Output([&] { return "name=" + name + ", type=" + type; });
  std::string_view bytes;
  try {
    bytes = common::detail::ResourceBytes(name, type);
  } catch (const base::Error& e) {
    common::detail::ReportResourceFailure(name, e);
    return {};
  }
  return LoadPictureFromBytes(bytes);
}

}  // namespace

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
  if (form.Hwnd()) RedrawWindow(form.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
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

void SetPictureFromResource(widgets::Control& control, const std::string& name, const std::string& type) {
  if (auto picture = PictureFromResource(name, type)) control.SetPicture(picture);
}

void PaintResourcePicture(widgets::PictureBox& box, const std::string& name) {
  base::UniqueHBitmap bitmap(static_cast<HBITMAP>(
      LoadImageA(base::ThisModule(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
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

}  // namespace ui
