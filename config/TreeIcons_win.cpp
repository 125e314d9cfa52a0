#include <windows.h>
#include <commctrl.h>
#include <olectl.h>
#include <shellapi.h>

#include "base/handles.h"
#include "common/ShellPicture.h"
#include "config/clsCorvaneDataTools.h"
#include "widgets/ImageList.h"
#include "widgets/TreeView.h"

namespace config {

std::string clsCorvaneDataTools::TVW_AddIcon(widgets::TreeView& TVW, const std::string& location) const {
  const char kError[] = "error";
  try {
    widgets::ImageList* images = TVW.GetImageList();
    if (location.empty() || !images) return kError;
    SHFILEINFOA info{};
    auto systemList = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        location.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SYSICONINDEX));
    base::UniqueHIcon icon(info.hIcon);
    if (!icon && systemList) icon.reset(ImageList_GetIcon(systemList, info.iIcon, 0));
    if (!icon) return kError;

    const std::string key = "image_" + std::to_string(images->Count());
    base::ComPtr<IPicture> picture = common::GDIHandleToPicture(icon.get(), PICTYPE_ICON, nullptr);
    if (!picture) return kError;
    // The picture owns the icon from here on; the list keeps a copy of it.
    images->Add(key, icon.release());
    return key;
  } catch (...) {
    // A picture that cannot be had is the "error" picture, never a failure.
    return kError;
  }
}

}  // namespace config
