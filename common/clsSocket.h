// A blocking TCP socket over Windows Sockets: the trace writer's link to its
// listener, with a server half that the tests use as a listener.
//
// Every failure is raised as base::Error with the public operation's name as
// source and the failing step's text as description.
#pragma once
#include <winsock2.h>

#include <string>

#include "base/error.h"
#include "base/handles.h"

namespace common {

constexpr long kErrSocket = base::kErrProgramBase + 0x1000;

class clsSocket {
 public:
  clsSocket();  // starts Windows Sockets 2.0
  ~clsSocket();
  clsSocket(const clsSocket&) = delete;
  clsSocket& operator=(const clsSocket&) = delete;

  // Client half.
  void initConnect(const std::string& host, const std::string& port);
  void sendStringEx(const std::string& text);  // 2-byte length, then the text
  void openSocket(const std::string& host, const std::string& port);
  void connectSocket();
  void termConnect();
  void sendString(const std::string& text);
  void sendBuffer(const std::string& bytes, long count);
  void closeSocket();

  bool isOpen() const noexcept { return static_cast<bool>(m_socket); }
  bool isOutgoing() const noexcept { return m_outgoing; }
  bool isListen() const noexcept { return m_listening; }
  bool isIncoming() const noexcept { return m_incoming; }
  SOCKET socketFd() const noexcept { return m_socket.get(); }
  std::string socketHost() const;
  std::string socketPort() const;
  std::string getHostName(bool resolve);
  // Kept for its callers; each object only ever stops the Windows Sockets
  // start it made itself, whatever the mode.
  void SetinitTermAll(bool value) noexcept { m_termAll = value; }

  // Our own: sends give up after this many milliseconds.
  void SetSendTimeout(unsigned long milliseconds);

  // Server half.
  void initBind(const std::string& host, const std::string& port);
  void startListen();
  void initAccept(clsSocket& listener);
  void termBind();
  void termAccept();
  bool recvWait(long milliseconds);
  long recvCurrentLen();
  long recvBuffer(std::string& buffer, long maxBytes);  // one receive; 0 when the peer closed
  std::string recvBufall(long count);                   // exactly count bytes
  std::string recvString(long maxBytes);                // one receive, as text

 private:
  unsigned short inet_p2n(const std::string& port);
  unsigned long inet_a2n(const std::string& host);

  bool m_termAll = false;
  bool m_started = false;
  base::UniqueSocket m_socket;
  sockaddr_in m_address{};
  bool m_outgoing = false;
  bool m_listening = false;
  bool m_incoming = false;
};

}  // namespace common
