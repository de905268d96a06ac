#include "core/run/paced_lookup.h"

#include "core/lookup/hoerdat_record.h"

namespace velmora {

HttpResult PacedLookup::Ask(const std::string& address) {
  if (auto body = cache_.Find(address, clock_.WallSeconds())) {
    HttpResult cached;
    cached.connected = true;
    cached.status = 200;
    cached.body = std::move(*body);
    cached.address = address;
    return cached;
  }
  if (lastRequest_) clock_.SleepMilliseconds(*lastRequest_ + pause_ - clock_.SteadyMilliseconds());
  lastRequest_ = clock_.SteadyMilliseconds();
  ++requestsSent_;
  HttpResult result = client_->Get(address);
  // The pause counts from the end of a request: a slow answer tells of a busy service.
  lastRequest_ = clock_.SteadyMilliseconds();
  result.address = address;
  if (result.connected && IsHoerdatAnswer(PadAnswer(result.body)))
    cache_.Keep(address, result.body);
  return result;
}

} // namespace velmora
