// The trace's link to a listener on loopback, against a real listener of the
// test's own that reads what the trace sends and then goes away.
#include "common/tests/loopback_listener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "base/tests/testing.h"
#include "common/appinfo.h"
#include "common/clsSocket.h"
#include "common/clsTrace.h"

namespace {

using common::clsTrace;
using common_test::LoopbackListener;
using testing_support::ReadFileBytes;
using testing_support::TempDir;

size_t CountLines(const std::string& bytes) {
  size_t n = 0;
  for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++n;
  return n;
}

constexpr std::int32_t kTcpAndFile = clsTrace::FlagInternet | clsTrace::FlagAutoCommit;

// A trace connected to a listener of the test's own, its opening message
// read. The listener's receive window can be made small.
class TraceLink : public testing::Test {
 protected:
  void Connect(std::int32_t flags, int receiveBuffer = 0) {
    m_listener = std::make_unique<LoopbackListener>(receiveBuffer);
    m_trace.SetInternetPort(m_listener->Port());
    ASSERT_TRUE(m_trace.Initialize(m_file, flags));
    ASSERT_TRUE(m_trace.IsConnected());
    ASSERT_TRUE(m_listener->Accept());
    ASSERT_EQ(m_listener->ReadMessage(), "0 0 " + common::ApplicationTitle());
  }
  bool FileExists() const { return GetFileAttributesA(m_file.c_str()) != INVALID_FILE_ATTRIBUTES; }

  TempDir m_dir;
  std::string m_file = m_dir.File("t.dbg");
  std::unique_ptr<LoopbackListener> m_listener;
  clsTrace m_trace;
};

TEST_F(TraceLink, SendsTheTitleThenEveryLineWithItsFlags) {
  Connect(kTcpAndFile);
  EXPECT_EQ(common::ApplicationTitle(), "Common Services Tests");
  m_trace.Push("Proc");
  m_trace.Output("value=1");
  m_trace.Pop();
  EXPECT_EQ(m_listener->ReadMessage(), "1 4 Proc");
  EXPECT_EQ(m_listener->ReadMessage(), "1 0 value=1");
  EXPECT_EQ(m_listener->ReadMessage(), "1 8 ");
  EXPECT_EQ(CountLines(ReadFileBytes(m_file)), 3u);
}

TEST_F(TraceLink, AListenerThatVanishesCostsTheConnectionAndNothingElse) {
  Connect(kTcpAndFile);
  m_trace.Output("before");
  EXPECT_EQ(m_listener->ReadMessage(), "1 0 before");

  m_listener->Vanish();
  // The reset reaches the trace's socket on its own time: keep tracing, as
  // the traced code would, until a send finds the connection gone.
  int written = 1;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (m_trace.IsConnected() && std::chrono::steady_clock::now() < deadline) {
    m_trace.Output("line " + std::to_string(written++));
    Sleep(10);
  }
  EXPECT_FALSE(m_trace.IsConnected());
  m_trace.Output("after");
  ++written;
  EXPECT_TRUE(m_trace.IsInitialized());
  EXPECT_EQ(CountLines(ReadFileBytes(m_file)), static_cast<size_t>(written)) << "every line still reached the file";
}

TEST_F(TraceLink, TerminateEndsTheConnectionAndTheNextStartConnectsAgain) {
  Connect(kTcpAndFile);
  m_trace.Terminate();
  EXPECT_FALSE(m_trace.IsConnected());
  EXPECT_TRUE(m_listener->PeerClosed());

  ASSERT_TRUE(m_trace.Initialize(m_file, kTcpAndFile));
  ASSERT_TRUE(m_listener->Accept());
  EXPECT_EQ(m_listener->ReadMessage().substr(0, 4), "0 0 ");
  m_trace.Output("again");
  EXPECT_EQ(m_listener->ReadMessage(), "1 0 again");
}

TEST_F(TraceLink, WithoutAListenerTheTraceDoesNotStart) {
  std::string port = LoopbackListener().Port();  // free again once it goes
  m_trace.SetInternetPort(port);
  EXPECT_FALSE(m_trace.Initialize(m_file, kTcpAndFile));
  EXPECT_FALSE(m_trace.IsInitialized());
  m_trace.Output("nothing");
  EXPECT_FALSE(FileExists());
}

TEST_F(TraceLink, WithoutAutoCommitOnlyTheListenerGetsTheLines) {
  Connect(clsTrace::FlagInternet);
  m_trace.Output("only there");
  EXPECT_EQ(m_listener->ReadMessage(), "1 0 only there");
  m_trace.Terminate();
  EXPECT_FALSE(FileExists());
}

TEST_F(TraceLink, AListenerThatStopsReadingCannotHoldTheTracedCodeForLong) {
  Connect(kTcpAndFile, 4096);
  const std::string line(30000, 'x');
  auto longest = std::chrono::milliseconds(0);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (m_trace.IsConnected() && std::chrono::steady_clock::now() < deadline) {
    auto start = std::chrono::steady_clock::now();
    m_trace.Output(line);
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (took > longest) longest = took;
  }
  EXPECT_FALSE(m_trace.IsConnected()) << "the full send buffer dropped the link";
  EXPECT_LT(longest.count(), 10000) << "no line waited long on the listener";
}

TEST(Socket, StoppingWindowsSocketsLeavesOtherUsersStarted) {
  LoopbackListener ours;  // holds a Windows Sockets start of its own
  {
    common::clsSocket socket;
    socket.SetinitTermAll(true);
  }
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  EXPECT_NE(s, INVALID_SOCKET) << WSAGetLastError();
  if (s != INVALID_SOCKET) closesocket(s);
}

}  // namespace
