#include "designer/tests/shell/shown_menu_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "base/tests/screenshot.h"
#include "base/tests/testing.h"
#include "config/clsOptions.h"
#include "resources/identity.h"

namespace designer_shell_test {

namespace {

constexpr UINT kLast = 0x7fff;
constexpr char kCorvaneKey[] = "Software\\Brindlewick\\Corvane";

std::string Windows(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void OutlineLevel(HMENU menu, UINT first, int depth, std::string& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[512] = {};
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    std::string line(static_cast<size_t>(depth) * 2, ' ');
    const bool ownerDraw = (mii.fType & MFT_OWNERDRAW) != 0;
    if (mii.fType & MFT_SEPARATOR) {
      out += line + "separator\n";
      continue;
    }
    line += mii.hSubMenu ? "popup " : ownerDraw ? "ownerdraw " : "string ";
    const bool inRange = mii.wID >= first && mii.wID <= kLast;
    line += inRange ? std::to_string(mii.wID - first) : mii.hSubMenu ? "-" : "!" + std::to_string(mii.wID);
    line += " " + Quoted(text);
    if (mii.hSubMenu && ownerDraw) line += " ownerdraw";
    out += line + "\n";
    if (mii.hSubMenu) OutlineLevel(mii.hSubMenu, first, depth + 1, out);
  }
}

// shellhost's quoting undone: \" \\ and \xNN.
std::string Unquote(const std::string& quoted, size_t& at) {
  std::string text;
  for (++at; at < quoted.size() && quoted[at] != '"'; ++at) {
    if (quoted[at] != '\\' || at + 1 >= quoted.size()) {
      text += quoted[at];
    } else if (quoted[at + 1] == 'x' && at + 3 < quoted.size()) {
      text += static_cast<char>(std::strtol(quoted.substr(at + 2, 2).c_str(), nullptr, 16));
      at += 3;
    } else {
      text += quoted[++at];
    }
  }
  ++at;
  return text;
}

struct WindowSearch {
  DWORD pid;
  const char* windowClass;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<WindowSearch*>(lp);
  char name[16] = {};
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && IsWindowVisible(hwnd) && GetClassNameA(hwnd, name, sizeof name) &&
      std::string(name) == search->windowClass)
    search->found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> ShownWindows(DWORD pid, const char* windowClass) {
  WindowSearch search{pid ? pid : GetCurrentProcessId(), windowClass, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Mouse(DWORD flags, POINT p = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  SendInput(1, &in, sizeof in);
}

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

}  // namespace

std::string OutlineOf(HMENU menu, UINT first) {
  std::string out;
  OutlineLevel(menu, first, 0, out);
  return out;
}

std::string OutlineOfShellHost(const std::string& output) {
  std::string out;
  const size_t from = output.find("\n  menu\n");
  if (from == std::string::npos) return "<no menu in>\n" + output;
  std::istringstream lines(output.substr(from + 8));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("    ", 0) != 0) break;
    const size_t indent = line.find_first_not_of(' ');
    std::string entry(indent - 4, ' ');
    const size_t kindEnd = line.find(' ', indent);
    const std::string kind = line.substr(indent, kindEnd - indent);
    if (kind == "separator") {
      out += entry + "separator\n";
      continue;
    }
    const size_t offsetEnd = line.find(' ', kindEnd + 1);
    entry += kind + " " + line.substr(kindEnd + 1, offsetEnd - kindEnd - 1);
    size_t at = line.find('"', offsetEnd);
    if (at != std::string::npos) {
      entry += " " + Quoted(Unquote(line, at));
      if (kind == "popup" && line.compare(at, 10, " ownerdraw") == 0) entry += " ownerdraw";
    }
    out += entry + "\n";
  }
  return out;
}

std::vector<HWND> ShownMenus(DWORD pid) { return ShownWindows(pid, "#32768"); }

int IndexOf(HMENU menu, const std::string& text) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char buffer[512] = {};
    if (GetMenuStringA(menu, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION) && text == buffer) return i;
  }
  return -1;
}

RECT ItemRect(HMENU menu, int index) {
  RECT r{};
  if (index < 0 || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &r)) return RECT{};
  return r;
}

void SaveScreenWithMenus(HWND window, DWORD pid, const std::string& path) {
  RECT all{};
  GetWindowRect(window, &all);
  for (HWND menu : ShownMenus(pid)) {
    RECT r{};
    GetWindowRect(menu, &r);
    UnionRect(&all, &all, &r);
  }
  HDC screen = GetDC(nullptr);
  const testing_support::Pixels p =
      testing_support::screenshot_detail::Copy(screen, all.left, all.top, all.right - all.left, all.bottom - all.top);
  ReleaseDC(nullptr, screen);
  testing_support::WritePng(p, path);
}

void ClickItem(HMENU menu, int index) {
  const RECT r = ItemRect(menu, index);
  const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, middle);
  Sleep(50);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
}

void RightClickAt(POINT screen) {
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
  Mouse(MOUSEEVENTF_RIGHTDOWN);
  Mouse(MOUSEEVENTF_RIGHTUP);
}

void PressKeys(const std::vector<WORD>& keys) {
  for (WORD vk : keys) Key(vk, false);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) Key(*it, true);
}

MenuWatcher::MenuWatcher(std::function<void(HMENU)> step, DWORD timeoutMs, DWORD pid)
    : m_pid(pid), m_thread([this, step = std::move(step), timeoutMs, pid] {
        // A message box the handler shows instead (a configuration it
        // cannot read, say) is closed and counted.
        auto closeBoxes = [this, pid] {
          for (HWND box : ShownWindows(pid, "#32770")) {
            PostMessageA(box, WM_CLOSE, 0, 0);
            ++m_boxes;
          }
        };
        const DWORD start = GetTickCount();
        std::vector<HWND> menus;
        while ((menus = ShownMenus(pid)).empty() && GetTickCount() - start < timeoutMs) {
          closeBoxes();
          Sleep(20);
        }
        if (!menus.empty()) {
          m_saw = true;
          const auto root = reinterpret_cast<HMENU>(SendMessageA(menus.front(), MN_GETHMENU, 0, 0));
          if (step) step(root);
          // What the step left open goes, a level per Escape.
          for (DWORD left = GetTickCount(); !ShownMenus(pid).empty() && GetTickCount() - left < 5000;) Sleep(20);
          for (int i = 0; i < 50 && !ShownMenus(pid).empty(); ++i) {
            for (HWND menu : ShownMenus(pid)) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            Sleep(100);
          }
        }
        closeBoxes();
        m_done = true;
      }) {}

MenuWatcher::~MenuWatcher() {
  if (m_thread.joinable()) m_thread.join();
}

void MenuWatcher::PumpUntilDone(DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (m_done && ShownMenus(m_pid).empty()) return;
    Sleep(10);
  }
  ADD_FAILURE() << "the menu's watcher did not finish in time";
}

FennickRegistration::FennickRegistration(bool registered) {
  const std::string dll = Quoted(Windows(CORVANE_FENNICK_DLL));
  if (registered)
    EXPECT_EQ(testing_support::RunProcess("regsvr32.exe /s " + dll).exitCode, 0u);
  else
    testing_support::RunProcess("regsvr32.exe /s /u " + dll);
}

FennickRegistration::~FennickRegistration() {
  testing_support::RunProcess("regsvr32.exe /s /u " + Quoted(Windows(CORVANE_FENNICK_DLL)));
}

FennickSettings::FennickSettings(const std::string& configFile) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kCorvaneKey);
  config::clsOptions o;
  o.Reset();
  o.m_szShellConfigFile = configFile;
  o.m_szShellCustomActionsFile = "";
  o.m_bShellOwnerDraw = true;
  o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = config::clsOptions::OptionsMenuDisplay_DoNotShow;
  o.m_lShellShowFlags = config::clsOptions::ShowFlag_CopyToClipboard;
  o.Reg_Save(config::kSettingsKey, false);
}

FennickSettings::~FennickSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, kCorvaneKey); }

std::string RunShellHost(const std::vector<std::string>& args) {
  std::string command = Quoted(Windows(CORVANE_SHELLHOST_EXE)) + " --only " CORVANE_FENNICK_CLSID_TEXT;
  for (const std::string& a : args) command += " " + Quoted(a);
  const testing_support::ProcessResult r = testing_support::RunProcess(command, 60000);
  EXPECT_EQ(r.exitCode, 0u) << r.output;
  return r.output;
}

}  // namespace designer_shell_test
