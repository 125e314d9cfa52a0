#include "designer/MainPlacement.h"

#include <algorithm>

namespace designer {

StoredPlacement PlacementToStore(const PixelRect& normal, bool minimised, bool maximised, int twipsX,
                                 int twipsY) noexcept {
  StoredPlacement p;
  p.state = maximised ? kStateMaximised : minimised ? kStateMinimised : kStateNormal;
  p.left = static_cast<std::int32_t>(normal.left * twipsX);
  p.top = static_cast<std::int32_t>(normal.top * twipsY);
  p.width = static_cast<std::int32_t>(normal.Width() * twipsX);
  p.height = static_cast<std::int32_t>(normal.Height() * twipsY);
  return p;
}

std::int32_t RestoredState(std::int32_t stored) noexcept {
  return stored == kStateMaximised ? kStateMaximised : kStateNormal;
}

namespace {

long Overlap(const PixelRect& a, const PixelRect& b) noexcept {
  const long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Moves one side of the span into [low, high), shrinking it when it is wider.
void Fit(long& start, long& end, long low, long high) noexcept {
  const long size = std::min(end - start, high - low);
  if (end > high) start = high - size;
  if (start < low) start = low;
  end = start + size;
}

}  // namespace

PixelRect KeepOnScreen(const StoredPlacement& stored, const std::vector<PixelRect>& workAreas, int twipsX,
                       int twipsY) noexcept {
  const long tx = twipsX > 0 ? twipsX : 15, ty = twipsY > 0 ? twipsY : 15;
  PixelRect r;
  r.left = stored.left / tx;
  r.top = stored.top / ty;
  r.right = r.left + std::max<long>(stored.width, kMinWindowTwips) / tx;
  r.bottom = r.top + std::max<long>(stored.height, kMinWindowTwips) / ty;
  if (workAreas.empty()) return r;
  const PixelRect* best = &workAreas.front();
  long most = 0;
  for (const PixelRect& area : workAreas) {
    const long o = Overlap(r, area);
    if (o > most) {
      most = o;
      best = &area;
    }
  }
  Fit(r.left, r.right, best->left, best->right);
  Fit(r.top, r.bottom, best->top, best->bottom);
  return r;
}

}  // namespace designer
