#include <windows.h>
#include <olectl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

#include "base/handles.h"
#include "common/clsTrace.h"
#include "common/ShellPicture.h"
#include "common/SpecialFolders.h"

namespace common {

namespace {

std::string HexOf(const void* handle) {
  char text[2 + 2 * sizeof(void*) + 1];
  std::snprintf(text, sizeof text, "0x%0*llX", static_cast<int>(2 * sizeof(void*)),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
  return text;
}

std::string DisplayNameOf(const SHFILEINFOA& info) {
  return CutAtNull(std::string(info.szDisplayName, sizeof info.szDisplayName));
}

}  // namespace

std::string GetSpecialFolderName(void* hwndOwner, std::int32_t csidl, bool qualify) {
  base::UniquePidl pidl;
  if (FAILED(SHGetSpecialFolderLocation(static_cast<HWND>(hwndOwner), csidl, pidl.put())) || !pidl) return "";
  g_Debug().Output([&] { return "Pidl=" + HexOf(pidl.get()); });
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl.get()), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME))
    return "";
  return (qualify ? SpecialFolderQualifier(csidl) : "") + DisplayNameOf(info);
}

std::string GetFileDisplayName(const std::string& path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return "";
  return DisplayNameOf(info);
}

base::ComPtr<IPicture> GDIHandleToPicture(HANDLE handle, std::int32_t pictureType, HPALETTE palette) {
  TraceScope scope("GDIHandleToPicture");
  g_Debug().Output([&] { return "Handle=" + HexOf(handle); });
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = static_cast<UINT>(pictureType);
  switch (pictureType) {
    case PICTYPE_ICON: desc.icon.hicon = static_cast<HICON>(handle); break;
    case PICTYPE_ENHMETAFILE: desc.emf.hemf = static_cast<HENHMETAFILE>(handle); break;
    default:
      desc.bmp.hbitmap = static_cast<HBITMAP>(handle);
      desc.bmp.hpal = palette;
      break;
  }
  base::ComPtr<IPicture> picture;
  // Owned: the picture destroys the handle when it is released.
  const HRESULT hr = OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void());
  OLE_HANDLE made = 0;
  if (picture) picture->get_Handle(&made);
  g_Debug().Output([&] {
    return "Handle=" + HexOf(reinterpret_cast<void*>(static_cast<UINT_PTR>(made))) + " " +
           clsTrace::ToHex(static_cast<std::int32_t>(hr));
  });
  if (FAILED(hr)) return {};
  return picture;
}

}  // namespace common
