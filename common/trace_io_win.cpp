#include <winsock2.h>
#include <windows.h>
#include <mmsystem.h>

#include "base/handles.h"
#include "common/clsSocket.h"
#include "common/trace_io.h"

namespace common {

namespace {

// A trace line must never hold up the shell's thread for long: a listener
// that stops reading costs at most this long once, then the link is dropped.
constexpr unsigned long kSendTimeoutMs = 1000;

class Win32TraceFile : public TraceFile {
 public:
  explicit Win32TraceFile(base::UniqueFile file) : m_file(std::move(file)) {}
  void Write(const std::string& bytes) noexcept override {
    DWORD written = 0;
    WriteFile(m_file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }

 private:
  base::UniqueFile m_file;
};

class SocketTraceLink : public TraceLink {
 public:
  SocketTraceLink(const std::string& host, const std::string& port) {
    m_socket.initConnect(host, port);
    m_socket.SetSendTimeout(kSendTimeoutMs);
  }
  void Send(const std::string& text) override { m_socket.sendStringEx(text); }

 private:
  clsSocket m_socket;
};

std::string LocaleText(LCTYPE type, const char* fallback) {
  char buffer[80] = {};
  int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return n > 1 ? std::string(buffer, static_cast<size_t>(n - 1)) : std::string(fallback);
}

std::string DateText(const SYSTEMTIME& now, DWORD flags, const char* picture) {
  char buffer[128] = {};
  int n = GetDateFormatA(LOCALE_USER_DEFAULT, flags, &now, picture, buffer, sizeof buffer);
  return n > 1 ? std::string(buffer, static_cast<size_t>(n - 1)) : std::string();
}

std::string TwoDigits(int n) {
  char buffer[8];
  wsprintfA(buffer, "%02d", n);
  return buffer;
}

}  // namespace

std::unique_ptr<TraceFile> OpenTraceFile(const std::string& name, bool append) noexcept {
  base::UniqueFile file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  if (append) SetFilePointer(file.get(), 0, nullptr, FILE_END);
  try {
    return std::make_unique<Win32TraceFile>(std::move(file));
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<TraceLink> ConnectTraceLink(const std::string& host, const std::string& port) {
  return std::make_unique<SocketTraceLink>(host, port);
}

std::uint32_t TraceClock() noexcept { return timeGetTime(); }

std::string TraceStamp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::string dateSep = LocaleText(LOCALE_SDATE, "/");
  std::string timeSep = LocaleText(LOCALE_STIME, ":");
  return TwoDigits(now.wDay) + dateSep + DateText(now, 0, "MMM") + dateSep + TwoDigits(now.wYear % 100) + " @ " +
         std::to_string(now.wHour) + timeSep + TwoDigits(now.wMinute) + timeSep + TwoDigits(now.wSecond);
}

std::string GeneralDateNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char time[128] = {};
  int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, sizeof time);
  return DateText(now, DATE_SHORTDATE, nullptr) + " " + (n > 1 ? std::string(time, static_cast<size_t>(n - 1)) : "");
}

}  // namespace common
