// The window functions of the general tools: redrawing, class and text, and
// Designer's single-instance search.
#include "common/shelltools.h"

#include "base/context.h"
#include "common/clsTrace.h"

namespace common {

namespace {

struct InstanceGlobals {
  HWND window = nullptr;
  std::string title;
};

InstanceGlobals& Instance() { return base::ThreadContext::Current().Get<InstanceGlobals>(); }

}  // namespace

bool SetRedraw(HWND hwnd, bool enable) {
  return SendMessageA(hwnd, WM_SETREDRAW, enable ? 1 : 0, 0) != 0;
}

void GetWindowClassAndText(HWND hwnd, std::string& className, std::string& text) {
  className.clear();
  text.clear();
  std::string buffer(4096, '\0');
  int n = GetClassNameA(hwnd, buffer.data(), static_cast<int>(buffer.size()));
  if (n > 0) className.assign(buffer.data(), static_cast<size_t>(n));
  n = GetWindowTextA(hwnd, buffer.data(), static_cast<int>(buffer.size()));
  if (n > 0) text.assign(buffer.data(), static_cast<size_t>(n));
}

HWND& g_hPrevInstanceWnd() { return Instance().window; }
std::string& g_szPrevInstanceTitle() { return Instance().title; }

BOOL CALLBACK FindInstanceWindowProc(HWND hwnd, LPARAM extra) noexcept {
  try {
    const auto* query = reinterpret_cast<const InstanceQuery*>(extra);
    if (!query) return TRUE;
    // The program's own windows (a second Designer's main window is made
    // before the test runs) are never the other instance.
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId()) return TRUE;
    char className[256] = {};
    int n = GetClassNameA(hwnd, className, sizeof className);
    if (n <= 0 || query->windowClass != std::string(className, static_cast<size_t>(n))) return TRUE;
    char buffer[256] = {};
    n = GetWindowTextA(hwnd, buffer, sizeof buffer);
    std::string title = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    if (title.compare(0, query->title.size(), query->title) != 0) return TRUE;
    g_hPrevInstanceWnd() = hwnd;
    g_szPrevInstanceTitle() = title;
    return FALSE;
  } catch (...) {
    return TRUE;
  }
}

HWND FindPreviousInstance(const std::string& title, const std::string& windowClass) {
  TraceScope trace("FindPreviousInstance");
  g_hPrevInstanceWnd() = nullptr;
  g_szPrevInstanceTitle().clear();
  InstanceQuery query{title, windowClass};
  EnumWindows(FindInstanceWindowProc, reinterpret_cast<LPARAM>(&query));
  g_Debug().Output([&] { return "g_szPrevInstanceTitle=" + g_szPrevInstanceTitle(); });
  return g_hPrevInstanceWnd();
}

}  // namespace common
