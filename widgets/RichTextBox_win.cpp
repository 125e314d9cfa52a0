#include "widgets/RichTextBox.h"

#include <richedit.h>
#include <windowsx.h>

#include "base/error.h"

namespace widgets {

namespace {

// RichEdit's classes come with its library, loaded once for the process and
// kept: its windows may live as long as the program.
const char* RichEditClass() {
  static const HMODULE library = LoadLibraryA("riched20.dll");
  if (!library) base::RaiseError(base::kErrInvalidCall, "RichTextBox", "The rich-text library could not be loaded");
  return RICHEDIT_CLASSA;
}

constexpr DWORD kStyle = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                         ES_NOHIDESEL | ES_SAVESEL;

}  // namespace

RichTextBox::RichTextBox(Form& form, std::string name, long left, long top, long width, long height)
    : CommonControl(form, std::move(name), RichEditClass(), kStyle, WS_EX_CLIENTEDGE, left, top, width,
                    height) {
  SendMessageA(Inner(), EM_SETEVENTMASK, 0, ENM_CHANGE);
  // Plain text only: what the user pastes keeps no formatting.
  SendMessageA(Inner(), EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SendMessageA(Inner(), EM_EXLIMITTEXT, 0, 0x7ffffffe);
}

std::string RichTextBox::Text() const {
  GETTEXTLENGTHEX len = {GTL_NUMCHARS | GTL_USECRLF, CP_ACP};
  const LRESULT n = SendMessageA(Inner(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
  std::string text(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
  GETTEXTEX get = {static_cast<DWORD>(text.size()), GT_DEFAULT, CP_ACP, nullptr, nullptr};
  const LRESULT got = SendMessageA(Inner(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  // The box holds CR paragraph marks; the forms read CR LF.
  return ToCrLf(ToParagraphs(text));
}

void RichTextBox::ProgramChange(const std::string& paragraphs, bool selectionOnly) {
  m_setting = true;
  SETTEXTEX set = {static_cast<DWORD>(selectionOnly ? ST_SELECTION : ST_DEFAULT), CP_ACP};
  SendMessageA(Inner(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
               reinterpret_cast<LPARAM>(paragraphs.c_str()));
  m_setting = false;
  if (Change) Change();
}

void RichTextBox::SetText(const std::string& text) {
  ProgramChange(ToParagraphs(text), false);
  SetSelStart(0);
}

long RichTextBox::SelStart() const {
  CHARRANGE r{};
  SendMessageA(Inner(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMin;
}

void RichTextBox::SetSelStart(long start) {
  CHARRANGE r{start, start};
  SendMessageA(Inner(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

long RichTextBox::SelLength() const {
  CHARRANGE r{};
  SendMessageA(Inner(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMax - r.cpMin;
}

void RichTextBox::SetSelLength(long length) {
  CHARRANGE r{};
  SendMessageA(Inner(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  r.cpMax = r.cpMin + (length < 0 ? 0 : length);
  SendMessageA(Inner(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

std::string RichTextBox::SelText() const {
  const long n = SelLength();
  std::string text(static_cast<size_t>(n) * 2 + 1, '\0');
  const LRESULT got = SendMessageA(Inner(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return ToCrLf(ToParagraphs(text));
}

void RichTextBox::SetSelText(const std::string& text) { ProgramChange(ToParagraphs(text), true); }

bool RichTextBox::Locked() const { return (GetWindowLongA(Inner(), GWL_STYLE) & ES_READONLY) != 0; }

void RichTextBox::SetLocked(bool locked) { SendMessageA(Inner(), EM_SETREADONLY, locked ? TRUE : FALSE, 0); }

void RichTextBox::SetWordWrap(bool wrap) {
  // A line width of 1 with no device means "never wrap"; 0 wraps at the window.
  SendMessageA(Inner(), EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
  const LONG style = GetWindowLongA(Inner(), GWL_STYLE);
  SetWindowLongA(Inner(), GWL_STYLE, wrap ? (style & ~(WS_HSCROLL | ES_AUTOHSCROLL)) : (style | WS_HSCROLL | ES_AUTOHSCROLL));
  SetWindowPos(Inner(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void RichTextBox::SetBorderStyle(int style) {
  const LONG ex = GetWindowLongA(Inner(), GWL_EXSTYLE);
  SetWindowLongA(Inner(), GWL_EXSTYLE, style ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE));
  SetWindowPos(Inner(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void RichTextBox::SetFont(const std::string& face, int points) {
  base::WindowDc dc(Inner());
  LOGFONTA lf = {};
  lf.lfHeight = -MulDiv(points, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  base::UniqueHFont font(CreateFontIndirectA(&lf));
  if (!font) return;
  SendMessageA(Inner(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  m_font = std::move(font);  // the old font is freed only once the box no longer uses it
}

void RichTextBox::OnCommand(WORD code) {
  if (code == EN_CHANGE && !m_setting && Change) Change();
}

bool RichTextBox::InnerMessage(UINT msg, WPARAM&, LPARAM& lp, LRESULT*) {
  int button = 0;
  switch (msg) {
    case WM_LBUTTONDOWN: button = 1; break;
    case WM_RBUTTONDOWN: button = 2; break;
    case WM_MBUTTONDOWN: button = 4; break;
    default: return false;
  }
  if (MouseDown)
    MouseDown(button, ShiftState(), PixelsToTwipsX(GET_X_LPARAM(lp)), PixelsToTwipsY(GET_Y_LPARAM(lp)));
  return false;
}

}  // namespace widgets
