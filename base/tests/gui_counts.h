// Windows test helper: the GDI and USER objects this process holds, for
// tests that open and close windows many times and expect no growth.
#pragma once
#include <windows.h>

#include <winternl.h>

namespace testing_support {

// GDI objects. Observed (Wine 8.0): GetGuiResources answers 0 and
// ERROR_CALL_NOT_IMPLEMENTED, so Wine's own handle table (which the process
// environment block points to, as on Windows) is counted instead: the live
// entries that are not stock objects.
inline long GdiObjects() {
  SetLastError(0);
  const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<long>(count);
  struct Entry {  // Wine's layout, the same in 32- and 64-bit processes
    UINT64 object;
    ULONG owner;
    USHORT unique;  // bit 7: a stock object
    UCHAR type;     // 0: a free entry
    UCHAR flags;
    UINT64 user;
  };
  static_assert(sizeof(Entry) == 24);
  GetStockObject(WHITE_BRUSH);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
  const auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
#ifdef _WIN64
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
#else
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0x94);
#endif
  if (!table) return -1;
  long live = 0;
  for (int i = 0; i < 0x10000; ++i)
    if (table[i].type != 0 && !(table[i].unique & 0x80)) ++live;
  return live;
}

inline BOOL CALLBACK CountWindow(HWND, LPARAM lp) {
  ++*reinterpret_cast<long*>(lp);
  return TRUE;
}

inline BOOL CALLBACK CountTopWindow(HWND hwnd, LPARAM lp) {
  CountWindow(hwnd, lp);
  EnumChildWindows(hwnd, CountWindow, lp);
  return TRUE;
}

// USER objects. GetGuiResources answers 0 under Wine here too; the windows
// of this thread, children included, are what a view can leak.
inline long UserObjects() {
  SetLastError(0);
  const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<long>(count);
  long windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Runs `cycle` (an open and close) until two runs in a row leave the GDI
// count where they found it, at most `rounds` times. What a process sets up
// on its first windows stays for its life (observed, Wine 8.0: the count
// still steps up on the third dialog, after a second that changed nothing),
// so a loop that looks for a leak starts from a settled count.
template <class Cycle>
void SettleGdi(Cycle&& cycle, int rounds = 6) {
  int steady = 0;
  for (int i = 0; i < rounds && steady < 2; ++i) {
    const long before = GdiObjects();
    cycle();
    steady = i > 0 && GdiObjects() == before ? steady + 1 : 0;
  }
}

}  // namespace testing_support
