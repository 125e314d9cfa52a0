// A trace listener of the test's own on 127.0.0.1, over plain Windows
// Sockets: it accepts, reads length-prefixed messages and can vanish.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <string>

namespace common_test {

class LoopbackListener {
 public:
  // receiveBuffer > 0 makes the accepted connection's window small.
  explicit LoopbackListener(int receiveBuffer = 0) {
    WSADATA data;
    m_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    m_listen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (receiveBuffer > 0)
      setsockopt(m_listen, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer), sizeof receiveBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &size);
    m_port = ntohs(address.sin_port);
    listen(m_listen, 4);
  }
  ~LoopbackListener() {
    CloseConnection();
    if (m_listen != INVALID_SOCKET) closesocket(m_listen);
    if (m_started) WSACleanup();
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  std::string Port() const { return std::to_string(m_port); }

  bool Accept(int timeoutMs = 10000) {
    if (!Readable(m_listen, timeoutMs)) return false;
    CloseConnection();
    m_connection = accept(m_listen, nullptr, nullptr);
    return m_connection != INVALID_SOCKET;
  }

  // Exactly n bytes, or what came before the peer closed or the time ran out.
  std::string Read(size_t n, int timeoutMs = 10000) {
    std::string bytes;
    char buffer[4096];
    while (bytes.size() < n && Readable(m_connection, timeoutMs)) {
      int want = static_cast<int>(n - bytes.size() < sizeof buffer ? n - bytes.size() : sizeof buffer);
      int got = recv(m_connection, buffer, want, 0);
      if (got <= 0) break;
      bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
  }

  // One message of the trace stream: its text, or "<none>".
  std::string ReadMessage() {
    std::string length = Read(2);
    if (length.size() != 2) return "<none>";
    size_t n = static_cast<unsigned char>(length[0]) | static_cast<size_t>(static_cast<unsigned char>(length[1])) << 8;
    return Read(n);
  }

  // True when the peer has closed its side (the next read finds the end).
  bool PeerClosed(int timeoutMs = 10000) {
    if (!Readable(m_connection, timeoutMs)) return false;
    char c;
    return recv(m_connection, &c, 1, 0) == 0;
  }

  // Goes away at once: the connection is reset, the listening socket closed.
  void Vanish() {
    if (m_connection != INVALID_SOCKET) {
      linger hard{1, 0};
      setsockopt(m_connection, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
    }
    CloseConnection();
    closesocket(m_listen);
    m_listen = INVALID_SOCKET;
  }

 private:
  static bool Readable(SOCKET s, int timeoutMs) {
    if (s == INVALID_SOCKET) return false;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
  }
  void CloseConnection() {
    if (m_connection != INVALID_SOCKET) closesocket(m_connection);
    m_connection = INVALID_SOCKET;
  }

  bool m_started = false;
  SOCKET m_listen = INVALID_SOCKET;
  SOCKET m_connection = INVALID_SOCKET;
  unsigned short m_port = 0;
};

}  // namespace common_test
