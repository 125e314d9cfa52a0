// What the trace writer needs of the platform: its output file, its link to a
// trace listener, the millisecond clock and the date texts of its lines.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace common {

// An open trace file; closed when the object goes. Writes are fire and forget.
class TraceFile {
 public:
  virtual ~TraceFile() = default;
  virtual void Write(const std::string& bytes) noexcept = 0;
};

// Opens (appending, or emptied) with no sharing; null when it cannot be opened.
std::unique_ptr<TraceFile> OpenTraceFile(const std::string& name, bool append) noexcept;

// A connection to a trace listener; closed when the object goes.
class TraceLink {
 public:
  virtual ~TraceLink() = default;
  // One length-prefixed message; throws base::Error when it cannot be sent.
  virtual void Send(const std::string& text) = 0;
};

// Connects to host:port; throws base::Error when the listener cannot be
// reached. Sends on the link give up after a short time-out.
std::unique_ptr<TraceLink> ConnectTraceLink(const std::string& host, const std::string& port);

// The system millisecond clock.
std::uint32_t TraceClock() noexcept;

// The stamp of a trace line for the current local time: "dd/mmm/yy @ h:Nn:Ss"
// with the user's date and time separators and month names.
std::string TraceStamp();

// The current local date and time in the system's general form: the short
// date, a blank and the long time.
std::string GeneralDateNow();

}  // namespace common
