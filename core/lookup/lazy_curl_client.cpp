// The HTTP client every program gets: it loads the libcurl module at the first GET, so that a
// run without a search never maps libcurl and its dependencies.
#include <dlfcn.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/io/file_status.h"
#include "core/lookup/http_client.h"

namespace velmora {
namespace {

using Factory = HttpClient* (*)();

// Where the module may be: where the environment names it (then only there), beside an
// installed program, where it was installed, and in the build tree.
std::vector<std::string> ModuleCandidates() {
  if (const char* named = std::getenv("VELMORA_CURL_MODULE")) return {named};
  std::vector<std::string> candidates;
  candidates.push_back(ExecutableDirectory() + "../lib/velmora/velmora-curl.so");
  candidates.emplace_back(VELMORA_CURL_MODULE_INSTALLED);
  candidates.emplace_back(VELMORA_CURL_MODULE_BUILT);
  return candidates;
}

HttpClient* LoadCurlClient() {
  for (const std::string& candidate : ModuleCandidates()) {
    // Kept loaded for the program's life: the client's code lives there.
    void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) continue;
    if (auto factory = reinterpret_cast<Factory>(::dlsym(module, "VelmoraNewCurlHttpClient")))
      return factory();
  }
  return nullptr;
}

class LazyCurlClient : public HttpClient {
public:
  HttpResult Get(const std::string& url) override {
    std::call_once(loaded_, [this] { client_.reset(LoadCurlClient()); });
    if (!client_) return {false, {}, 0, HttpFailure::Init, {}};
    return client_->Get(url);
  }

private:
  std::once_flag loaded_;
  std::unique_ptr<HttpClient> client_;
};

} // namespace

std::shared_ptr<HttpClient> MakeCurlHttpClient() {
  return std::make_shared<LazyCurlClient>();
}

} // namespace velmora
