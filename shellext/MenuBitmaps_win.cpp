#include "shellext/MenuBitmaps.h"

#include <commctrl.h>

#include "base/module.h"
#include "base/text.h"
#include "common/clsTrace.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;

namespace {

constexpr int kIconBitmapSize = 16;

}  // namespace

clsMenuBitmap::clsMenuBitmap(std::int32_t key, std::string textKey, base::UniqueHBitmap full,
                             std::optional<base::UniqueHBitmap> shown)
    : m_lKey(key), m_szKey(std::move(textKey)), m_full(std::move(full)) {
  m_lData2 = m_full.get();
  if (shown) {
    m_shown = std::move(*shown);
    m_lData = m_shown.get();
  } else {
    m_lData = m_lData2;
  }
}

base::UniqueHBitmap ReplaceBitmapColour(std::int32_t lResId, COLORREF lFromRGB, COLORREF lToRGB, HMODULE hInstance) {
  if (!hInstance) hInstance = base::ThisModule();
  COLORMAP map{lFromRGB, lToRGB};
  base::UniqueHBitmap bitmap(CreateMappedBitmap(hInstance, lResId, 0, &map, 1));
  g_Debug().Output([&] {
    return "lResId=" + std::to_string(lResId) + "  lFromRGB=" + std::to_string(lFromRGB) +
           "  lToRGB=" + std::to_string(lToRGB) + "  hInstance=" + clsTrace::ToHex(hInstance);
  });
  g_Debug().Output([&] { return "ReplaceBitmapColour=" + clsTrace::ToHex(bitmap.get()); });
  return bitmap;
}

base::UniqueHBitmap ScaleBMP(HBITMAP hBitmap, bool bDeleteSource) {
  common::TraceScope scope("ScaleBMP");
  g_Debug().Output([&] { return "hBitmap1=" + clsTrace::ToHex(hBitmap); });
  base::UniqueHBitmap scaled;
  BITMAP source{};
  if (hBitmap && GetObjectA(hBitmap, sizeof source, &source) == sizeof source) {
    TEXTMETRICA tm{};
    base::UniqueHdc info(CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    GetTextMetricsA(info.get(), &tm);
    base::UniqueHdc from(CreateCompatibleDC(info.get()));
    base::UniqueHdc to(CreateCompatibleDC(info.get()));
    info.reset();
    BITMAP wanted = source;
    wanted.bmWidth = tm.tmMaxCharWidth;
    wanted.bmHeight = tm.tmHeight;
    wanted.bmWidthBytes = ((wanted.bmBitsPixel * wanted.bmWidth + 15) / 16) * 2;
    wanted.bmBits = nullptr;
    g_Debug().Output([&] {
      return "tm.tmMaxCharWidth=" + std::to_string(wanted.bmWidth) +
             "  tm.tmHeight=" + std::to_string(wanted.bmHeight);
    });
    if (wanted.bmWidth > 0 && wanted.bmHeight > 0) scaled.reset(CreateBitmapIndirect(&wanted));
    if (!scaled) {
      g_Debug().Output([&] { return "GetLastError=" + std::to_string(GetLastError()); });
    } else if (from && to) {
      g_Debug().Output([&] { return "hBitmap2=" + clsTrace::ToHex(scaled.get()); });
      base::SelectObjectScope selectFrom(from.get(), hBitmap);
      base::SelectObjectScope selectTo(to.get(), scaled.get());
      StretchBlt(to.get(), 0, 0, wanted.bmWidth, wanted.bmHeight, from.get(), 0, 0, source.bmWidth,
                 source.bmHeight, SRCCOPY);
    }
  }
  if (bDeleteSource && hBitmap) DeleteObject(hBitmap);
  g_Debug().Output([&] { return "ScaleBMP=" + clsTrace::ToHex(scaled.get()); });
  return scaled;
}

base::UniqueHBitmap IconToBitmap(HDC hDC, HICON hIcon, std::int32_t lColourIndex, std::int32_t lSize,
                                 std::int32_t lFlags) {
  base::UniqueHBitmap bitmap(CreateCompatibleBitmap(hDC, lSize, lSize));
  if (!bitmap) return bitmap;
  base::SelectObjectScope select(hDC, bitmap.get());
  const int drawn = (lFlags & 1) ? 14 : lSize;
  base::UniqueHBrush brush(CreateSolidBrush(GetSysColor(lColourIndex + 1)));
  // The whole bitmap, not only where the icon goes: a new bitmap holds
  // whatever memory it got, and the smaller icon leaves a margin of it.
  RECT rc{0, 0, lSize, lSize};
  FillRect(hDC, &rc, brush.get());
  DrawIconEx(hDC, 0, 0, hIcon, drawn, drawn, 0, nullptr, DI_NORMAL);
  return bitmap;
}

void clsMenuBitmaps::LoadResourceBitmaps(HMODULE module) {
  const COLORREF menuColour = GetSysColor(COLOR_MENU);
  for (std::int32_t resource : {102, 101, 103, 104, 105, 106, 107, 108, 109}) {
    base::UniqueHBitmap mapped = ReplaceBitmapColour(resource, kMaskColour, menuColour, module);
    std::optional<base::UniqueHBitmap> shown;
    if (resource <= 103) shown = ScaleBMP(mapped.get(), false);
    m_members.push_back(std::make_shared<clsMenuBitmap>(resource - 100, "", std::move(mapped), std::move(shown)));
  }
  for (const BitmapPtr& m : m_members)
    g_Debug().Output([&] {
      return "Key=" + std::to_string(m->m_lKey) + "  Bitmap=" + clsTrace::ToHex(m->m_lData) +
             "  Index=" + std::to_string(&m - m_members.data() + 1);
    });
}

clsMenuBitmaps::BitmapPtr clsMenuBitmaps::Find(std::int32_t key) const {
  for (const BitmapPtr& m : m_members)
    if (m->m_lKey == key && m->m_szKey.empty()) return m;
  return nullptr;
}

HDC clsMenuBitmaps::Surface() {
  if (!m_surface) {
    base::WindowDc screen(nullptr);
    m_surface.reset(CreateCompatibleDC(screen.get()));
    m_surfaceBitmap.reset(CreateCompatibleBitmap(screen.get(), kIconBitmapSize, kIconBitmapSize));
    if (m_surface && m_surfaceBitmap) m_surfaceOld = SelectObject(m_surface.get(), m_surfaceBitmap.get());
  }
  return m_surface.get();
}

clsMenuBitmaps::~clsMenuBitmaps() {
  if (m_surface && m_surfaceOld) SelectObject(m_surface.get(), m_surfaceOld);
}

clsMenuBitmaps::BitmapPtr clsMenuBitmaps::FileIcon(const std::string& fileName, bool& noIcon) {
  const std::string nameKey = base::LCase(fileName);
  if (auto found = m_fileIcons.find(nameKey); found != m_fileIcons.end()) {
    noIcon = found->second.noIcon;
    return found->second.bitmap;
  }
  g_Debug().Output([&] { return "szFilename=" + fileName; });
  // The system image list and the icon's place in it: asking for the icon
  // itself as well would double the shell's work for every name.
  SHFILEINFOA info{};
  auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(fileName.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  g_Debug().Output(
      [&] { return "hImageList=" + clsTrace::ToHex(list) + "  iIcon=" + std::to_string(info.iIcon); });
  IconAnswer answer;
  const std::string textKey = std::to_string(reinterpret_cast<std::uintptr_t>(list)) + "." + std::to_string(info.iIcon);
  if (auto drawn = m_iconBitmaps.find(textKey); list && drawn != m_iconBitmaps.end()) {
    answer.bitmap = drawn->second;  // the same icon as a name before
  } else {
    base::UniqueHIcon icon(list ? ImageList_GetIcon(list, info.iIcon, ILD_NORMAL) : nullptr);
    answer.noIcon = !icon;
    HDC surface = icon ? Surface() : nullptr;
    if (surface) {
      g_Debug().Output([&] { return "m_frmTemp.picTemp.hDC=" + clsTrace::ToHex(surface); });
      base::UniqueHBitmap full = IconToBitmap(surface, icon.get(), COLOR_MENU, kIconBitmapSize, 0);
      g_Debug().Output([&] { return "hBitmap=" + clsTrace::ToHex(full.get()); });
      if (full) {
        g_Debug().Output("Adding to bitmap collection");
        base::UniqueHBitmap small = IconToBitmap(surface, icon.get(), COLOR_MENU, kIconBitmapSize, 1);
        answer.bitmap = std::make_shared<clsMenuBitmap>(0, textKey, std::move(full), std::move(small));
        m_members.push_back(answer.bitmap);
        m_iconBitmaps.emplace(textKey, answer.bitmap);
      }
    }
  }
  m_fileIcons.emplace(nameKey, answer);
  noIcon = answer.noIcon;
  return answer.bitmap;
}

}  // namespace shellext
