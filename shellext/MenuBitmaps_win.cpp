#include "shellext/MenuBitmaps.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>

#include "base/text.h"
#include "common/clsTrace.h"
#include "shellext/PictureCache.h"
#include "base/module.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;

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

namespace {

// Spare check-mark copies a picture keeps: enough for the menus of a few
// shell windows open at once.
constexpr std::size_t kSpareCheckMarks = 4;

}  // namespace

base::UniqueHBitmap clsMenuBitmap::TakeCheckMark() {
  {
    std::lock_guard<std::mutex> hold(m_spareLock);
    if (!m_spareMarks.empty()) {
      base::UniqueHBitmap copy = std::move(m_spareMarks.back());
      m_spareMarks.pop_back();
      return copy;
    }
  }
  if (!m_lData) return base::UniqueHBitmap();
  std::lock_guard<std::mutex> hold(SharedPictureLock());
  return base::UniqueHBitmap(static_cast<HBITMAP>(CopyImage(m_lData, IMAGE_BITMAP, 0, 0, 0)));
}

void clsMenuBitmap::GiveBackCheckMark(base::UniqueHBitmap copy) {
  if (!copy) return;
  std::lock_guard<std::mutex> hold(m_spareLock);
  if (m_spareMarks.size() < kSpareCheckMarks) m_spareMarks.push_back(std::move(copy));
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
  for (BitmapPtr& m : SharedResourceBitmaps(module)) m_members.push_back(std::move(m));
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

HBITMAP clsMenuBitmaps::CheckMark(const BitmapPtr& picture) {
  if (!picture || !picture->m_lData) return nullptr;
  CheckMarkCopy& mark = m_checkMarks[picture.get()];
  if (!mark.copy) {
    mark.picture = picture;
    mark.copy = picture->TakeCheckMark();
  }
  return mark.copy.get();
}

clsMenuBitmaps::~clsMenuBitmaps() {
  for (auto& [key, mark] : m_checkMarks)
    if (mark.picture) mark.picture->GiveBackCheckMark(std::move(mark.copy));
}

clsMenuBitmaps::BitmapPtr clsMenuBitmaps::FileIcon(const std::string& fileName, bool& noIcon) {
  const std::string nameKey = base::LCase(fileName);
  if (auto found = m_fileIcons.find(nameKey); found != m_fileIcons.end()) {
    noIcon = found->second.noIcon;
    return found->second.bitmap;
  }
  const shellext::IconAnswer shared = ProcessIconCache().FileIcon(fileName);
  IconAnswer answer{shared.picture, shared.noIcon};
  // Held while the menu lives, whatever the process's cache lets go meanwhile.
  if (answer.bitmap && std::find(m_members.begin(), m_members.end(), answer.bitmap) == m_members.end())
    m_members.push_back(answer.bitmap);
  m_fileIcons.emplace(nameKey, answer);
  noIcon = answer.noIcon;
  return answer.bitmap;
}

}  // namespace shellext
