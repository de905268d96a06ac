#pragma once
// The answers the Hördat service gave, kept for some days so that a second run asks nothing
// again: one file per query address (named by its hash, holding the address and the body).
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class AnswerCache {
public:
  // folder: ends in "/"; days 0 or less keeps nothing and finds nothing.
  AnswerCache(std::string folder, int days) : folder_(std::move(folder)), days_(days) {}

  // The body kept for address when it is younger than the days at nowSeconds.
  std::optional<std::string> Find(const std::string& address, std::int64_t nowSeconds) const;
  // Keeps the body; a failure to keep it only costs a request next time.
  void Keep(const std::string& address, const std::string& body) const;

private:
  std::string PathOf(const std::string& address) const;
  std::string folder_;
  int days_;
};

} // namespace velmora
