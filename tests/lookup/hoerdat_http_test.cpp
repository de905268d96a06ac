// The libcurl client against prepared loopback answers, and the stand-in Hördat service asked
// over plain HTTP as Velmora's search asks it.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <future>

#include "core/lookup/http_client.h"
#include "core/text/string_helpers.h"
#include "lookup/standin_process.h"

namespace velmora {
namespace {

// A loopback socket connected to port, or (port 0) listening on a free port stored in port.
int LoopbackSocket(int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{
      AF_INET, htons(static_cast<std::uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t length = sizeof address;
  auto* raw = reinterpret_cast<sockaddr*>(&address);
  if (port != 0) return connect(fd, raw, length) == 0 ? fd : (close(fd), -1);
  bind(fd, raw, length);
  listen(fd, 1);
  getsockname(fd, raw, &length);
  port = ntohs(address.sin_port);
  return fd;
}

// Reads until the peer closes, 5 s pass quietly, or stopAt has arrived.
std::string ReadFrom(int fd, const std::string& stopAt = "") {
  std::string bytes;
  char buffer[4096];
  pollfd waitFor{fd, POLLIN, 0};
  for (ssize_t got = 0; (stopAt.empty() || bytes.find(stopAt) == std::string::npos) &&
                        poll(&waitFor, 1, 5000) > 0 && (got = read(fd, buffer, sizeof buffer)) > 0;)
    bytes.append(buffer, static_cast<std::size_t>(got));
  return bytes;
}

// Answers one connection with response on a free loopback port; the future gets the request head.
std::future<std::string> ServeOnce(const std::string& response, int& port) {
  port = 0;
  const int listener = LoopbackSocket(port);
  return std::async(std::launch::async, [listener, response] {
    const int fd = accept(listener, nullptr, nullptr);
    const std::string head = ReadFrom(fd, "\r\n\r\n");
    send(fd, response.data(), response.size(), MSG_NOSIGNAL); // blocks until all is sent or refused
    close(fd);
    close(listener);
    return head;
  });
}

std::string Response(const std::string& status, const std::string& body,
                     const std::string& extraHeaders = "") {
  return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

TEST(CurlHttpClient, SendsOneGetAndTakesOnlyAnAnswerOfStatus200CutToTheLimit) {
  std::string bytes;
  for (int i = 0; i < 256; ++i)
    bytes += static_cast<char>(i);
  const std::string full(kMaxAnswerBytes, 'a');
  const std::tuple<std::string, bool, std::string> rows[] = {
      {Response("200 OK", bytes), true, bytes}, // the bytes unchanged
      {Response("200 OK", full + std::string(50000, 'b')), true, full},
      {Response("404 Not Found", " Kein Datensatz gefunden."), false, ""},
      {Response("500 Internal Server Error", "x"), false, ""},
      {Response("302 Found", "", "Location: file:///etc/hostname\r\n"), false, ""}, // only http
  };
  const auto client = MakeCurlHttpClient();
  for (const auto& [response, connected, body] : rows) {
    int port = 0;
    auto head = ServeOnce(response, port);
    const HttpResult result =
        client->Get("http://127.0.0.1:" + std::to_string(port) + "/h.php?a=M%fcller&b=&c=&d=");
    EXPECT_EQ(result.connected, connected) << response.substr(0, 30);
    EXPECT_TRUE(result.body == body) << response.substr(0, 30) << ": " << result.body.size();
    const std::string request = head.get();
    EXPECT_TRUE(request.starts_with("GET /h.php?a=M%fcller&b=&c=&d= HTTP/1.1\r\n")) << request;
    EXPECT_NE(request.find("\r\nUser-Agent: Meine Sitzung\r\n"), std::string::npos) << request;
  }
  test::StandinProcess stopped;
  const std::string refused = stopped.BaseUrl();
  stopped.Stop();
  for (const std::string url : {refused, std::string("file:///etc/hostname"), std::string("?a=")})
    EXPECT_FALSE(client->Get(url).connected) << url;
}

TEST(CurlHttpClient, GoesThroughTheProxyOfTheEnvironment) {
  int port = 0;
  auto head = ServeOnce(Response("200 OK", "via proxy"), port);
  setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(port)).c_str(), 1);
  unsetenv("no_proxy");
  unsetenv("NO_PROXY");
  const HttpResult result = MakeCurlHttpClient()->Get("http://hoerdat.invalid/h.php?a=x");
  unsetenv("http_proxy");
  EXPECT_EQ(result.body, "via proxy");
  EXPECT_TRUE(head.get().starts_with("GET http://hoerdat.invalid/h.php?a=x "));
}

class StandinTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(standin.Running()) << standin.firstLine(); }
  // The raw response: status line, headers and body.
  std::string Raw(const std::string& target) {
    int port = standin.port();
    const int fd = LoopbackSocket(port);
    const std::string request = "GET " + target + " HTTP/1.1\r\nConnection: close\r\n\r\n";
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    const std::string response = ReadFrom(fd);
    close(fd);
    return response;
  }
  // The body of a 200 answer; empty (and a test failure) for any other status.
  std::string Body(const std::string& target) {
    const std::string response = Raw(target);
    EXPECT_TRUE(response.starts_with("HTTP/1.1 200 ")) << response;
    const auto end = response.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : response.substr(end + 4);
  }
  test::StandinProcess standin{"--limit 12"};
};

TEST_F(StandinTest, AnswersInTheMarkerFormat) {
  EXPECT_EQ(Body("/hoerdat.php?a=&b=Garten%2c%20Der&c=&d="),
            "$titel1$Garten, Der$titel2$$autor$Berger, Anna$produktion$RBX$jahr$1998$laenge$54"
            "$hsp-typ$Krimi$genre$Thriller$regie$Hans Bauer$bearbeitung$$komposition$"
            "$inhaltsangabe$Im Garten der Villa Lindqvist liegt ein Toter.<br />Kommissarin "
            "Roth sucht den G\xe4rtner.$mitwirkende$Kommissarin Roth: Anna Berger\r\nG\xe4rtner: "
            "Otto Klee\r\nVillenbesitzer: Paul Dornbusch\r\nNachbarin: Hedwig Sauer$end$\r\n");
  // A value matches the beginning without regard to case; ".*" matches any text.
  const std::pair<const char*, int> rows[] = {
      {"/x?a=M%dcLLER&b=&c=&d=", 3}, // 'MÜLLER' finds the three parts of 'Müller, Jürgen'
      {"/x?a=wei%df&b=&c=&d=", 1},   // 'Weiß, Helene'
      {"/x?a=Berg&b=&c=&d=", 4},
      {"/x?a=&b=%2e%2agarten&c=&d=", 4},
      {"/x?a=&b=Stille%2e%2aDer&c=&d=2001", 3},
      {"/x?a=&b=Garten&c=&d=", 1},
      {"/x?a=&b=&c=RBX%2fNDX&d=", 1}, // a co-production
      {"/x?a=Ostwald&b=&c=RBX&d=", 2},
  };
  for (const auto& [target, records] : rows)
    EXPECT_EQ(CountOccurrences(Body(target) + " ", "$end$"), records) << target;
}

TEST_F(StandinTest, NoHitTooManyAndBadRequests) {
  EXPECT_EQ(Body("/x?a=Niemand&b=&c=&d="), " Kein Datensatz gefunden.");
  EXPECT_EQ(Body("/x?a=&b=&c=&d=19"),
            "Mehr als 12 Datens\xe4tze gefunden. Bitte schr\xe4nken Sie die Suche ein.");
  for (const char* target :
       {"/hoerdat.php", "/x?a=%g1", "/x?a=%4", "/x?a=%", "/x?e=1", "/x?a=1&a=2", "/x?ab=1"})
    EXPECT_TRUE(Raw(target).starts_with("HTTP/1.1 400 ")) << target;
  EXPECT_EQ(CountOccurrences(Body("/x?a=Dreyer"), "$end$"), 4); // still serving
  EXPECT_EQ(standin.Stop(), 0);                                 // cleanly on SIGTERM
}

} // namespace
} // namespace velmora
