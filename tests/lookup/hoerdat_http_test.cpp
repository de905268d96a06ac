// The libcurl client against prepared loopback answers and against the stand-in Hördat service.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <future>

#include "core/import/hoerdat_plays.h"
#include "core/lookup/http_client.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"
#include "lookup/standin_process.h"

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
  // The response; connected, status and body, or the failure.
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

TEST(StandinService, MatchesAnswersWithTheDatabaseMessagesAndRefusesBadRequests) {
  test::StandinProcess standin;
  ASSERT_NE(standin.port, 0) << standin.firstLine;
  const auto client = MakeCurlHttpClient();
  const auto records = [&](const std::string& query) {
    const HttpResult result = client->Get(standin.BaseUrl() + "hoerdat.php?" + query);
    EXPECT_TRUE(result.connected) << query;
    return CountOccurrences(result.body + " ", "$end$");
  };
  // A value matches the beginning without regard to case; ".*" matches any text.
  const std::pair<const char*, int> rows[] = {
      {"a=M%dcLLER&b=&c=&d=", 3}, // 'MÜLLER' finds the three parts of 'Müller, Jürgen'
      {"a=&b=%2e%2agarten&c=&d=", 4},
      {"a=&b=Stille%2e%2aDer&c=&d=2001", 3},
      {"a=&b=&c=RBX%2fNDX&d=", 1}, // a co-production
  };
  for (const auto& [query, count] : rows)
    EXPECT_EQ(records(query), count) << query;
  EXPECT_EQ(client->Get(standin.BaseUrl() + "x?a=Niemand&b=&c=&d=").body,
            " Kein Datensatz gefunden.");
  EXPECT_TRUE(
      client->Get(standin.BaseUrl() + "x?a=&b=%2e%2a&c=&d=19").body.starts_with("Mehr als 20"));
  // Bad requests get status 400.
  for (const char* target : {"x", "x?a=%g1", "x?a=%4", "x?a=%", "x?e=1", "x?a=1&a=2", "x?ab=1"})
    EXPECT_EQ(client->Get(standin.BaseUrl() + target).status, 400) << target;
  // The pages of today's layout, for the page import.
  const auto plays = [&](const std::string& target) {
    const HttpResult page = client->Get(standin.BaseUrl() + target);
    EXPECT_EQ(page.status, 200) << target;
    return ReadClipboardPlays("", Utf8ToNearestCp1252(page.body));
  };
  const auto one = plays("page?id=0");
  ASSERT_EQ(one.size(), 1U);
  EXPECT_EQ(one[0].fields.title, "Der Garten");
  EXPECT_EQ(one[0].fields.production->copyright, "RBX 1998");
  EXPECT_EQ(plays("page?day=1").size(), 5U);
  EXPECT_EQ(client->Get(standin.BaseUrl() + "page?id=99999").status, 404);

  const std::string address = standin.BaseUrl();
  standin.Stop();
  const HttpResult refused = client->Get(address + "x?a=x");
  EXPECT_FALSE(refused.connected);
  EXPECT_EQ(refused.failure, HttpFailure::Refused);
}

} // namespace
} // namespace velmora
