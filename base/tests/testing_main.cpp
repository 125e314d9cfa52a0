#include "base/tests/testing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#else
#include <unistd.h>
#endif

namespace testing_support {

PromptRecorder::PromptRecorder() {
  m_previous = base::SetPromptHandler([this](const base::PromptRequest& r) {
    m_prompts.push_back(r);
    if (m_answers.empty()) return static_cast<int>(base::kAnswerOk);
    int a = m_answers.front();
    m_answers.pop_front();
    return a;
  });
}

PromptRecorder::~PromptRecorder() { base::SetPromptHandler(std::move(m_previous)); }

namespace {
std::string Separator() {
#ifdef _WIN32
  return "\\";
#else
  return "/";
#endif
}
}  // namespace

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
#ifdef _WIN32
  unsigned long pid = GetCurrentProcessId();
#else
  unsigned long pid = static_cast<unsigned long>(getpid());
#endif
  for (;;) {
    std::ostringstream name;
    name << "crvtest_" << pid << "_" << counter++ << "_" << (rd() % 100000);
    auto p = base / name.str();
    std::error_code ec;
    if (std::filesystem::create_directory(p, ec)) {
      m_path = p.string();
      while (m_path.size() > 3 && (m_path.back() == '\\' || m_path.back() == '/')) m_path.pop_back();
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::File(const std::string& name) const { return m_path + Separator() + name; }

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

#ifdef _WIN32
ProcessResult RunProcess(std::string commandLine, unsigned long timeoutMs) {
  ProcessResult r;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return r;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  PROCESS_INFORMATION pi{};
  BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return r;
  }
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got)
    for (DWORD i = 0; i < got; ++i)
      if (buf[i] != '\r') r.output += buf[i];
  CloseHandle(readEnd);
  if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  r.exitCode = code;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return r;
}

std::string TestProgramFolder() {
  char path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p(path, n);
  return p.substr(0, p.find_last_of("\\/"));
}
#endif

}  // namespace testing_support

int main(int argc, char** argv) {
#ifdef _WIN32
  // Keep a crash from waiting on a dialog under Wine.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  // A real message box would wait for a user who is not there: unless a test
  // installs its own recorder, every prompt is printed and answered OK.
  base::SetPromptHandler([](const base::PromptRequest& r) {
    std::fprintf(stderr, "[prompt] %s: %s\n", r.title.c_str(), r.text.c_str());
    return static_cast<int>(base::kAnswerOk);
  });
  int rc = RUN_ALL_TESTS();
#ifdef _WIN32
  // The results are written by now. Under load Wine now and then stalls
  // tearing down a process whose threads made windows and COM objects, and
  // a stalled exit would cost a passed test its time-out: end here.
  std::fflush(stdout);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
#endif
  return rc;
}
