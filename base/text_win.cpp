#include <windows.h>

#include "base/text.h"
#include "base/winstr.h"

namespace base {

std::u16string AnsiToUtf16(std::string_view text) {
  std::wstring w = Wide(text);
  return std::u16string(w.begin(), w.end());
}

std::string Utf16ToAnsi(std::u16string_view text) {
  return Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string UCase(std::string_view text) {
  std::string out(text);
  if (!out.empty()) CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

std::string LCase(std::string_view text) {
  std::string out(text);
  if (!out.empty()) CharLowerBuffA(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace base
