#pragma once
// The one GET that a Hördat search sends, behind a small interface so that tests can stand in
// for the network. The libcurl client is the real one.
#include <memory>
#include <string>

#include "core/model/http_failure.h"

namespace velmora {

struct HttpResult {
  bool connected = false; // false: no answer (connection failed, timed out, read error)
  std::string body;       // the body bytes unchanged, at most kMaxAnswerBytes
  long status = 0;        // the HTTP status of the answer; its body is kept whatever it is
  HttpFailure failure = HttpFailure::None; // why there is no answer
  std::string address;                     // the address asked
};

inline constexpr std::size_t kMaxAnswerBytes = 100000;

class HttpClient {
public:
  virtual ~HttpClient() = default;
  // Blocking; runs on the download worker's thread.
  virtual HttpResult Get(const std::string& url) = 0;
};

// libcurl: User-Agent "Meine Sitzung", proxies from the environment, at most 5 redirects to
// http/https, connect timeout 10 s, total timeout 30 s, no signals. The client loads the libcurl
// module (velmora-curl.so) at its first GET; when that cannot be loaded or libcurl cannot be set
// up, every GET fails with HttpFailure::Init.
std::shared_ptr<HttpClient> MakeCurlHttpClient();

} // namespace velmora
