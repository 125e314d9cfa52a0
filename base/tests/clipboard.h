// Windows test helper: the clipboard's text, read and planted.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

namespace testing_support {

// CF_TEXT on the clipboard; "" when there is none, "<closed>" when the
// clipboard cannot be opened.
inline std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<closed>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Replaces the clipboard's contents with the text; false when it cannot be opened.
inline bool SetClipboardText(const std::string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  CloseClipboard();
  return true;
}

}  // namespace testing_support
