#pragma once
// HTTP clients that stand in for the network in the lookup tests.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/lookup/http_client.h"

namespace velmora::test {

// Answers every GET at once with a fixed result and records the addresses.
class CannedHttpClient : public HttpClient {
public:
  explicit CannedHttpClient(HttpResult result) : result_(std::move(result)) {}
  HttpResult Get(const std::string& url) override {
    const std::lock_guard lock(mutex_);
    urls_.push_back(url);
    return result_;
  }
  std::vector<std::string> urls() const {
    const std::lock_guard lock(mutex_);
    return urls_;
  }

private:
  mutable std::mutex mutex_;
  HttpResult result_;
  std::vector<std::string> urls_;
};

// Holds every GET until the test releases it, so that a download can be caught while it runs.
class GatedHttpClient : public HttpClient {
public:
  HttpResult result{true, "body"};
  bool throwOnRelease = false;

  HttpResult Get(const std::string& url) override {
    std::unique_lock lock(mutex_);
    urls_.push_back(url);
    changed_.notify_all();
    changed_.wait(lock, [this] { return released_; });
    if (throwOnRelease) throw std::runtime_error("network gone");
    return result;
  }
  void Release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }
  // Waits until count GETs have begun.
  bool WaitForCalls(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(30), [&] { return urls_.size() >= count; });
  }
  std::size_t calls() const {
    const std::lock_guard lock(mutex_);
    return urls_.size();
  }

private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool released_ = false;
  std::vector<std::string> urls_;
};

// Waits until only the test and `owners` other holders keep client: every worker thread that
// held a copy has ended.
template <typename Client>
bool WaitUntilWorkersEnded(const std::shared_ptr<Client>& client, long owners = 0) {
  for (int i = 0; i < 3000 && client.use_count() > 1 + owners; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return client.use_count() == 1 + owners;
}

} // namespace velmora::test
