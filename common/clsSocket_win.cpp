#include "common/clsSocket.h"

#include <ws2tcpip.h>

#include <utility>

namespace common {

namespace {

[[noreturn]] void Fail(const std::string& source, const std::string& text) {
  throw base::Error(kErrSocket, source, text);
}

// Runs one public operation: a failure keeps the step's text and gains the
// operation's name as its source.
template <class F>
auto Labelled(const std::string& label, F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (const base::Error& e) {
    throw base::Error(e.Number(), label, e.Description());
  } catch (...) {
    base::Error e = base::CurrentError(label);
    throw base::Error(e.Number(), label, e.Description());
  }
}

std::string Dotted(in_addr address) {
  const unsigned char* b = reinterpret_cast<const unsigned char*>(&address.s_addr);
  return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." +
         std::to_string(b[3]);
}

std::string CutAtNul(const char* text, size_t size) {
  std::string s(text, size);
  size_t nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

}  // namespace

clsSocket::clsSocket() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 0), &data) != 0) Fail("clsSocket", "WSAStartup(2.0)");
  m_started = true;
}

clsSocket::~clsSocket() {
  m_socket.reset();
  // One clean-up for our one start: other users of Windows Sockets in the
  // same process (the shell, its other extensions) keep theirs.
  if (m_started) WSACleanup();
}

unsigned short clsSocket::inet_p2n(const std::string& port) {
  return Labelled("inet_p2n", [&]() -> unsigned short {
    if (port.empty()) Fail("inet_p2n", "Portnumber is missing");
    size_t i = (port[0] == '+' || port[0] == '-') ? 1 : 0;
    if (i == port.size() || port.size() > 12) Fail("inet_p2n", "Portnumber " + port + " is invalid");
    for (size_t j = i; j < port.size(); ++j)
      if (port[j] < '0' || port[j] > '9') Fail("inet_p2n", "Portnumber " + port + " is invalid");
    long long n = std::stoll(port.substr(i));
    if (port[0] == '-') n = -n;
    if (n < 0 || n > 65535) Fail("inet_p2n", "Portnumber " + port + " is out of range");
    return static_cast<unsigned short>(n);
  });
}

unsigned long clsSocket::inet_a2n(const std::string& hostText) {
  return Labelled("inet_a2n", [&]() -> unsigned long {
    std::string host = hostText.empty() ? "localhost" : hostText;
    unsigned long direct = inet_addr(host.c_str());
    if (direct != INADDR_NONE || host == "255.255.255.255") return direct;
    hostent* entry = gethostbyname(host.c_str());
    if (!entry) {
      if (WSAGetLastError() == WSAHOST_NOT_FOUND) Fail("inet_a2n", "unknown host " + host);
      Fail("inet_a2n", "gethostbyname(" + host + ")");
    }
    if (entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list[0])
      Fail("inet_a2n", "Address '" + host + "' is not an INET address");
    unsigned long address;
    memcpy(&address, entry->h_addr_list[0], 4);
    return address;
  });
}

void clsSocket::openSocket(const std::string& hostText, const std::string& portText) {
  Labelled("openSocket", [&] {
    if (isOpen()) Fail("openSocket", "Was already open");
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
      Fail("openSocket", WSAGetLastError() == WSANOTINITIALISED ? "WSA not initialised" : "socket() failed");
    m_socket.reset(s);
    try {
      std::string host = hostText, port = portText;
      size_t colon = hostText.find(':');
      if (colon != std::string::npos) {
        host = hostText.substr(0, colon);
        port = hostText.substr(colon + 1);
      } else if (port.empty()) {
        Fail("openSocket", host + ", Port missing");
      }
      unsigned short number = inet_p2n(port);
      unsigned long address = inet_a2n(host);
      m_address = sockaddr_in{};
      m_address.sin_family = AF_INET;
      m_address.sin_port = htons(number);
      // An empty host is any address, for binding.
      m_address.sin_addr.s_addr = host.empty() ? 0 : address;
      m_outgoing = m_listening = m_incoming = false;
    } catch (...) {
      m_socket.reset();
      throw;
    }
  });
}

void clsSocket::connectSocket() {
  Labelled("Socket.connect " + socketHost() + ":" + socketPort(), [&] {
    if (connect(m_socket.get(), reinterpret_cast<const sockaddr*>(&m_address), sizeof m_address) != 0) {
      int code = WSAGetLastError();
      if (code == WSAECONNREFUSED) Fail("connectSocket", "Connection refused");
      if (code == WSAEHOSTUNREACH || code == WSAENETUNREACH) Fail("connectSocket", "Host unreached");
      Fail("connectSocket", "Connection failed (" + std::to_string(code) + ")");
    }
    m_outgoing = true;
  });
}

void clsSocket::initConnect(const std::string& host, const std::string& port) {
  Labelled("Socket.initConnect", [&] {
    try {
      openSocket(host, port);
      connectSocket();
    } catch (...) {
      m_socket.reset();
      m_outgoing = false;
      throw;
    }
  });
}

void clsSocket::SetSendTimeout(unsigned long milliseconds) {
  DWORD value = milliseconds;
  setsockopt(m_socket.get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&value), sizeof value);
}

void clsSocket::closeSocket() {
  Labelled("Socket.close", [&] {
    if (!isOpen()) Fail("closeSocket", "Is already closed");
    SOCKET s = m_socket.release();
    if (closesocket(s) != 0)
      Fail("closeSocket", WSAGetLastError() == WSAENOTSOCK ? "fd is not a socket" : "closesocket() failed");
  });
}

void clsSocket::termConnect() {
  Labelled("termConnect", [&] {
    m_outgoing = false;
    closeSocket();
  });
}

void clsSocket::sendBuffer(const std::string& bytes, long count) {
  Labelled("sendBuffer", [&] {
    if (count < 0 || static_cast<size_t>(count) > bytes.size()) Fail("sendBuffer", "Invalid byte count");
    int sent = send(m_socket.get(), bytes.data(), static_cast<int>(count), 0);
    if (sent != count) Fail("sendBuffer", "send() failed");
  });
}

void clsSocket::sendString(const std::string& text) {
  Labelled("sendString", [&] {
    int sent = send(m_socket.get(), text.data(), static_cast<int>(text.size()), 0);
    if (sent != static_cast<int>(text.size())) Fail("sendString", "sendstr() failed");
  });
}

void clsSocket::sendStringEx(const std::string& text) {
  Labelled("sendString", [&] {
    if (text.size() > 32767) Fail("sendString", "String too long");
    const char length[2] = {static_cast<char>(text.size() & 0xFF), static_cast<char>(text.size() >> 8)};
    if (send(m_socket.get(), length, 2, 0) != 2) Fail("sendString", "sendstr() failed");
    if (text.empty()) return;
    int sent = send(m_socket.get(), text.data(), static_cast<int>(text.size()), 0);
    if (sent != static_cast<int>(text.size())) Fail("sendString", "sendstr() failed");
  });
}

std::string clsSocket::socketHost() const { return Dotted(m_address.sin_addr); }

std::string clsSocket::socketPort() const { return std::to_string(ntohs(m_address.sin_port)); }

std::string clsSocket::getHostName(bool resolve) {
  return Labelled("getHostName", [&]() -> std::string {
    char buffer[256] = {};
    if (gethostname(buffer, sizeof buffer) != 0) Fail("getHostName", "gethostname() failed");
    std::string name = CutAtNul(buffer, sizeof buffer);
    if (!resolve) return name;
    in_addr address;
    address.s_addr = inet_a2n(name);
    return Dotted(address);
  });
}

void clsSocket::initBind(const std::string& host, const std::string& port) {
  Labelled("Socket.Bind", [&] {
    openSocket(host, port);
    try {
      bool reuse = !port.empty() && port[0] == '+';
      if (reuse) {
        BOOL on = TRUE;
        setsockopt(m_socket.get(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
      }
      if (bind(m_socket.get(), reinterpret_cast<const sockaddr*>(&m_address), sizeof m_address) != 0)
        Fail("initBind", "bind() failed (" + std::to_string(WSAGetLastError()) + ")");
      int size = sizeof m_address;
      getsockname(m_socket.get(), reinterpret_cast<sockaddr*>(&m_address), &size);
    } catch (...) {
      m_socket.reset();
      throw;
    }
  });
}

void clsSocket::startListen() {
  Labelled("startListen", [&] {
    if (listen(m_socket.get(), 20) != 0) Fail("startListen", "listen() failed");
    m_listening = true;
  });
}

void clsSocket::initAccept(clsSocket& listener) {
  Labelled("Socket.Accept", [&] {
    if (isOpen()) Fail("initAccept", "Was already open");
    int size = sizeof m_address;
    SOCKET s = accept(listener.m_socket.get(), reinterpret_cast<sockaddr*>(&m_address), &size);
    if (s == INVALID_SOCKET) Fail("initAccept", "accept() failed");
    m_socket.reset(s);
    m_incoming = true;
  });
}

void clsSocket::termBind() {
  Labelled("termBind", [&] {
    m_listening = false;
    closeSocket();
  });
}

void clsSocket::termAccept() {
  Labelled("termAccept", [&] {
    m_incoming = false;
    closeSocket();
  });
}

bool clsSocket::recvWait(long milliseconds) {
  return Labelled("recvWait", [&] {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_socket.get(), &readable);
    timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
    int n = select(0, &readable, nullptr, nullptr, &wait);
    if (n == SOCKET_ERROR) Fail("recvWait", "select() failed");
    return n > 0;
  });
}

long clsSocket::recvCurrentLen() {
  return Labelled("recvCurrentLen", [&] {
    u_long waiting = 0;
    if (ioctlsocket(m_socket.get(), FIONREAD, &waiting) != 0) Fail("recvCurrentLen", "ioctlsocket() failed");
    return static_cast<long>(waiting);
  });
}

long clsSocket::recvBuffer(std::string& buffer, long maxBytes) {
  return Labelled("recvBuffer", [&] {
    buffer.assign(static_cast<size_t>(maxBytes > 0 ? maxBytes : 0), '\0');
    int n = recv(m_socket.get(), buffer.data(), static_cast<int>(buffer.size()), 0);
    if (n < 0) Fail("recvBuffer", "recv() failed");
    buffer.resize(static_cast<size_t>(n));
    return static_cast<long>(n);
  });
}

std::string clsSocket::recvBufall(long count) {
  return Labelled("recvBufall", [&] {
    std::string all;
    std::string part;
    while (static_cast<long>(all.size()) < count) {
      if (recvBuffer(part, count - static_cast<long>(all.size())) == 0) Fail("recvBufall", "Connection closed");
      all += part;
    }
    return all;
  });
}

std::string clsSocket::recvString(long maxBytes) {
  return Labelled("recvString", [&] {
    std::string text;
    recvBuffer(text, maxBytes);
    return text;
  });
}

}  // namespace common
