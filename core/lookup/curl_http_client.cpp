// The libcurl client, built as a module of its own (velmora-curl.so) that a program loads at its
// first search: libcurl and its TLS, LDAP and GSSAPI libraries then cost nothing at start.
#include <curl/curl.h>

#include <memory>

#include "core/lookup/http_client.h"

namespace velmora {
namespace {

constexpr long kConnectTimeoutSeconds = 10;
constexpr long kTotalTimeoutSeconds = 30;
constexpr long kMaxRedirects = 5;

// curl_global_init is not safe to run beside other threads; a function-local static runs it
// exactly once, before the first client exists.
bool CurlReady() {
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

struct BodySink {
  std::string body;
  bool full = false; // kMaxAnswerBytes were kept; the rest of the answer is not read
};

// Keeps at most kMaxAnswerBytes. Once they are there the transfer is ended by returning less
// than was offered, which is told apart from a real write error by the full flag.
std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& sink = *static_cast<BodySink*>(userData);
  const std::size_t offered = size * count;
  const std::size_t room = kMaxAnswerBytes - sink.body.size();
  if (offered > room) {
    sink.body.append(data, room);
    sink.full = true;
    return 0;
  }
  sink.body.append(data, offered);
  return offered;
}

HttpResult NoAnswer(HttpFailure failure) {
  return {false, {}, 0, failure, {}};
}

HttpFailure FailureOf(CURLcode code) {
  switch (code) {
  case CURLE_UNSUPPORTED_PROTOCOL:
  case CURLE_URL_MALFORMAT:
    return HttpFailure::BadAddress;
  case CURLE_COULDNT_RESOLVE_HOST:
  case CURLE_COULDNT_RESOLVE_PROXY:
    return HttpFailure::UnknownHost;
  case CURLE_COULDNT_CONNECT:
    return HttpFailure::Refused;
  case CURLE_OPERATION_TIMEDOUT:
    return HttpFailure::Timeout;
  case CURLE_SSL_CONNECT_ERROR:
  case CURLE_PEER_FAILED_VERIFICATION:
  case CURLE_SSL_CERTPROBLEM:
  case CURLE_SSL_CIPHER:
  case CURLE_SSL_CACERT_BADFILE:
    return HttpFailure::Tls;
  case CURLE_TOO_MANY_REDIRECTS:
    return HttpFailure::TooManyRedirects;
  default:
    return HttpFailure::Other;
  }
}

struct EasyHandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

class CurlHttpClient : public HttpClient {
public:
  HttpResult Get(const std::string& url) override {
    if (!CurlReady()) return NoAnswer(HttpFailure::Init);
    std::unique_ptr<CURL, EasyHandleDeleter> handle(curl_easy_init());
    if (!handle) return NoAnswer(HttpFailure::Init);
    CURL* curl = handle.get();
    BodySink sink;
    // Proxies come from http_proxy, https_proxy and no_proxy, which libcurl reads by default.
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Meine Sitzung");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, kTotalTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);

    const CURLcode code = curl_easy_perform(curl);
    if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && sink.full))
      return NoAnswer(FailureOf(code));
    // An error status keeps its body: the answer handling tells a record from an error page.
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    return {true, std::move(sink.body), status, HttpFailure::None, {}};
  }
};

} // namespace

// The entry of the module: the lazy client of core/lookup finds it with dlsym.
extern "C" __attribute__((visibility("default"))) HttpClient* VelmoraNewCurlHttpClient() {
  return CurlReady() ? new CurlHttpClient : nullptr;
}

} // namespace velmora
