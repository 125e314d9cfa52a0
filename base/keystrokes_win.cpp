// The keystroke player: SendInput into the window that has the focus.
#include <windows.h>

#include <algorithm>

#include "base/error.h"
#include "base/keystrokes.h"
#include "base/scope.h"
#include "base/winstr.h"

namespace base {

namespace {

const char kSource[] = "SendKeys";

// How long a wait for the target to take its keystrokes may last: a hung
// program must not hang the caller (in the shell, that is Explorer).
constexpr ULONGLONG kWaitTimeoutMs = 5000;

// Keystrokes sent at once when waiting.
constexpr size_t kStrokesPerBatch = 100;

// An unassigned key pressed after every batch that is waited for. Key states
// are updated as a thread takes keystrokes from its queue, so once the marker
// is down for the target's input, everything sent before it has been taken
// (and the characters it produced, which are posted messages, handled).
// Programs ignore the key itself.
constexpr WORD kMarkerVk = 0xE8;

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_CANCEL: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT:
    case VK_UP: case VK_RIGHT: case VK_DOWN: case VK_SNAPSHOT: case VK_INSERT: case VK_DELETE:
    case VK_DIVIDE: case VK_NUMLOCK:
      return true;
    default:
      return false;
  }
}

void AddKey(std::vector<INPUT>& in, WORD vk, bool up) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  i.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  in.push_back(i);
}

void AddUnicode(std::vector<INPUT>& in, wchar_t ch) {
  for (bool up : {false, true}) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wScan = ch;
    i.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    in.push_back(i);
  }
}

void AddModifiers(std::vector<INPUT>& in, unsigned mods, bool up) {
  const std::pair<unsigned, WORD> keys[] = {
      {kModShift, VK_SHIFT}, {kModCtrl, VK_CONTROL}, {kModAlt, VK_MENU}};
  if (!up) {
    for (const auto& k : keys)
      if (mods & k.first) AddKey(in, k.second, false);
  } else {
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
      if (mods & it->first) AddKey(in, it->second, true);
  }
}

// Whether the key with those shift states types exactly the character.
// Observed (Wine 8.0): VkKeyScanEx offers the nearest key for characters the
// layout lacks ("e" for "\xE9", "?" for the euro sign), so its answer is
// checked against what the key really types.
bool KeyTypes(WORD vk, BYTE shift, wchar_t want, HKL layout) {
  BYTE state[256] = {};
  if (shift & 1) state[VK_SHIFT] = 0x80;
  if (shift & 2) state[VK_CONTROL] = 0x80;
  if (shift & 4) state[VK_MENU] = 0x80;
  UINT scan = MapVirtualKeyExA(vk, MAPVK_VK_TO_VSC, layout);
  wchar_t out[8] = {};
  const UINT kKeepKeyboardState = 4;
  int n = ToUnicodeEx(vk, scan, state, out, 8, kKeepKeyboardState, layout);
  if (n < 0) {
    // A dead key: asking again takes it out of the keyboard state.
    ToUnicodeEx(vk, scan, state, out, 8, kKeepKeyboardState, layout);
    return false;
  }
  return n == 1 && out[0] == want;
}

void AddStroke(std::vector<INPUT>& in, const KeyStroke& k, HKL layout) {
  WORD vk = k.vk;
  unsigned mods = k.modifiers;
  if (k.isChar) {
    std::wstring w = Wide(std::string_view(&k.ch, 1));
    SHORT scan = VkKeyScanExA(k.ch, layout);
    if (scan == -1 || LOBYTE(scan) == 0xFF || w.size() != 1 ||
        !KeyTypes(LOBYTE(scan), HIBYTE(scan), w[0], layout)) {
      // Not on this keyboard: typed as the character itself.
      AddModifiers(in, mods, false);
      for (wchar_t c : w) AddUnicode(in, c);
      AddModifiers(in, mods, true);
      return;
    }
    vk = LOBYTE(scan);
    BYTE shift = HIBYTE(scan);
    if (shift & 1) mods |= kModShift;
    if (shift & 2) mods |= kModCtrl;
    if (shift & 4) mods |= kModAlt;
  }
  AddModifiers(in, mods, false);
  AddKey(in, vk, false);
  AddKey(in, vk, true);
  AddModifiers(in, mods, true);
}

// Takes and handles every message waiting for the caller's thread. False when
// a quit message came: it is posted again for the caller's own loop.
bool PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

// Waits for a message of the caller's or the deadline, at most maxSlice ms.
void WaitUntil(ULONGLONG deadline, ULONGLONG maxSlice) {
  ULONGLONG now = GetTickCount64();
  if (now >= deadline) return;
  DWORD slice = static_cast<DWORD>(std::min(deadline - now, maxSlice));
  MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
}

void Send(std::vector<INPUT>& in) {
  if (in.empty()) return;
  UINT sent = SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  if (sent != in.size()) RaiseError(kErrInvalidCall, kSource, "The keystrokes could not be sent");
}

// Sends the batch with the marker key pressed after it and waits until the
// focus window's thread has taken the marker, then lets the marker go. When
// that thread is the caller's own (in the shell it usually is), nobody else
// would ever take the keystrokes: the caller's messages are pumped meanwhile.
bool SendAndWait(std::vector<INPUT>& in) {
  DWORD self = GetCurrentThreadId();
  HWND foreground = GetForegroundWindow();
  DWORD target = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  // Whether the target kept up: it took the marker, or, where that cannot be
  // seen, it still answers.
  bool keptUp = true;
  {
    // Sharing the target's input state lets this thread read the target's
    // key states.
    bool attached = target && target != self && AttachThreadInput(self, target, TRUE);
    auto detach = MakeScopeExit([&] {
      if (attached) AttachThreadInput(self, target, FALSE);
    });
    std::vector<INPUT> release;
    AddKey(release, kMarkerVk, true);
    auto letGo = MakeScopeExit([&] { SendInput(1, release.data(), sizeof(INPUT)); });
    AddKey(in, kMarkerVk, false);
    Send(in);

    ULONGLONG deadline = GetTickCount64() + kWaitTimeoutMs;
    bool watch = target == self || attached;
    while (watch) {
      if (!PumpMessages()) break;
      // Observed (Wine 8.0): after an attach the toggle bit is this thread's
      // own, not the target's; the down bit follows what the target took.
      if (GetKeyState(kMarkerVk) & 0x8000) break;
      if (GetTickCount64() >= deadline) {
        keptUp = false;
        break;
      }
      WaitUntil(deadline, 5);  // the target's progress wakes nobody: look again soon
    }
  }
  // Let the target finish handling what it took; without a way to watch its
  // input this is all the waiting there is.
  if (foreground && target != self) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored)) keptUp = false;
  }
  return keptUp;
}

}  // namespace

void PlayKeystrokes(const std::vector<KeyStroke>& strokes, bool wait) {
  if (strokes.empty()) return;
  HWND foreground = GetForegroundWindow();
  HKL layout = GetKeyboardLayout(foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0);
  // A long text goes in batches, each taken before the next is sent, so that
  // no queue overflows. Once a target has not kept up, the rest is sent
  // without waiting: a hung program costs one time-out, not one per batch.
  const size_t batch = wait ? kStrokesPerBatch : strokes.size();
  for (size_t first = 0; first < strokes.size(); first += batch) {
    size_t last = std::min(strokes.size(), first + batch);
    std::vector<INPUT> in;
    in.reserve((last - first) * 8 + 1);
    for (size_t i = first; i < last; ++i) AddStroke(in, strokes[i], layout);
    if (wait)
      wait = SendAndWait(in);
    else
      Send(in);
  }
}

void SendKeys(std::string_view notation, bool wait) { PlayKeystrokes(ParseKeystrokes(notation), wait); }

void SendLiteralKeys(std::string_view text, bool wait) { PlayKeystrokes(LiteralKeystrokes(text), wait); }

bool PumpingSleep(long milliseconds) {
  ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(0L, milliseconds));
  for (;;) {
    if (!PumpMessages()) return false;
    if (GetTickCount64() >= deadline) return true;
    WaitUntil(deadline, deadline);
  }
}

}  // namespace base
