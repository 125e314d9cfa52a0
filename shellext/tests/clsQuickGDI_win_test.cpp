#include "shellext/clsQuickGDI.h"

#include <gtest/gtest.h>

#include "shellext/tests/dib_surface.h"

namespace {

using testing_support::DibSurface;

const COLORREF kBack = RGB(255, 0, 255);

}  // namespace

TEST(QuickGDI, PrintsTextOverTheBackgroundAndRestoresTheContext) {
  DibSurface s(100, 30, kBack);
  shellext::clsQuickGDI gdi;
  EXPECT_EQ(gdi.hPrint(2, 2, "Hill", RGB(0, 0, 255), 100, 30), 0) << "no target, no text";
  gdi.SetTargethDC(s.dc());
  SetTextColor(s.dc(), RGB(1, 2, 3));
  SetBkMode(s.dc(), OPAQUE);
  SetBkColor(s.dc(), RGB(0, 255, 0));

  TEXTMETRICA metrics{};
  GetTextMetricsA(s.dc(), &metrics);
  EXPECT_EQ(gdi.hPrint(2, 2, "Hill", RGB(0, 0, 255), 100, 30), metrics.tmHeight);
  EXPECT_GT(s.Count(2, 2, 100, 30, RGB(0, 0, 255)), 0);
  EXPECT_EQ(s.Count(0, 0, 100, 30, RGB(0, 255, 0)), 0) << "no opaque text background";
  EXPECT_EQ(s.Count(0, 0, 2, 30, kBack), 2 * 30) << "nothing left of x";
  EXPECT_EQ(s.Count(0, 0, 100, 2, kBack), 100 * 2) << "nothing above y";
  EXPECT_EQ(GetTextColor(s.dc()), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(s.dc()), OPAQUE);
}

TEST(QuickGDI, ThreedBoxRaisedAndSunken) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  const struct {
    bool sunken;
    COLORREF leftTop, rightBottom;
  } cases[] = {{false, light, dark}, {true, dark, light}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sunken ? "sunken" : "raised");
    DibSurface s(30, 30, kBack);
    const HGDIOBJ pen = GetCurrentObject(s.dc(), OBJ_PEN);
    shellext::clsQuickGDI gdi;
    gdi.ThreedBox(5, 5, 20, 20, c.sunken);  // no target: nothing
    EXPECT_EQ(s.Count(0, 0, 30, 30, kBack), 900);
    gdi.SetTargethDC(s.dc());
    gdi.ThreedBox(5, 5, 20, 20, c.sunken);
    EXPECT_EQ(s.Pixel(5, 12), c.leftTop);
    EXPECT_EQ(s.Pixel(12, 5), c.leftTop);
    EXPECT_EQ(s.Pixel(20, 12), c.rightBottom);
    EXPECT_EQ(s.Pixel(12, 20), c.rightBottom);
    EXPECT_EQ(s.Count(6, 6, 20, 20, kBack), 14 * 14) << "only a frame";
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), pen);
  }
}
