#include "common/clsSocket.h"

#include "common/tests/loopback_listener.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using common::clsSocket;
using common_test::LoopbackListener;

TEST(Socket, SendStringExPutsTheLengthBeforeTheText) {
  struct Case {
    std::string text;
    std::string length;
  } cases[] = {
      {"", std::string("\0\0", 2)},
      {std::string(300, 'x'), std::string("\x2C\x01", 2)},
      {"abc", std::string("\x03\0", 2)},
  };
  LoopbackListener listener;
  clsSocket socket;
  // The port may come with the host, after a colon.
  socket.initConnect("127.0.0.1:" + listener.Port(), "");
  ASSERT_TRUE(listener.Accept());
  EXPECT_TRUE(socket.isOutgoing());
  EXPECT_EQ(socket.socketHost(), "127.0.0.1");
  EXPECT_EQ(socket.socketPort(), listener.Port());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    socket.sendStringEx(c.text);
    EXPECT_EQ(listener.Read(2 + c.text.size()), c.length + c.text);
  }
  try {
    socket.sendStringEx(std::string(32768, 'y'));
    ADD_FAILURE() << "a text over 32767 characters cannot be framed";
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Source(), "sendString");
  }
}

TEST(Socket, PortTextsAreCheckedBeforeAnythingConnects) {
  struct Case {
    const char* host;
    const char* port;
    const char* failure;  // null: accepted
  } cases[] = {
      {"127.0.0.1", "0", nullptr},
      {"127.0.0.1", "65535", nullptr},
      {"127.0.0.1", "65536", "Portnumber 65536 is out of range"},
      {"127.0.0.1", "-1", "Portnumber -1 is out of range"},
      {"127.0.0.1", "abc", "Portnumber abc is invalid"},
      {"127.0.0.1", "", "127.0.0.1, Port missing"},
      {"127.0.0.1:", "", "Portnumber is missing"},
      {"no.such.host.invalid", "80", "unknown host no.such.host.invalid"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.host) + " " + c.port);
    clsSocket socket;
    try {
      socket.openSocket(c.host, c.port);
      EXPECT_EQ(c.failure, nullptr);
      EXPECT_TRUE(socket.isOpen());
    } catch (const base::Error& e) {
      ASSERT_NE(c.failure, nullptr) << e.Description();
      EXPECT_EQ(e.Description(), c.failure);
      EXPECT_EQ(e.Source(), "openSocket");
      EXPECT_FALSE(socket.isOpen()) << "a failed open leaves no socket behind";
    }
  }
}

TEST(Socket, AnEmptyHostIsAnyAddressAndCannotBeConnectedTo) {
  clsSocket socket;
  socket.openSocket("", "12000");
  EXPECT_EQ(socket.socketHost(), "0.0.0.0");
  EXPECT_THROW(socket.connectSocket(), base::Error);
  EXPECT_FALSE(socket.isOutgoing());
}

TEST(Socket, ARefusedConnectionLeavesTheSocketClosed) {
  std::string port;
  {
    LoopbackListener gone;
    port = gone.Port();
  }
  clsSocket socket;
  try {
    socket.initConnect("127.0.0.1", port);
    ADD_FAILURE() << "nothing listens there";
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Source(), "Socket.initConnect");
    EXPECT_EQ(e.Description(), "Connection refused");
  }
  EXPECT_FALSE(socket.isOpen());
  try {
    socket.closeSocket();
    ADD_FAILURE();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Description(), "Is already closed");
    EXPECT_EQ(e.Source(), "Socket.close");
  }
}

TEST(Socket, TheServerHalfAcceptsAndReceives) {
  clsSocket server, client, connection;
  server.initBind("127.0.0.1", "+0");
  server.startListen();
  EXPECT_TRUE(server.isListen());
  EXPECT_NE(server.socketPort(), "0") << "the bound port is read back";

  client.initConnect(server.socketHost(), server.socketPort());
  connection.initAccept(server);
  EXPECT_TRUE(connection.isIncoming());
  client.sendStringEx("hello");
  client.sendString("!");
  ASSERT_TRUE(connection.recvWait(10000));
  EXPECT_EQ(connection.recvBufall(7), std::string("\x05\0hello", 7));
  EXPECT_EQ(connection.recvBufall(1), "!");
  EXPECT_EQ(connection.recvCurrentLen(), 0);
  EXPECT_FALSE(connection.recvWait(0));

  client.termConnect();
  EXPECT_FALSE(client.isOpen());
  std::string rest;
  EXPECT_EQ(connection.recvBuffer(rest, 16), 0) << "the peer's close reads as the end";
  connection.termAccept();
  server.termBind();
  EXPECT_FALSE(server.isListen());
}

TEST(Socket, GetHostNameNamesThisMachine) {
  clsSocket socket;
  EXPECT_FALSE(socket.getHostName(false).empty());
  std::string address = socket.getHostName(true);
  EXPECT_EQ(std::count(address.begin(), address.end(), '.'), 3) << address;
}

}  // namespace
