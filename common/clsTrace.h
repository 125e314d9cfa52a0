// The trace writer: one line per Output, indented by Push and Pop, stamped
// with date and time, to a text file, an enciphered file or a listener on
// loopback. It also keeps sixteen stopwatch timers and the string cipher.
//
// Tracing never throws into the code it traces: Initialize, Terminate,
// Output, Push, Pop and CheckForError catch everything.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace base {
class Error;
}

namespace common {

class TraceFile;
class TraceLink;

class clsTrace {
 public:
  // Start flags (given to Initialize) and line flags (given to Output).
  static constexpr std::int32_t FlagReset = 1;
  static constexpr std::int32_t FlagAutoCommit = 2;
  static constexpr std::int32_t FlagEntry = 4;
  static constexpr std::int32_t FlagExit = 8;
  static constexpr std::int32_t FlagNoTime = 16;
  static constexpr std::int32_t FlagError = 32;
  static constexpr std::int32_t FlagEncrypt = 64;
  static constexpr std::int32_t FlagInternet = 128;

  clsTrace();
  virtual ~clsTrace();
  clsTrace(const clsTrace&) = delete;
  clsTrace& operator=(const clsTrace&) = delete;

  bool Initialize(const std::string& fileName, std::int32_t flags) noexcept;
  void Terminate() noexcept;
  void Output(const std::string& text, std::int32_t flags = 0) noexcept;
  // The lazy form, for lines that must be built: makeText runs only while
  // the trace is running, so a trace that is off costs no text at all.
  //   g_Debug().Output([&] { return "path=" + path; });
  template <class MakeText, std::enable_if_t<std::is_invocable_r_v<std::string, MakeText&>, int> = 0>
  void Output(MakeText&& makeText, std::int32_t flags = 0) noexcept {
    if (!m_initialized) return;
    std::string text;
    try {
      text = makeText();
    } catch (...) {
      return;  // a line that cannot be built is lost; the traced code goes on
    }
    Output(text, flags);
  }
  std::string FormatLine(const std::string& text, std::int32_t flags) const;
  void Push(const std::string& text) noexcept;
  void Pop(bool checkError = false) noexcept;
  // Traces the error being handled, when called inside a catch block.
  void CheckForError() noexcept;
  // Traces the given error, with the failing call's system error code when
  // there is one.
  void CheckForError(const base::Error& error, long systemError = 0) noexcept;
  static std::string ToHex(std::int32_t value);
  // A handle or address the same way: its low 32 bits, as the trace has
  // always shown them.
  static std::string ToHex(const void* handle);

  // Stopwatch timers 1 to 16; another number raises error 9.
  void TimerStart(int timer);
  std::int32_t GetTime(int timer) const;
  void TimerPause(int timer);
  void TimerResume(int timer);
  std::int32_t TimerStop(const std::string& text, int timer);

  // The string cipher: one call both enciphers and deciphers.
  std::string EncryptStringAscii(const std::string& text) const;
  std::u16string EncryptString(const std::u16string& text) const;
  static std::string PasswordToHex(const std::string& text);
  static std::string HexToPassword(const std::string& text);

  bool ShowErrors() const noexcept { return m_ShowErrors; }
  void SetShowErrors(bool value) noexcept { m_ShowErrors = value; }
  const std::string& Password() const noexcept { return m_Password; }
  void SetPassword(const std::string& value) { m_Password = value; }
  bool Encrypt() const noexcept { return m_Encrypt; }
  void SetEncrypt(bool value) noexcept { m_Encrypt = value; }
  std::int32_t Indent() const noexcept { return m_Indent; }
  void SetIndent(std::int32_t value) noexcept { m_Indent = value < 0 ? 0 : value; }
  const std::string& InternetAddress() const noexcept { return m_InternetAddress; }
  void SetInternetAddress(const std::string& value) { m_InternetAddress = value; }
  std::string InternetPort() const { return std::to_string(m_InternetPort); }
  void SetInternetPort(const std::string& value);  // a text that is no number raises error 13

  // Our own state tests.
  bool IsInitialized() const noexcept { return m_initialized; }
  bool IsConnected() const noexcept { return m_connected; }

 private:
  void OpenFile(bool append) noexcept;
  void CloseFile() noexcept;
  void SendLine(const std::string& text, std::int32_t flags) noexcept;
  std::int32_t& Timer(int timer);

  bool m_ShowErrors = true;
  std::string m_Password;
  bool m_initialized = false;
  std::unique_ptr<TraceFile> m_file;
  bool m_openFailed = false;  // the file could not be opened since the start
  std::string m_fileName;
  std::int32_t m_flags = 0;
  std::int32_t m_Indent = 0;
  bool m_Encrypt = false;
  std::array<std::int32_t, 16> m_timers{};
  std::unique_ptr<TraceLink> m_link;
  std::string m_InternetAddress = "127.0.0.1";
  std::int32_t m_InternetPort = 12000;
  bool m_connected = false;
};

// The debug trace and the timing trace of this thread, made on first use.
clsTrace& g_Debug();
clsTrace& g_oTiming();
// Puts a new, not yet started debug trace in place of this thread's one
// (which closes its file and its listener connection).
void ReplaceDebugTrace() noexcept;
// The same for the timing trace.
void ReplaceTimingTrace() noexcept;

// A procedure's trace scope: Push of its name on entry, Pop when it leaves,
// however it leaves. It reaches the debug trace afresh at each end, so a
// trace replaced in between is never touched through a stale reference, and
// a thread whose services are already gone is left alone.
class TraceScope {
 public:
  explicit TraceScope(const char* procedure) noexcept;
  ~TraceScope();
  TraceScope(const TraceScope&) = delete;
  TraceScope& operator=(const TraceScope&) = delete;
};

}  // namespace common
