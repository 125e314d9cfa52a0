// Where the main window stands between runs: the placement kept in the
// registry (twips, the normal rectangle whatever the state) and the rule that
// brings a stored rectangle back onto a screen that exists. Portable.
#pragma once
#include <cstdint>
#include <vector>

namespace designer {

// Window states as the registry keeps them.
inline constexpr std::int32_t kStateNormal = 0;
inline constexpr std::int32_t kStateMinimised = 1;
inline constexpr std::int32_t kStateMaximised = 2;

// The smallest the main window may be, either way, in twips.
inline constexpr long kMinWindowTwips = 6000;

struct PixelRect {
  long left = 0, top = 0, right = 0, bottom = 0;
  long Width() const noexcept { return right - left; }
  long Height() const noexcept { return bottom - top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The five registry values. They are DWORDs read back as signed numbers: a
// window on a screen left of or above the primary one has negative
// coordinates.
struct StoredPlacement {
  std::int32_t state = kStateNormal;
  std::int32_t top = 0, left = 0, width = 0, height = 0;  // twips
  friend bool operator==(const StoredPlacement&, const StoredPlacement&) = default;
};

// What is saved for a window whose normal (restored) rectangle is `normal`
// in screen pixels: a minimised or maximised window keeps the rectangle it
// will restore to, never the icon's place off screen or the whole screen.
StoredPlacement PlacementToStore(const PixelRect& normal, bool minimised, bool maximised, int twipsX,
                                 int twipsY) noexcept;

// The state a stored one restores to: minimised (and anything unknown)
// comes back normal.
std::int32_t RestoredState(std::int32_t stored) noexcept;

// The stored rectangle in pixels, at least the smallest size, moved (and
// shrunk when it must) so that it lies on the work area it overlaps most,
// or on the first one (the primary screen) when it overlaps none.
PixelRect KeepOnScreen(const StoredPlacement& stored, const std::vector<PixelRect>& workAreas, int twipsX,
                       int twipsY) noexcept;

}  // namespace designer
