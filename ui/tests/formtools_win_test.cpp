// The form and window functions on real windows (under Xvfb), with the test
// program's own picture resources.
#include <gtest/gtest.h>

#include "base/tests/desktoplock.h"

#include <filesystem>

#include "base/tests/testing.h"
#include "ui/formtools.h"
#include "widgets/form.h"

using namespace ui;
using testing_support::PromptRecorder;

namespace {

// Lets a window process what was sent and posted to it.
void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A control that counts its repaints, or refuses them.
class CountingControl : public widgets::Control {
 public:
  CountingControl(widgets::Form&, std::string name, bool refuses)
      : Control(std::move(name)), m_refuses(refuses) {}
  void Refresh() override {
    if (m_refuses) base::RaiseError(438, Name());
    ++refreshes;
  }
  int refreshes = 0;

 private:
  bool m_refuses;
};

// A control with a background picture and no other.
class BackgroundHolder : public widgets::Control {
 public:
  explicit BackgroundHolder(widgets::Form&) : Control("holder") {}
  void SetPictureBackground(widgets::Picture picture) override { background = std::move(picture); }
  widgets::Picture background;
};

// The picture's size in pixels (pictures hold it in HIMETRIC).
SIZE PixelSize(const widgets::Picture& picture) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture->get_Width(&w);
  picture->get_Height(&h);
  base::WindowDc screen(nullptr);
  return {MulDiv(w, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540),
          MulDiv(h, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540)};
}

}  // namespace

TEST(FormTools, CenterFormMovesToTheMiddleOfTheWorkArea) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  widgets::Form form("Centred", 4500, 3000);
  form.Load();
  form.Move(0, 0);
  const long width = form.Width(), height = form.Height();
  CenterForm(form);

  const int tx = widgets::TwipsPerPixelX(), ty = widgets::TwipsPerPixelY();
  const double left = GetSystemMetrics(SM_CXFULLSCREEN) * tx / 2.0 - width / 2.0;
  const double top = (GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION)) * ty / 2.0 -
                     height / 2.0;
  RECT r{};
  GetWindowRect(form.Hwnd(), &r);
  EXPECT_NEAR(r.left, left / tx, 1);
  EXPECT_NEAR(r.top, top / ty, 1);
  EXPECT_EQ(form.Width(), width);  // size unchanged
  EXPECT_EQ(form.Height(), height);
  EXPECT_GT(r.left, 0);
  EXPECT_GT(r.top, 0);
}

TEST(FormTools, UnloadAllFormsUnloadsEveryLoadedForm) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  // The second form unloads the third when it goes, as a form may.
  struct Chained : widgets::Form {
    Chained(widgets::Form* next) : Form("chained", 1500, 1500), next(next) {}
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
      if (msg == WM_DESTROY && next) next->Unload();
      return Form::HandleMessage(msg, wp, lp);
    }
    widgets::Form* next;
  };
  widgets::Form first("first", 1500, 1500), third("third", 1500, 1500), never("never", 1500, 1500);
  Chained second(&third);
  first.Load();
  second.Load();
  third.Load();
  HWND windows[] = {first.Hwnd(), second.Hwnd(), third.Hwnd()};
  EXPECT_EQ(widgets::LoadedForms().size(), 3u);

  UnloadAllForms();
  EXPECT_TRUE(widgets::LoadedForms().empty());
  for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(never.IsLoaded());
  first.Load();  // an unloaded form may be loaded again
  EXPECT_TRUE(IsWindow(first.Hwnd()));
  first.Unload();
}

TEST(FormTools, RefreshFormControlsSkipsControlsThatCannotRepaint) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  widgets::Form form("Refresh", 3000, 3000);
  form.Load();
  auto& refusing = form.Add<CountingControl>("refusing", true);
  auto& counting = form.Add<CountingControl>("counting", false);
  auto& box = form.Add<widgets::PictureBox>("picBox", 0, 0, 1500, 1500);
  int paints = 0;
  box.Paint = [&](widgets::PictureBox&) { ++paints; };
  form.Show();
  Pump();
  paints = 0;

  RefreshFormControls(form);
  EXPECT_EQ(counting.refreshes, 1);  // after the one that refused
  EXPECT_EQ(paints, 1);              // painted now, not at the next message
  (void)refusing;
  form.Unload();
}

TEST(FormTools, PicturesComeFromResourceMemoryWithoutFiles) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  testing_support::TempDir dir;
  char oldTmp[1024] = {};
  GetEnvironmentVariableA("TMP", oldTmp, sizeof oldTmp);
  SetEnvironmentVariableA("TMP", (dir.Path() + "\\").c_str());
  PromptRecorder prompts;

  widgets::Form form("Pictures", 3000, 3000);
  form.Load();
  auto& box = form.Add<widgets::PictureBox>("picBox", 0, 0, 1500, 1500);
  auto& holder = form.Add<BackgroundHolder>();

  SetPictureFromResource(box, "sample", "PICTURES");
  ASSERT_TRUE(box.GetPicture());
  SIZE size = PixelSize(box.GetPicture());
  EXPECT_EQ(size.cx, 8);
  EXPECT_EQ(size.cy, 6);
  SetPictureBackgroundFromResource(holder, "sample", "PICTURES");
  EXPECT_TRUE(holder.background);

  // A control without the property, and bytes that are no picture.
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { SetPictureBackgroundFromResource(box, "sample", "PICTURES"); }), 438);
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { SetPictureFromResource(box, "broken", "PICTURES"); }), 481);
  EXPECT_TRUE(prompts.Prompts().empty());

  // A resource that cannot be read: the message, no picture, the program goes on.
  widgets::Form other("Other", 3000, 3000);
  other.Load();
  auto& empty = other.Add<widgets::PictureBox>("picEmpty", 0, 0, 1500, 1500);
  SetPictureFromResource(empty, "missing", "PICTURES");
  EXPECT_FALSE(empty.GetPicture());
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text.rfind("Error encountered while referencing the resource \"missing\"", 0), 0u);

  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));  // nothing went through the disk
  SetEnvironmentVariableA("TMP", oldTmp);
}

TEST(FormTools, PaintResourcePictureSitsInTheBottomRightCornerAtItsOwnSize) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  widgets::Form form("Background", 6000, 6000);
  form.Load();
  auto& box = form.Add<widgets::PictureBox>("picBackground", 0, 0, 1500, 1200);
  bool failed = false;
  box.Paint = [&](widgets::PictureBox& b) {
    try {
      PaintResourcePicture(b, "background");
    } catch (...) {
      failed = true;
    }
  };
  form.Show();
  UpdateWindow(form.Hwnd());
  RedrawWindow(box.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_FALSE(failed);

  const long w = box.ScaleWidth(), h = box.ScaleHeight();
  base::WindowDc dc(box.Hwnd());
  // The picture (8 x 6) is red with a blue top-left and a green bottom-right pixel.
  EXPECT_EQ(GetPixel(dc.get(), w - 8, h - 6), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc.get(), w - 1, h - 1), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc.get(), w - 4, h - 3), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(dc.get(), w - 9, h - 7), RGB(255, 0, 0));  // not stretched
  EXPECT_NE(GetPixel(dc.get(), 2, 2), RGB(255, 0, 0));

  EXPECT_EQ(testing_support::ErrorNumberOf([&] { PaintResourcePicture(box, "missing"); }), 326);
  form.Unload();
}
