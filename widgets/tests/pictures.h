// Windows test helper: pictures made in memory for the form tests.
#pragma once
#include "widgets/form.h"

namespace testing_support {

// A picture of one colour, w x h pixels.
inline widgets::Picture SolidPicture(int w, int h, COLORREF colour) {
  base::WindowDc screen(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), w, h);
  {
    base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
    base::SelectObjectScope select(dc.get(), bitmap);
    base::UniqueHBrush brush(CreateSolidBrush(colour));
    RECT r{0, 0, w, h};
    FillRect(dc.get(), &r, brush.get());
  }
  PICTDESC desc = {};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  widgets::Picture picture;
  OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void());  // owns the bitmap
  return picture;
}

}  // namespace testing_support
