#include "core/lookup/search_download.h"

#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "core/model/window_thread.h"

namespace velmora {

// What the worker and the owner share. The worker keeps it alive past the owner's end, so that a
// late answer finds ownerAlive false and is dropped instead of reaching a destroyed window.
// Recursive, because a platform may run a posted function at once on the posting thread.
struct SearchDownload::Shared {
  std::recursive_mutex mutex;
  bool ownerAlive = true;
  bool running = false;
};

SearchDownload::SearchDownload(std::shared_ptr<HttpClient> client, WindowThreadExecutor& executor)
    : client_(std::move(client)), executor_(executor), shared_(std::make_shared<Shared>()) {}

SearchDownload::~SearchDownload() {
  // Waits at most for a worker that is posting right now, never for the download itself.
  const std::lock_guard lock(shared_->mutex);
  shared_->ownerAlive = false;
}

bool SearchDownload::Running() const {
  const std::lock_guard lock(shared_->mutex);
  return shared_->running;
}

bool SearchDownload::Start(const std::string& url, Completion done) {
  {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->running) return false;
    shared_->running = true;
  }
  auto work = [shared = shared_, client = client_, executor = &executor_, url,
               done = std::move(done)]() mutable {
    HttpResult result;
    try {
      result = client->Get(url);
    } catch (const std::exception&) {
      // A client that fails in any way counts as a failed connection.
      result = HttpResult{false, {}, 0, HttpFailure::Other, {}};
    }
    result.address = url;
    const std::lock_guard lock(shared->mutex);
    if (!shared->ownerAlive) return;
    // The owner is alive while the lock is held, so is the executor it was given.
    executor->PostToWindowThread(
        [shared, done = std::move(done), result = std::move(result)]() mutable {
          {
            const std::lock_guard innerLock(shared->mutex);
            if (!shared->ownerAlive) return;
            shared->running = false;
          }
          done(std::move(result));
        });
  };
  try {
    std::thread(std::move(work)).detach();
  } catch (const std::system_error&) {
    const std::lock_guard lock(shared_->mutex);
    shared_->running = false;
    return false;
  }
  return true;
}

} // namespace velmora
