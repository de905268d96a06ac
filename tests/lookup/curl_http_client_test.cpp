#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "core/lookup/http_client.h"
#include "lookup/loopback_http.h"
#include "lookup/standin_process.h"

namespace velmora {
namespace {

using test::CannedHttpServer;

HttpResult Get(const std::string& url) {
  return MakeCurlHttpClient()->Get(url);
}

TEST(CurlHttpClient, SendsOneGetOfTheWholeAddressWithTheAgentText) {
  CannedHttpServer server(
      [](const std::string&) { return CannedHttpServer::Response("200 OK", "x"); });
  const HttpResult result = Get(server.Url("/cgi/hoerdat.php?a=M%fcller&b=&c=&d="));
  EXPECT_TRUE(result.connected);
  ASSERT_EQ(server.requests().size(), 1u);
  const std::string head = server.requests()[0];
  EXPECT_EQ(head.rfind("GET /cgi/hoerdat.php?a=M%fcller&b=&c=&d= HTTP/1.1\r\n", 0), 0u) << head;
  EXPECT_NE(head.find("\r\nUser-Agent: Meine Sitzung\r\n"), std::string::npos) << head;
  EXPECT_EQ(head.find("Accept-Encoding"), std::string::npos) << head;
}

TEST(CurlHttpClient, DeliversTheBodyBytesUnchanged) {
  std::string body;
  for (int i = 0; i < 256; ++i)
    body += static_cast<char>(i);
  body += "$titel1$ M\xfcller\r\n\x80\xff";
  CannedHttpServer server([&](const std::string&) {
    return CannedHttpServer::Response("200 OK", body,
                                      "Content-Type: text/plain; charset=utf-8\r\n");
  });
  const HttpResult result = Get(server.Url("/"));
  EXPECT_TRUE(result.connected);
  EXPECT_TRUE(result.body == body);
}

TEST(CurlHttpClient, KeepsAHundredThousandBytesAndCutsTheRest) {
  const std::string full(kMaxAnswerBytes, 'a');
  CannedHttpServer exact(
      [&](const std::string&) { return CannedHttpServer::Response("200 OK", full); });
  HttpResult result = Get(exact.Url("/"));
  EXPECT_TRUE(result.connected);
  EXPECT_EQ(result.body.size(), kMaxAnswerBytes);

  CannedHttpServer longer([&](const std::string&) {
    return CannedHttpServer::Response("200 OK", full + std::string(50000, 'b'));
  });
  result = Get(longer.Url("/"));
  EXPECT_TRUE(result.connected);
  EXPECT_TRUE(result.body == full);
}

TEST(CurlHttpClient, ErrorStatusesCountAsFailedConnections) {
  for (const char* status : {"404 Not Found", "400 Bad Request", "500 Internal Server Error"}) {
    CannedHttpServer server([&](const std::string&) {
      return CannedHttpServer::Response(status, " Kein Datensatz gefunden.");
    });
    const HttpResult result = Get(server.Url("/hoerdat.php?a=x"));
    EXPECT_FALSE(result.connected) << status;
    EXPECT_EQ(result.body, "") << status;
  }
}

TEST(CurlHttpClient, FollowsRedirectsButNotEndlessly) {
  CannedHttpServer server([](const std::string& head) {
    if (head.rfind("GET /moved", 0) == 0)
      return CannedHttpServer::Response("302 Found", "", "Location: /answer\r\n");
    if (head.rfind("GET /answer", 0) == 0) return CannedHttpServer::Response("200 OK", "da");
    return CannedHttpServer::Response("302 Found", "", "Location: /loop\r\n");
  });
  HttpResult result = Get(server.Url("/moved"));
  EXPECT_TRUE(result.connected);
  EXPECT_EQ(result.body, "da");

  const std::size_t before = server.requests().size();
  result = Get(server.Url("/loop"));
  EXPECT_FALSE(result.connected);
  EXPECT_EQ(server.requests().size() - before, 6u); // the first request and five redirects
}

TEST(CurlHttpClient, FollowsRedirectsOnlyToHttp) {
  CannedHttpServer server([](const std::string&) {
    return CannedHttpServer::Response("302 Found", "", "Location: file:///etc/hostname\r\n");
  });
  EXPECT_FALSE(Get(server.Url("/")).connected);
  EXPECT_FALSE(Get("file:///etc/hostname").connected);
}

TEST(CurlHttpClient, AnAddressWithoutHostFails) {
  EXPECT_FALSE(Get("?a=&b=&c=&d=1998").connected);
  EXPECT_FALSE(Get("").connected);
}

TEST(CurlHttpClient, ARefusedConnectionFails) {
  const HttpResult result = Get("http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/x");
  EXPECT_FALSE(result.connected);
}

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(CurlHttpClient, GoesThroughTheProxyOfTheEnvironment) {
  CannedHttpServer proxy(
      [](const std::string&) { return CannedHttpServer::Response("200 OK", "via proxy"); });
  const ScopedEnv httpProxy("http_proxy", proxy.Url("").c_str());
  const ScopedEnv noProxy("no_proxy", nullptr);
  const ScopedEnv noProxyUpper("NO_PROXY", nullptr);
  const HttpResult result = Get("http://hoerdat.invalid/hoerdat.php?a=&b=x&c=&d=");
  EXPECT_TRUE(result.connected);
  EXPECT_EQ(result.body, "via proxy");
  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_EQ(proxy.requests()[0].rfind("GET http://hoerdat.invalid/hoerdat.php?a=&b=x&c=&d= ", 0),
            0u);
}

TEST(CurlHttpClient, AgainstTheStandIn) {
  test::StandinProcess standin;
  ASSERT_TRUE(standin.Running()) << standin.firstLine();
  const auto client = MakeCurlHttpClient();

  HttpResult result = client->Get(standin.BaseUrl() + "hoerdat.php?a=M%fcller&b=&c=&d=1975");
  EXPECT_TRUE(result.connected);
  EXPECT_NE(result.body.find("$autor$M\xfcller, J\xfcrgen$produktion$"), std::string::npos);

  result = client->Get(standin.BaseUrl() + "hoerdat.php?a=%zz");
  EXPECT_FALSE(result.connected); // HTTP 400

  const int port = standin.port();
  EXPECT_EQ(standin.Stop(), 0);
  result = client->Get("http://127.0.0.1:" + std::to_string(port) + "/hoerdat.php?a=x");
  EXPECT_FALSE(result.connected);
}

} // namespace
} // namespace velmora
