// Windows test helpers for a context menu on the screen: its items as an
// outline that shellhost's printed menu can be compared with, a watcher
// thread that finds the shown menu and drives it with real input (and
// closes it when a test has not), and Fennick registered for a test.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace designer_shell_test {

// One line per item, two blanks deeper per submenu level:
//   KIND OFFSET "TEXT" [ownerdraw]
// KIND is string, separator, popup or ownerdraw (as shellhost names them);
// OFFSET the identifier less first, "-" for a separator or a popup without
// one. A separator is the word alone.
std::string OutlineOf(HMENU menu, UINT first = 1);
// The same outline of shellhost's "menu" section.
std::string OutlineOfShellHost(const std::string& output);

// The popup-menu windows ("#32768") of the process (0: this one) that are shown.
std::vector<HWND> ShownMenus(DWORD pid = 0);
// The item's position in the menu whose text is text; -1 when there is none.
int IndexOf(HMENU menu, const std::string& text);
// The screen rectangle of a shown menu's item; empty when it is not shown.
RECT ItemRect(HMENU menu, int index);
// Saves what the screen shows around the window and the process's shown
// menus as a PNG file.
void SaveScreenWithMenus(HWND window, DWORD pid, const std::string& path);
// Moves the pointer to the middle of the shown item and clicks it.
void ClickItem(HMENU menu, int index);
// Right-click at a screen point; keys pressed and let go.
void RightClickAt(POINT screen);
void PressKeys(const std::vector<WORD>& keys);

// Waits (on a thread of its own, at most timeoutMs) for a context menu of
// the process (0: this one) to show, then runs step with its root menu there. Whatever is still shown
// some seconds after step is closed with Escape, and a message box of the
// process is closed when it shows, so a test that fails does not hang.
class MenuWatcher {
 public:
  explicit MenuWatcher(std::function<void(HMENU root)> step, DWORD timeoutMs = 15000, DWORD pid = 0);
  ~MenuWatcher();
  MenuWatcher(const MenuWatcher&) = delete;
  MenuWatcher& operator=(const MenuWatcher&) = delete;

  // Dispatches this thread's messages until the watcher is done and no
  // menu is shown (or timeoutMs has passed).
  void PumpUntilDone(DWORD timeoutMs = 30000);
  bool SawMenu() const { return m_saw; }
  int BoxesClosed() const { return m_boxes; }

 private:
  DWORD m_pid;
  std::atomic<bool> m_saw{false};
  std::atomic<bool> m_done{false};
  std::atomic<int> m_boxes{0};
  std::thread m_thread;
};

// Fennick registered machine-wide (where Wine's COM finds it) while the
// object lives, or, with false, left unregistered.
class FennickRegistration {
 public:
  explicit FennickRegistration(bool registered = true);
  ~FennickRegistration();
  FennickRegistration(const FennickRegistration&) = delete;
  FennickRegistration& operator=(const FennickRegistration&) = delete;
};

// The settings Fennick reads, planted with the project's settings object
// while the object lives (the whole key goes before and after): the
// configuration file, owner drawing, no recent lists, and the built-in
// "Copy to Clipboard".
class FennickSettings {
 public:
  explicit FennickSettings(const std::string& configFile);
  ~FennickSettings();
  FennickSettings(const FennickSettings&) = delete;
  FennickSettings& operator=(const FennickSettings&) = delete;
};

// shellhost's output for Fennick alone on these arguments.
std::string RunShellHost(const std::vector<std::string>& args);

}  // namespace designer_shell_test
