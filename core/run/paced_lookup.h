#pragma once
// The requests of a run to the Hördat service: each address asked of the cache first, and of the
// service only with the set pause behind the previous request (the database is run by
// volunteers). What the service answered in its own format (a record, no hit, too
// many) is kept in the cache; failures and other pages are not.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/lookup/http_client.h"
#include "core/run/answer_cache.h"
#include "core/run/run_clock.h"

namespace velmora {

class PacedLookup {
public:
  PacedLookup(std::shared_ptr<HttpClient> client, AnswerCache cache, int pauseMilliseconds,
              RunClock& clock)
      : client_(std::move(client)), cache_(std::move(cache)), pause_(pauseMilliseconds),
        clock_(clock) {}

  // The answer for address (from the cache or the service).
  HttpResult Ask(const std::string& address);
  int requestsSent() const { return requestsSent_; }

private:
  std::shared_ptr<HttpClient> client_;
  AnswerCache cache_;
  int pause_;
  RunClock& clock_;
  std::optional<std::int64_t> lastRequest_; // steady milliseconds
  int requestsSent_ = 0;
};

} // namespace velmora
