// The divider hosted as a dialog hosts it, through atl.dll's control host
// window: its size and its pixels read back from the screen, and the etched
// line that takes its place when Sashkit is not registered.
#include "controls/tests/sashkit_testing.h"

#include <ocidl.h>

#include <memory>

#include "base/tests/desktoplock.h"
#include "base/tests/testing.h"
#include "base/tests/screenshot.h"
#include "resources/identity.h"
#include "widgets/ActiveXSite.h"
#include "widgets/form.h"
#include "widgets/form_controls.h"

namespace {

using testing_support::CaptureScreen;
using testing_support::Pixels;

void Pump() {
  for (int i = 0; i < 10; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

class HostedDivider : public sashkit_testing::Registered {
 protected:
  void SetUp() override {
    Registered::SetUp();
    OleInitialize(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "SashkitTestDialog";
    RegisterClassExA(&wc);
    m_dialog = CreateWindowExA(WS_EX_TOPMOST, "SashkitTestDialog", "Divider", WS_POPUP | WS_VISIBLE, 0, 0, 200, 60,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(m_dialog, nullptr);
    Pump();
  }
  void TearDown() override {
    if (m_dialog) DestroyWindow(m_dialog);
    OleUninitialize();
    Registered::TearDown();
  }

  // The site's pixels as the screen shows them, saved for a person to see.
  Pixels Shot(HWND site, const char* file) {
    InvalidateRect(m_dialog, nullptr, TRUE);
    UpdateWindow(m_dialog);
    RedrawWindow(site, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    testing_support::WritePng(CaptureScreen(m_dialog), testing_support::TestProgramFolder() + "\\" + file);
    return CaptureScreen(site);
  }

  testing_support::DesktopLock m_desktop;  // its topmost window is on the shared screen
  HWND m_dialog = nullptr;
};

const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);

TEST_F(HostedDivider, AVertDividerSizedTo2000By500TwipsKeeps30TwipsWithTheShadowEndingAt1900) {
  widgets::ActiveXSite site;
  site.Create(m_dialog, CORVANE_VERTDIVIDER_PROGID, 150, 300, 2000, 500);
  Pump();
  ASSERT_TRUE(site.Hosted());
  EXPECT_EQ(site.Width(), 2000);
  EXPECT_EQ(site.Height(), 30);
  RECT r;
  GetWindowRect(site.Hwnd(), &r);
  EXPECT_EQ(r.right - r.left, widgets::TwipsToPixelsX(2000));
  EXPECT_EQ(r.bottom - r.top, widgets::TwipsToPixelsY(30));
  SIZEL extent = {};
  site.Control().query<IOleObject>(IID_IOleObject)->GetExtent(DVASPECT_CONTENT, &extent);
  EXPECT_EQ(extent.cx, MulDiv(2000, 2540, 1440));
  EXPECT_EQ(extent.cy, MulDiv(30, 2540, 1440));

  // Shadow on the first row up to 1900 twips, highlight on the second the
  // whole width: both rows show.
  const Pixels p = Shot(site.Hwnd(), "divider_hosted.png");
  ASSERT_EQ(p.height, 2);
  const int end = widgets::TwipsToPixelsX(1900);
  for (int x : {0, end / 2, end - 2}) EXPECT_EQ(p.At(x, 0), kShadow) << x;
  for (int x = end + 1; x < p.width; ++x) EXPECT_NE(p.At(x, 0), kShadow) << x;
  for (int x : {0, end, p.width - 1}) EXPECT_EQ(p.At(x, 1), kHighlight) << x;

  // The stored coordinates are only stored: the picture stays as it was.
  auto script = site.Control().query<IDispatch>(IID_IDispatch);
  LPOLESTR name[] = {const_cast<LPOLESTR>(L"X1")};
  DISPID x1 = 0;
  ASSERT_EQ(script->GetIDsOfNames(IID_NULL, name, 1, 0, &x1), S_OK);
  VARIANT fifty;
  fifty.vt = VT_I4;
  fifty.lVal = 50;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS put = {&fifty, &named, 1, 1};
  ASSERT_EQ(script->Invoke(x1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(Shot(site.Hwnd(), "divider_hosted.png").rgb, p.rgb);

  // Resized, it keeps its thickness and the shadow follows the new width.
  site.Move(150, 300, 1000, 900);
  Pump();
  EXPECT_EQ(site.Width(), 1000);
  EXPECT_EQ(site.Height(), 30);
  const Pixels q = Shot(site.Hwnd(), "divider_hosted_narrow.png");
  ASSERT_EQ(q.width, widgets::TwipsToPixelsX(1000));
  EXPECT_EQ(q.At(widgets::TwipsToPixelsX(900) - 2, 0), kShadow);
  EXPECT_NE(q.At(widgets::TwipsToPixelsX(900) + 1, 0), kShadow);

  // Narrower than the shadow's shortfall: its end lies before its start,
  // and that is no error.
  site.Move(150, 300, 60, 500);
  Pump();
  EXPECT_EQ(site.Width(), 60);
  EXPECT_EQ(site.Height(), 30);
  const Pixels n = Shot(site.Hwnd(), "divider_hosted_tiny.png");
  ASSERT_EQ(n.width, widgets::TwipsToPixelsX(60));
  EXPECT_EQ(n.At(n.width - 1, 1), kHighlight);
}

TEST_F(HostedDivider, AHorzDividerKeeps30TwipsOfWidthAndItsLinesRunDown) {
  widgets::ActiveXSite site;
  site.Create(m_dialog, CORVANE_HORZDIVIDER_PROGID, 150, 0, 500, 800);
  Pump();
  ASSERT_TRUE(site.Hosted());
  EXPECT_EQ(site.Width(), 30);
  EXPECT_EQ(site.Height(), 800);
  const Pixels p = Shot(site.Hwnd(), "divider_horz.png");
  ASSERT_EQ(p.width, 2);
  const int start = widgets::TwipsToPixelsY(15), end = widgets::TwipsToPixelsY(700);
  EXPECT_EQ(p.At(0, start + 1), kShadow);
  EXPECT_EQ(p.At(0, end - 2), kShadow);
  EXPECT_NE(p.At(0, end + 1), kShadow);
  EXPECT_EQ(p.At(1, p.height - 1), kHighlight);
}

TEST_F(HostedDivider, WithoutItsControlTheSiteDrawsAnEtchedLineAndGoesOn) {
  ASSERT_EQ(sashkit_testing::CallExport("DllUnregisterServer"), S_OK);
  for (const char* progId : {CORVANE_VERTDIVIDER_PROGID, "Sashkit.NoSuchControl", "http://example.invalid/"}) {
    SCOPED_TRACE(progId);
    widgets::ActiveXSite site;
    site.Create(m_dialog, progId, 150, 300, 2000, 500);
    Pump();
    EXPECT_FALSE(site.Hosted());
    ASSERT_NE(site.Hwnd(), nullptr);
    EXPECT_EQ(site.Height(), 30);
    // The etched pair runs the whole width: shadow, then highlight below.
    const Pixels p = Shot(site.Hwnd(), "divider_unregistered.png");
    ASSERT_EQ(p.height, 2);
    ASSERT_EQ(p.width, widgets::TwipsToPixelsX(2000));
    for (int x : {0, p.width / 2, p.width - 2}) {
      EXPECT_EQ(p.At(x, 0), kShadow) << x;
      EXPECT_EQ(p.At(x, 1), kHighlight) << x;
    }
    site.Move(0, 0, 1000, 500);
    EXPECT_EQ(site.Width(), 1000);
  }
}

TEST_F(HostedDivider, SitesMadeAndDestroyedAgainLeaveNoWindowBehind) {
  for (int i = 0; i < 20; ++i) {
    widgets::ActiveXSite site;
    site.Create(m_dialog, i % 2 ? CORVANE_VERTDIVIDER_PROGID : "Sashkit.NoSuchControl", 0, 0, 1500, 300);
    site.Destroy();
    EXPECT_EQ(site.Hwnd(), nullptr);
  }
  Pump();
  EXPECT_EQ(GetWindow(m_dialog, GW_CHILD), nullptr);
  // And no divider lives on: the host let go of every one it made.
  HMODULE dll = GetModuleHandleA("Sashkit.dll");
  ASSERT_NE(dll, nullptr);
  using CanUnloadFn = HRESULT(WINAPI*)();
  auto canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  EXPECT_EQ(canUnload(), S_OK);
}

// A dialog's divider line is the control itself once Sashkit is registered,
// the stand-in otherwise; either way it goes with its form, whichever of the
// two is destroyed first.
TEST_F(HostedDivider, AFormsDividerLineIsTheControlWhereSashkitIsRegistered) {
  for (bool registered : {true, false}) {
    SCOPED_TRACE(registered);
    if (!registered) {
      ASSERT_EQ(sashkit_testing::CallExport("DllUnregisterServer"), S_OK);
    }
    for (bool formFirst : {true, false}) {
      auto form = std::make_unique<widgets::Form>("Divider", 6000, 3000);
      form->Load();
      form->Show();
      auto& line = form->Add<widgets::DividerLine>("VertDivider1", 0, 1500, 6000);
      Pump();
      EXPECT_EQ(line.Hosted(), registered);
      EXPECT_EQ(line.Height(), 30);
      line.Move(0, 1800, 4500, 30);
      EXPECT_EQ(line.Top(), 1800);
      EXPECT_EQ(line.Width(), 4500);
      const Pixels p = Shot(line.Hwnd(), registered ? "divider_on_form.png" : "divider_on_form_unregistered.png");
      ASSERT_EQ(p.height, 2);
      EXPECT_EQ(p.At(10, 0), kShadow);
      EXPECT_EQ(p.At(10, 1), kHighlight);
      if (formFirst) form->Unload();
      form.reset();
      Pump();
    }
  }
  if (HMODULE dll = GetModuleHandleA("Sashkit.dll")) {
    using CanUnloadFn = HRESULT(WINAPI*)();
    auto canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
    EXPECT_EQ(canUnload(), S_OK);  // no divider lives on
  }
}

}  // namespace
