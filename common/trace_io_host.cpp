// The native build writes trace files through the C library and has no
// listener link: a trace that asks for one does not start.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "base/error.h"
#include "common/trace_io.h"

namespace common {

namespace {

class StdioTraceFile : public TraceFile {
 public:
  explicit StdioTraceFile(std::FILE* f) : m_file(f) {}
  ~StdioTraceFile() override { std::fclose(m_file); }
  void Write(const std::string& bytes) noexcept override {
    std::fwrite(bytes.data(), 1, bytes.size(), m_file);
  }

 private:
  std::FILE* m_file;
};

std::tm LocalNow() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

}  // namespace

std::unique_ptr<TraceFile> OpenTraceFile(const std::string& name, bool append) noexcept {
  std::FILE* f = std::fopen(name.c_str(), append ? "ab" : "wb");
  if (!f) return nullptr;
  return std::make_unique<StdioTraceFile>(f);
}

std::unique_ptr<TraceLink> ConnectTraceLink(const std::string&, const std::string&) {
  base::RaiseError(base::kErrInvalidCall, "ConnectTraceLink", "No trace listener in the native build");
}

std::uint32_t TraceClock() noexcept {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::string TraceStamp() {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm tm = LocalNow();
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%02d/%s/%02d @ %d:%02d:%02d", tm.tm_mday, kMonths[tm.tm_mon % 12],
                tm.tm_year % 100, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buffer;
}

std::string GeneralDateNow() {
  std::tm tm = LocalNow();
  char buffer[64];
  std::strftime(buffer, sizeof buffer, "%m/%d/%Y %H:%M:%S", &tm);
  return buffer;
}

}  // namespace common
