#include "shellext/clsPaintEffects.h"

#include <gtest/gtest.h>

#include "base/handles.h"
#include "shellext/tests/dib_surface.h"

namespace {

using testing_support::DibSurface;
using testing_support::SolidBitmap;

const COLORREF kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0), kRed = RGB(255, 0, 0);

// 8 x 8 of green (the transparent colour) with a red square 2..5 inside.
void PaintSource(HDC dc) {
  RECT all{0, 0, 8, 8}, square{2, 2, 6, 6};
  base::UniqueHBrush green(CreateSolidBrush(kGreen)), red(CreateSolidBrush(kRed));
  FillRect(dc, &all, green.get());
  FillRect(dc, &square, red.get());
}

// After the source went to (5, 5) of a blue destination: only the square.
void ExpectOnlyTheSquare(const DibSurface& dest) {
  EXPECT_EQ(dest.Count(7, 7, 11, 11, kRed), 16);
  EXPECT_EQ(dest.Count(0, 0, 20, 20, kBlue), 400 - 16);
}

base::ComPtr<IPicture> Picture(PICTDESC& desc) {
  desc.cbSizeofstruct = sizeof desc;
  base::ComPtr<IPicture> picture;
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void()), S_OK);
  return picture;
}

}  // namespace

TEST(PaintEffects, TransparentColourLeavesTheDestinationAlone) {
  DibSurface source(8, 8, kGreen), dest(20, 20, kBlue);
  PaintSource(source.dc());
  shellext::clsPaintEffects effects;
  effects.PaintTransparentDC(dest.dc(), 5, 5, 8, 8, source.dc(), 0, 0, kGreen);
  ExpectOnlyTheSquare(dest);

  // Part of the source: its (2, 2) lands on (0, 0).
  dest.Fill(kBlue);
  effects.PaintTransparentDC(dest.dc(), 0, 0, 3, 3, source.dc(), 2, 2, kGreen);
  EXPECT_EQ(dest.Count(0, 0, 3, 3, kRed), 9);
  EXPECT_EQ(dest.Count(0, 0, 20, 20, kBlue), 400 - 9);

  // An OLE system colour is read as the system colour.
  DibSurface window(8, 8, GetSysColor(COLOR_WINDOW));
  dest.Fill(kBlue);
  effects.PaintTransparentDC(dest.dc(), 0, 0, 8, 8, window.dc(), 0, 0, 0x80000000 | COLOR_WINDOW);
  EXPECT_EQ(dest.Count(0, 0, 20, 20, kBlue), 400);
}

TEST(PaintEffects, BitmapPicture) {
  base::UniqueHBitmap bitmap = SolidBitmap(8, 8, kGreen);
  {
    base::UniqueHdc dc(CreateCompatibleDC(nullptr));
    base::SelectObjectScope use(dc.get(), bitmap.get());
    PaintSource(dc.get());
  }
  PICTDESC desc{};
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap.release();  // the picture owns it now
  base::ComPtr<IPicture> picture = Picture(desc);
  ASSERT_TRUE(picture);
  DibSurface dest(20, 20, kBlue);
  shellext::clsPaintEffects().PaintTransparentStdPic(dest.dc(), 5, 5, 8, 8, picture.get(), 0, 0, kGreen);
  ExpectOnlyTheSquare(dest);
}

TEST(PaintEffects, IconPictureAtItsOwnSizeWithItsTransparentPart) {
  // 16 x 16: the left half is the icon's own transparent part, the right half red.
  base::UniqueHBitmap colour = SolidBitmap(16, 16, kRed);
  {
    base::UniqueHdc dc(CreateCompatibleDC(nullptr));
    base::SelectObjectScope use(dc.get(), colour.get());
    RECT left{0, 0, 8, 16};
    FillRect(dc.get(), &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  WORD maskBits[16];
  for (WORD& row : maskBits) row = 0x00FF;  // bytes: 0xFF (left, transparent), 0x00 (right)
  base::UniqueHBitmap mask(CreateBitmap(16, 16, 1, 1, maskBits));
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  PICTDESC desc{};
  desc.picType = PICTYPE_ICON;
  desc.icon.hicon = CreateIconIndirect(&info);
  ASSERT_NE(desc.icon.hicon, nullptr);
  base::ComPtr<IPicture> picture = Picture(desc);
  ASSERT_TRUE(picture);

  DibSurface dest(40, 40, kBlue);
  shellext::clsPaintEffects().PaintTransparentStdPic(dest.dc(), 2, 2, 30, 30, picture.get(), 0, 0, kGreen);
  EXPECT_EQ(dest.Count(10, 2, 18, 18, kRed), 128);
  EXPECT_EQ(dest.Count(0, 0, 40, 40, kBlue), 1600 - 128) << "no more than the icon's 16 x 16";
}

TEST(PaintEffects, OtherPicturesAndNoPictureDrawNothing) {
  PICTDESC desc{};
  desc.picType = PICTYPE_NONE;
  base::ComPtr<IPicture> none = Picture(desc);
  DibSurface dest(20, 20, kBlue);
  shellext::clsPaintEffects effects;
  ASSERT_TRUE(none);
  effects.PaintTransparentStdPic(dest.dc(), 0, 0, 20, 20, none.get(), 0, 0, kGreen);
  effects.PaintTransparentStdPic(dest.dc(), 0, 0, 20, 20, nullptr, 0, 0, kGreen);
  effects.PaintTransparentDC(dest.dc(), 0, 0, 20, 20, nullptr, 0, 0, kGreen);
  EXPECT_EQ(dest.Count(0, 0, 20, 20, kBlue), 400);
}
