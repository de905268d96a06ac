// The libcurl client against prepared loopback answers.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <future>

#include "core/lookup/http_client.h"

namespace velmora {
namespace {

// Answers one connection on a free loopback port with response; the future gets the request.
std::future<std::string> ServeOnce(const std::string& response, int& port) {
  const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t length = sizeof address;
  bind(listener, reinterpret_cast<sockaddr*>(&address), length);
  listen(listener, 1);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return std::async(std::launch::async, [listener, response] {
    const int fd = accept(listener, nullptr, nullptr);
    std::string head(8192, '\0'); // a GET's head comes in one piece on the loopback
    head.resize(static_cast<std::size_t>(std::max(recv(fd, head.data(), head.size(), 0), 0L)));
    send(fd, response.data(), response.size(), MSG_NOSIGNAL); // until sent or refused
    close(fd);
    close(listener);
    return head;
  });
}

// A response that ends where the connection closes; status may carry further header lines.
std::string Response(const std::string& status, const std::string& body) {
  return "HTTP/1.1 " + status + "\r\nConnection: close\r\n\r\n" + body;
}

TEST(CurlHttpClient, SendsOneGetAndKeepsEveryAnswerWithItsStatusCutToTheLimit) {
  std::string bytes;
  for (int i = 0; i < 256; ++i)
    bytes += static_cast<char>(i);
  const std::string full(kMaxAnswerBytes, 'a');
  const std::tuple<std::string, bool, long, std::string, HttpFailure> rows[] = {
      {Response("200 OK", bytes), true, 200, bytes, HttpFailure::None}, // the bytes unchanged
      {Response("200 OK", full + std::string(50000, 'b')), true, 200, full, HttpFailure::None},
      // An error status keeps its body for the answer handling.
      {Response("404 Not Found", " Kein Datensatz gefunden."), true, 404,
       " Kein Datensatz gefunden.", HttpFailure::None},
      {Response("302 Found\r\nLocation: file:///etc/hostname", ""), false, 0, "",
       HttpFailure::BadAddress}, // only http and https
  };
  const auto client = MakeCurlHttpClient();
  for (const auto& [response, connected, status, body, failure] : rows) {
    int port = 0;
    auto head = ServeOnce(response, port);
    const HttpResult result =
        client->Get("http://127.0.0.1:" + std::to_string(port) + "/h.php?a=M%fcller&b=&c=&d=");
    EXPECT_EQ(result.connected, connected) << response.substr(0, 30);
    EXPECT_EQ(result.status, status) << response.substr(0, 30);
    EXPECT_EQ(result.failure, failure) << response.substr(0, 30);
    EXPECT_TRUE(result.body == body) << response.substr(0, 30) << ": " << result.body.size();
    const std::string request = head.get();
    EXPECT_TRUE(request.starts_with("GET /h.php?a=M%fcller&b=&c=&d= HTTP/1.1\r\n")) << request;
    EXPECT_NE(request.find("\r\nUser-Agent: Meine Sitzung\r\n"), std::string::npos) << request;
  }
}

TEST(CurlHttpClient, GoesThroughTheProxyOfTheEnvironment) {
  int port = 0;
  auto head = ServeOnce(Response("200 OK", "via proxy"), port);
  setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(port)).c_str(), 1);
  const HttpResult result = MakeCurlHttpClient()->Get("http://hoerdat.invalid/h.php?a=x");
  unsetenv("http_proxy");
  EXPECT_EQ(result.body, "via proxy");
  EXPECT_TRUE(head.get().starts_with("GET http://hoerdat.invalid/h.php?a=x "));
}

} // namespace
} // namespace velmora
