#pragma once
// The Hördat search of the window: the search button, the spinner, the download and its
// completion, and the handling of the answer.
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "core/form/window_state.h"
#include "core/lookup/http_client.h"
#include "core/model/window_platform.h"

namespace velmora {

class SearchDownload;

class SearchSession {
public:
  // onFinished runs on the window's thread when a download has ended.
  SearchSession(std::shared_ptr<HttpClient> httpClient, WindowThreadExecutor& executor,
                std::function<void(HttpResult)> onFinished);
  ~SearchSession();
  SearchSession(const SearchSession&) = delete;
  SearchSession& operator=(const SearchSession&) = delete;

  // The search button: cleans the mask into the form and starts the download.
  void Start(WindowState& state, WindowPlatform& platform);
  void OnSpinnerTick(WindowPlatform& platform);
  // The completion of a download. Only an applied record changes the form; no answer, an
  // answer that is no Hördat answer, the database's messages and a cancelled choice leave it and
  // the controls as they are, with the message of the case. While an update writes, the answer
  // is held until ReleaseHeldAnswer.
  void Finish(WindowState& state, WindowPlatform& platform, HttpResult result);
  void ReleaseHeldAnswer(WindowState& state, WindowPlatform& platform);
  bool Running() const;

private:
  std::unique_ptr<SearchDownload> download_;
  std::function<void(HttpResult)> onFinished_;
  std::size_t spinnerIndex_ = 0; // kept across searches
  // A search answer that arrived while an update was writing.
  std::optional<HttpResult> heldAnswer_;
};

// The answer handling over the padded answer text: the database's messages, the choice among
// several records and the record applied to the form.
void ApplySearchAnswer(WindowState& state, WindowPlatform& platform, std::string_view answer);

} // namespace velmora
