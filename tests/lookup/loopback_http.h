#pragma once
// Plain-socket HTTP on the loopback address for the lookup tests: a server that answers with
// prepared bytes, and a GET that returns the whole raw response (status line and headers too).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora::test {

namespace loopback_detail {

inline std::string ReadRequestHead(int fd) {
  std::string head;
  char buffer[4096];
  pollfd waitFor{fd, POLLIN, 0};
  while (head.find("\r\n\r\n") == std::string::npos && poll(&waitFor, 1, 5000) > 0) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) break;
    head.append(buffer, static_cast<std::size_t>(got));
  }
  return head;
}

inline void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (wrote <= 0) return;
    done += static_cast<std::size_t>(wrote);
  }
}

} // namespace loopback_detail

// Answers each connection with respond(request head) and closes it.
class CannedHttpServer {
public:
  using Responder = std::function<std::string(const std::string& requestHead)>;

  explicit CannedHttpServer(Responder respond) : respond_(std::move(respond)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~CannedHttpServer() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    close(listener_);
  }
  CannedHttpServer(const CannedHttpServer&) = delete;
  CannedHttpServer& operator=(const CannedHttpServer&) = delete;

  int port() const { return port_; }
  std::string Url(const std::string& target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + target;
  }
  std::vector<std::string> requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
  }

  static std::string Response(const std::string& status, const std::string& body,
                              const std::string& extraHeaders = "") {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
  }

private:
  void Serve() {
    pollfd waitFor{listener_, POLLIN, 0};
    while (!stopping_) {
      if (poll(&waitFor, 1, 50) <= 0) continue;
      const int connection = accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      const std::string head = loopback_detail::ReadRequestHead(connection);
      {
        const std::lock_guard lock(mutex_);
        requests_.push_back(head);
      }
      loopback_detail::WriteAll(connection, respond_(head));
      shutdown(connection, SHUT_WR);
      close(connection);
    }
  }

  Responder respond_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_ = false;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
};

// One GET of target on 127.0.0.1:port; the raw response, empty when nothing came.
inline std::string RawGet(int port, const std::string& target) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  std::string response;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    loopback_detail::WriteAll(fd, "GET " + target +
                                      " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    char buffer[4096];
    pollfd waitFor{fd, POLLIN, 0};
    while (poll(&waitFor, 1, 5000) > 0) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0) break;
      response.append(buffer, static_cast<std::size_t>(got));
    }
  }
  close(fd);
  return response;
}

// A loopback port on which nothing listens (bound for a moment, then released).
inline int UnusedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

} // namespace velmora::test
