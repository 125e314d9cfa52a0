#include "designer/frmAbout.h"

#include "common/appinfo.h"
#include "common/shelltools.h"
#include "designer/AboutTexts.h"
#include "smartui/model.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"
#include "widgets/form_controls.h"

namespace designer {

namespace {

constexpr long kBannerWidth = 1500;
constexpr long kButtonWidth = 1500, kButtonHeight = 375, kMargin = 120;

// The banner down the left side: the caption colours blended from top to
// bottom, as the title bars of the system draw them.
void PaintBanner(widgets::PictureBox& box) {
  const HDC dc = box.Dc();
  if (!dc) return;
  const COLORREF top = GetSysColor(COLOR_ACTIVECAPTION), bottom = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
  const long width = box.ScaleWidth(), height = box.ScaleHeight();
  constexpr int kBands = 32;
  for (int i = 0; i < kBands; ++i) {
    auto mix = [&](int a, int b) { return a + (b - a) * i / (kBands - 1); };
    base::UniqueHBrush brush(CreateSolidBrush(RGB(mix(GetRValue(top), GetRValue(bottom)),
                                                  mix(GetGValue(top), GetGValue(bottom)),
                                                  mix(GetBValue(top), GetBValue(bottom)))));
    const RECT band{0, static_cast<LONG>(height * i / kBands), static_cast<LONG>(width),
                    static_cast<LONG>(height * (i + 1) / kBands)};
    FillRect(dc, &band, brush.get());
  }
}

// A link of the SmartUI control: one plain-text item whose value is its target.
void AddLink(widgets::Form& form, const char* name, const std::string& address, long left, long top, long width) {
  auto& link = form.Add<ui::SmartUIControl>(name, sui::Style::Link, left, top, width, 255);
  link.Model().setBorderStyle(0);  // in a box it would read as a text field
  link.Model().items().add(0, name, address, sui::kKindPlainText)->setValue(address);
}

}  // namespace

frmAbout::frmAbout() : widgets::Form("About", 7200, 4900) {}
frmAbout::~frmAbout() = default;

void frmAbout::ShowDialog(HWND owner) {
  m_bOk = false;
  Load(owner);
  Build();
  ShowModal(owner);
}

void frmAbout::Build() {
  ui::CenterForm(*this);
  const std::string product = common::ProductName();
  const long width = ScaleWidth(), height = ScaleHeight();
  const long buttonTop = height - kButtonHeight - kMargin;
  const long lowerLine = buttonTop - kMargin - 30;
  const long textLeft = kBannerWidth + 780, textWidth = width - textLeft - kMargin;

  SetWindowTextA(Hwnd(), ("About " + product).c_str());

  // The Ok button is the first stop of the Tab order, so that the box opens
  // with the focus on it and Enter closes it; the links and System Info follow.
  Add<widgets::Button>("btnOk", "&Ok", width - kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight,
                       widgets::ButtonRole::Default)
      .Click = [this](widgets::Button&) {
    m_bOk = true;
    Hide();
  };

  auto& banner = Add<widgets::PictureBox>("Picture1", 0, 0, kBannerWidth, lowerLine);
  banner.Paint = PaintBanner;
  Add<widgets::PictureBox>("Image1", kBannerWidth + 180, 240, 480, 480).SetTag("icon=l,app_icon");

  auto& title = Add<widgets::Label>("lblAppTitle", OneWordPerLine(product), textLeft, 180, textWidth, 660);
  LOGFONTA lf{};
  GetObjectA(Font(), sizeof lf, &lf);
  lf.lfHeight = lf.lfHeight * 2;
  lf.lfWeight = FW_BOLD;
  m_titleFont.reset(CreateFontIndirectA(&lf));
  SendMessageA(title.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_titleFont.get()), TRUE);

  Add<widgets::Label>("lblAppProduct", product, textLeft, 900, textWidth, 255);
  Add<widgets::Label>("lblShortVersion", "Version " + common::GetAppVersion(true), textLeft, 1170, textWidth, 255);
  Add<widgets::Label>("lblCopyright", common::LegalCopyright(), textLeft, 1440, textWidth, 255);

  Add<widgets::Label>("Label2", "Website:", textLeft, 1860, 900, 255);
  AddLink(*this, "suiWebAddress", kAboutWebAddress, textLeft + 900, 1860, textWidth - 900);
  Add<widgets::Label>("Label1", "Support:", textLeft, 2130, 900, 255);
  AddLink(*this, "suiSupport", kAboutSupportAddress, textLeft + 900, 2130, textWidth - 900);

  Add<widgets::DividerLine>("VertDivider", kBannerWidth + kMargin, 2520, width - kBannerWidth - 2 * kMargin);
  Add<widgets::Label>("lblDisclaimer", kAboutDisclaimer, kBannerWidth + 180, 2640,
                      width - kBannerWidth - 180 - kMargin, lowerLine - 2640 - kMargin);
  Add<widgets::DividerLine>("VertDivider2", 0, lowerLine, width);

  Add<widgets::Button>("btnSystemInfo", "&System Info ...", width - 2 * kButtonWidth - 2 * kMargin, buttonTop,
                       kButtonWidth, kButtonHeight)
      .Click = [this](widgets::Button&) {
    // The tool's outcome is not looked at: a system without it shows nothing.
    common::ShellExecuteFile("msinfo32", 10, {}, {}, "open", Hwnd());
  };
  ui::g_oApplication().Form_LoadIcons(*this);
}

}  // namespace designer
