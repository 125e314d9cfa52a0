#include <cstdint>
#include "common/clsTrace.h"

#include <exception>

#include "base/context.h"
#include "base/error.h"
#include "base/prompt.h"
#include "base/variant.h"
#include "common/appinfo.h"
#include "common/cipher.h"
#include "common/trace_io.h"

namespace common {

namespace {

// Two kinds, so that each thread's context holds one of each.
struct DebugTrace : clsTrace {};
struct TimingTrace : clsTrace {};

// The length field of an enciphered record is 16 bits and the listener's
// message length 15: longer lines are cut rather than left to corrupt the
// file or drop the connection.
constexpr size_t kMaxRecordText = 0xFFFF;
constexpr size_t kMaxMessageText = 32767;

}  // namespace

clsTrace::clsTrace() : m_Password(kDefaultPassword) {}

clsTrace::~clsTrace() { Terminate(); }

void clsTrace::SetInternetPort(const std::string& value) { m_InternetPort = base::Variant(value).ToLong(); }

bool clsTrace::Initialize(const std::string& fileName, std::int32_t flags) noexcept {
  try {
    Terminate();
    m_fileName = fileName;
    m_flags = flags;
    if ((flags & FlagReset) && !fileName.empty()) OpenTraceFile(fileName, false);
    if (flags & FlagInternet) {
      try {
        m_link = ConnectTraceLink(m_InternetAddress, InternetPort());
        m_connected = true;
        m_link->Send("0 0 " + ApplicationTitle());
      } catch (...) {
        // No listener: the trace does not start.
        m_link.reset();
        m_connected = false;
        return m_initialized;
      }
      // With FlagAutoCommit the file is opened for each line.
    } else if (!(flags & FlagAutoCommit)) {
      OpenFile(true);
    }
    m_initialized = true;
    return true;
  } catch (...) {
    return false;
  }
}

void clsTrace::Terminate() noexcept {
  CloseFile();
  // The connection ends with the trace, so the next Initialize connects
  // afresh instead of finding a socket still open.
  m_link.reset();
  m_connected = false;
  m_openFailed = false;
  m_fileName.clear();
  m_flags = 0;
  m_Indent = 0;
  m_initialized = false;
}

void clsTrace::OpenFile(bool append) noexcept {
  CloseFile();
  // A file that could not be opened is not tried again until the trace is
  // started anew: with autocommit every line would otherwise wait on a
  // missing drive and ask its question again, and the shell's menu would
  // never appear. A Yes therefore means "ask again next time it starts".
  if (m_fileName.empty() || m_openFailed) return;
  m_file = OpenTraceFile(m_fileName, append);
  if (m_file) return;
  m_openFailed = true;
  if (!m_ShowErrors) return;
  int answer = base::Prompt("Could not open the debugging output file!\r\n\r\nShow this error again?",
                            base::kPromptYesNo | base::kPromptCritical, ApplicationTitle());
  if (answer == base::kAnswerNo) m_ShowErrors = false;
}

void clsTrace::CloseFile() noexcept { m_file.reset(); }

void clsTrace::SendLine(const std::string& text, std::int32_t flags) noexcept {
  try {
    std::string message = "1 " + std::to_string(flags) + " " + text;
    if (message.size() > kMaxMessageText) message.resize(kMaxMessageText);
    m_link->Send(message);
  } catch (...) {
    // A listener that has gone away, or stopped reading, costs the trace its
    // connection and nothing else: the file goes on being written.
    m_link.reset();
    m_connected = false;
  }
}

void clsTrace::Output(const std::string& text, std::int32_t flags) noexcept {
  if (!m_initialized) return;
  try {
    if (m_flags & FlagAutoCommit) OpenFile(true);
    if (m_connected && m_link && (m_flags & FlagInternet)) SendLine(text, flags);
    if (m_file) {
      std::string line = FormatLine(text, flags);
      if (m_flags & FlagEncrypt) {
        if (line.size() > kMaxRecordText) line.resize(kMaxRecordText);
        std::string record = {8, 0, static_cast<char>(line.size() & 0xFF), static_cast<char>(line.size() >> 8)};
        m_file->Write(record + EncryptStringAscii(line));
      } else {
        m_file->Write(line + "\r\n");
      }
    }
  } catch (...) {
    // A line that cannot be built or written is lost; the traced code goes on.
  }
  if (flags & FlagEntry) {
    ++m_Indent;
  } else if (flags & FlagExit) {
    if (--m_Indent < 0) m_Indent = 0;
  }
  if (m_flags & FlagAutoCommit) CloseFile();
}

std::string clsTrace::FormatLine(const std::string& text, std::int32_t flags) const {
  std::string body = text;
  char marker = ' ';
  if (flags & FlagEntry) {
    marker = '>';
  } else if (flags & FlagExit) {
    marker = '<';
    if (body.empty()) body = "(Exit)";
  }
  std::string stamp = (flags & FlagNoTime) ? std::string() : TraceStamp();
  return stamp + " " + marker + ((flags & FlagError) ? '!' : ' ') + " " +
         std::string(static_cast<size_t>(2 * m_Indent), ' ') + body;
}

void clsTrace::Push(const std::string& text) noexcept { Output(text, FlagEntry); }

void clsTrace::Pop(bool checkError) noexcept {
  if (checkError) CheckForError();
  Output(std::string(), FlagExit);
}

void clsTrace::CheckForError() noexcept {
  if (!std::current_exception()) return;
  try {
    CheckForError(base::CurrentError(std::string()));
  } catch (...) {
  }
}

void clsTrace::CheckForError(const base::Error& error, long systemError) noexcept {
  if (error.Number() == 0) return;
  try {
    std::string line = "*E* " + ToHex(static_cast<std::int32_t>(error.Number())) + " - " + error.Description();
    if (systemError != 0) line += " - " + std::to_string(systemError);
    if (!error.Source().empty()) line += " (" + error.Source() + ")";
    Output(line, FlagError);
  } catch (...) {
  }
}

std::string clsTrace::ToHex(std::int32_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  std::string hex = "0x00000000";
  for (int i = 9; i >= 2; --i, bits >>= 4) hex[static_cast<size_t>(i)] = kDigits[bits & 0xF];
  return hex;
}

std::string clsTrace::ToHex(const void* handle) {
  return ToHex(static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(handle)));
}

std::int32_t& clsTrace::Timer(int timer) {
  if (timer < 1 || timer > 16) base::RaiseError(base::kErrSubscript, "clsTrace");
  return m_timers[static_cast<size_t>(timer - 1)];
}

namespace {
// The timers count in signed 32-bit milliseconds of the system clock.
std::int32_t Clock() { return static_cast<std::int32_t>(TraceClock()); }
std::int32_t Minus(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
}  // namespace

void clsTrace::TimerStart(int timer) { Timer(timer) = Clock(); }

std::int32_t clsTrace::GetTime(int timer) const { return const_cast<clsTrace*>(this)->Timer(timer); }

void clsTrace::TimerPause(int timer) {
  std::int32_t& t = Timer(timer);
  t = Minus(Clock(), t);
}

// The same step as a pause: the time run so far becomes a start that long ago.
void clsTrace::TimerResume(int timer) { TimerPause(timer); }

std::int32_t clsTrace::TimerStop(const std::string& text, int timer) {
  std::int32_t elapsed = Minus(Clock(), Timer(timer));
  if (!text.empty())
    Output(text + ": " + std::to_string(elapsed) + "ms\t(Timer " + std::to_string(timer) + ")", 0);
  return elapsed;
}

// The cipher works whether or not the trace is started. A failure inside it
// (an empty password) is reported under the operation's name and gives an
// empty result.
std::string clsTrace::EncryptStringAscii(const std::string& text) const {
  try {
    return CipherBytes(m_Password, text);
  } catch (...) {
    base::ReportTrappedError("EncryptStringAscii", base::CurrentError("EncryptStringAscii"));
    return {};
  }
}

std::u16string clsTrace::EncryptString(const std::u16string& text) const {
  try {
    return CipherUtf16(m_Password, text);
  } catch (...) {
    base::ReportTrappedError("EncryptString", base::CurrentError("EncryptString"));
    return {};
  }
}

std::string clsTrace::PasswordToHex(const std::string& text) { return common::PasswordToHex(text); }

std::string clsTrace::HexToPassword(const std::string& text) { return common::HexToPassword(text); }

clsTrace& g_Debug() { return base::ThreadContext::Current().Get<DebugTrace>(); }

clsTrace& g_oTiming() { return base::ThreadContext::Current().Get<TimingTrace>(); }

void ReplaceDebugTrace() noexcept {
  if (auto* context = base::ThreadContext::Peek()) context->Release<DebugTrace>();
}

void ReplaceTimingTrace() noexcept {
  if (auto* context = base::ThreadContext::Peek()) context->Release<TimingTrace>();
}

TraceScope::TraceScope(const char* procedure) noexcept {
  try {
    g_Debug().Push(procedure);
  } catch (...) {
  }
}

TraceScope::~TraceScope() {
  auto* context = base::ThreadContext::Peek();
  if (context && context->Has<DebugTrace>()) context->Get<DebugTrace>().Pop(false);
}

}  // namespace common
