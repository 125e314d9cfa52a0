// The form base on real windows (under Xvfb).
#include "widgets/form.h"

#include <gtest/gtest.h>

#include "base/tests/testing.h"
#include "widgets/tests/pictures.h"

using namespace widgets;

using testing_support::SolidPicture;

TEST(Form, LoadsInTwipsAndForgetsItsWindowWhenItGoes) {
  Form form("Form base", 150 * TwipsPerPixelX(), 100 * TwipsPerPixelY());
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(form.Width(), 150 * TwipsPerPixelX());  // the designed size before loading
  form.Load();
  ASSERT_TRUE(form.IsLoaded());
  RECT r{};
  GetWindowRect(form.Hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 100);
  form.Move(30 * TwipsPerPixelX(), 40 * TwipsPerPixelY());
  EXPECT_EQ(form.Left(), 30 * TwipsPerPixelX());
  EXPECT_EQ(form.Top(), 40 * TwipsPerPixelY());
  ASSERT_EQ(LoadedForms().size(), 1u);
  EXPECT_EQ(LoadedForms()[0], &form);

  auto& box = form.Add<PictureBox>("picBox", 0, 0, 600, 600);
  HWND boxWindow = box.Hwnd();
  EXPECT_TRUE(IsChild(form.Hwnd(), boxWindow));
  EXPECT_EQ(form.Controls().size(), 1u);
  EXPECT_EQ(form.Controls()[0]->Name(), "picBox");

  // Destroyed from outside (as when the user closes it): the form lets go.
  DestroyWindow(form.Hwnd());
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_TRUE(LoadedForms().empty());
  EXPECT_TRUE(form.Controls().empty());
  EXPECT_FALSE(IsWindow(boxWindow));

  form.Load();
  EXPECT_TRUE(form.IsLoaded());
}

TEST(Form, PictureBoxDrawsItsPictureAtTheTopLeftThenItsPaintHandler) {
  Form form("Picture box", 6000, 6000);
  form.Load();
  auto& box = form.Add<PictureBox>("picBox", 0, 0, 100 * TwipsPerPixelX(), 80 * TwipsPerPixelY());
  EXPECT_EQ(box.ScaleWidth(), 100);
  EXPECT_EQ(box.ScaleHeight(), 80);
  box.SetPicture(SolidPicture(10, 10, RGB(0, 0, 255)));
  HDC seen = nullptr;
  box.Paint = [&](PictureBox& b) {
    seen = b.Dc();
    SetPixel(b.Dc(), 50, 50, RGB(0, 255, 0));
    throw std::runtime_error("a handler that fails ends its paint, not the program");
  };
  form.Show();
  RedrawWindow(box.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(seen);
  EXPECT_EQ(box.Dc(), nullptr);  // only during the paint
  base::WindowDc dc(box.Hwnd());
  EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc.get(), 9, 9), RGB(0, 0, 255));
  EXPECT_NE(GetPixel(dc.get(), 10, 10), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc.get(), 50, 50), RGB(0, 255, 0));

  // A picture property the box lacks, and a control with no window.
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { box.SetPictureBackground({}); }), 438);
  form.Unload();
  struct Windowless : Control {
    Windowless() : Control("none") {}
  } none;
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { none.Refresh(); }), 438);
}
