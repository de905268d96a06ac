#pragma once
// The download worker: one GET at a time off the window's thread, its completion handed to the
// window's thread. Destroying it while a download runs neither blocks nor crashes; the late
// answer is dropped.
#include <functional>
#include <memory>
#include <string>

#include "core/lookup/http_client.h"

namespace velmora {

class WindowThreadExecutor;

class SearchDownload {
public:
  using Completion = std::function<void(HttpResult result)>;

  SearchDownload(std::shared_ptr<HttpClient> client, WindowThreadExecutor& executor);
  ~SearchDownload();
  SearchDownload(const SearchDownload&) = delete;
  SearchDownload& operator=(const SearchDownload&) = delete;

  // True from Start until the completion has run on the window's thread.
  bool Running() const;
  // Starts the download of url; false (and nothing started) while another one runs.
  // done runs on the window's thread.
  bool Start(const std::string& url, Completion done);

private:
  struct Shared;
  std::shared_ptr<HttpClient> client_;
  WindowThreadExecutor& executor_;
  std::shared_ptr<Shared> shared_;
};

} // namespace velmora
