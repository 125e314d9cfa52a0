#include <windows.h>
#include <commctrl.h>
#include <olectl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "base/handles.h"
#include "base/text.h"
#include "common/ShellPicture.h"
#include "config/clsCorvaneDataTools.h"
#include "widgets/ImageList.h"
#include "widgets/TreeView.h"

namespace config {

namespace {

const char kKindPrefix[] = "kind:";

// The default value of a key under HKEY_CLASSES_ROOT, empty when there is
// none; `fits` false when it is too long to read.
std::string ClassValue(const std::string& subkey, bool& fits) {
  char value[1024] = {};
  LONG size = sizeof value;
  const LONG status = RegQueryValueA(HKEY_CLASSES_ROOT, subkey.c_str(), value, &size);
  fits = status != ERROR_MORE_DATA;
  return status == ERROR_SUCCESS ? std::string(value) : std::string();
}

bool ClassKeyExists(const std::string& subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Whether files of an extension each show an icon of their own (programs,
// shortcuts, icon files: a "%1" default icon or an icon handler) rather
// than the one icon of their kind. A value too long to read counts as
// their own.
bool HasOwnIcons(const std::string& extension) {
  bool fits = true;
  const std::string kind = ClassValue(extension, fits);
  for (const std::string& key : {extension, kind}) {
    if (key.empty()) continue;
    const std::string icon = ClassValue(key + "\\DefaultIcon", fits);
    if (!fits || icon.find("%1") != std::string::npos || ClassKeyExists(key + "\\shellex\\IconHandler"))
      return true;
  }
  return false;
}

// What every location of one picture may share, so that the picture is
// asked of the shell once: "folder" for a plain folder, "kind:" and the
// extension for a file. Empty when the location has a picture of its own (a
// drive, a customised folder, a location that is not a file or folder on
// disk): the shell is asked for each. A kind whose files have icons of their
// own is found out when the kind is not known yet (CheckedIconSource).
std::string SharedIconSource(const std::string& location) {
  const DWORD attributes = GetFileAttributesA(location.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    const bool customised = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    return customised || PathIsRootA(location.c_str()) ? std::string() : std::string("folder");
  }
  const char* dot = PathFindExtensionA(location.c_str());
  std::string extension = base::LCase(dot ? dot : "");
  if (extension.size() <= 1) extension.clear();  // no extension, or a bare dot
  return kKindPrefix + extension;
}

// The shared source, or empty when it is a kind whose files each have an
// icon of their own.
std::string CheckedIconSource(std::string shared) {
  if (shared.rfind(kKindPrefix, 0) == 0) {
    const std::string extension = shared.substr(sizeof kKindPrefix - 1);
    if (!extension.empty() && HasOwnIcons(extension)) shared.clear();
  }
  return shared;
}

}  // namespace

std::string clsCorvaneDataTools::TVW_AddIcon(widgets::TreeView& TVW, const std::string& location) const {
  const char kError[] = "error";
  try {
    widgets::ImageList* images = TVW.GetImageList();
    if (location.empty() || !images) return kError;
    // One picture per icon: a location whose picture the list holds already
    // shows that picture. The shell's answer for a location is the number of
    // its icon in the system image list, which names the picture too.
    std::string shared = SharedIconSource(location);
    if (const std::int32_t known = shared.empty() ? 0 : images->IndexOfSource(shared)) return images->Key(known);
    shared = CheckedIconSource(std::move(shared));

    SHFILEINFOA info{};
    auto systemList = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        location.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SYSICONINDEX));
    base::UniqueHIcon icon(info.hIcon);
    const std::string source = systemList ? "shell:" + std::to_string(info.iIcon) : std::string();
    if (const std::int32_t known = source.empty() ? 0 : images->IndexOfSource(source)) {
      if (!shared.empty()) images->SetSource(shared, known);
      return images->Key(known);
    }
    if (!icon && systemList) icon.reset(ImageList_GetIcon(systemList, info.iIcon, 0));
    if (!icon) return kError;

    const std::string key = "image_" + std::to_string(images->Count());
    base::ComPtr<IPicture> picture = common::GDIHandleToPicture(icon.get(), PICTYPE_ICON, nullptr);
    if (!picture) return kError;
    // The picture owns the icon from here on; the list keeps a copy of it.
    const std::int32_t index = images->Add(key, icon.release());
    if (!source.empty()) images->SetSource(source, index);
    if (!shared.empty()) images->SetSource(shared, index);
    return key;
  } catch (...) {
    // A picture that cannot be had is the "error" picture, never a failure.
    return kError;
  }
}

}  // namespace config
