#include "core/lookup/query.h"

#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

void CleanMaskValue(std::string& value) {
  TrimText(value);
  // "ß" -> "ss" only grows a mask value, which never comes near the work buffer's size; a
  // refused replacement leaves the value as it was.
  ReplaceAll(value, "ß", "ss");
}

// A leading "%" is the user's wildcard; the service reads ".*" for it. The script reads
// Windows-1252: every character goes in its nearest form (Čapek as Capek).
std::string QueryValue(std::string value) {
  if (!value.empty() && value.front() == '%') value.replace(0, 1, ".*");
  return EncodeQueryValue(Utf8ToNearestCp1252(value));
}

} // namespace

SearchMask CleanSearchMask(SearchMask mask) {
  CleanMaskValue(mask.year);
  CleanMaskValue(mask.author);
  CleanMaskValue(mask.station);
  CleanMaskValue(mask.title);
  return mask;
}

bool SearchMaskEmpty(const SearchMask& mask) {
  return mask.title.empty() && mask.author.empty() && mask.year.empty() && mask.station.empty();
}

std::string EncodeQueryValue(std::string_view value) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  std::string encoded;
  encoded.reserve(value.size() * 3);
  for (const char ch : value) {
    const auto byte = static_cast<unsigned char>(ch);
    if (IsAsciiAlphanumeric(ch)) {
      encoded += ch;
    } else if (byte == ' ') {
      encoded += "%20";
    } else {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
  }
  return encoded;
}

std::string BuildQuery(const SearchMask& mask) {
  return "?a=" + QueryValue(mask.author) + "&b=" + QueryValue(mask.title) +
         "&c=" + QueryValue(mask.station) + "&d=" + QueryValue(mask.year);
}

std::string BuildQueryAddress(const SettingsValues& settings, const SearchMask& mask) {
  return settings.hoerdatUrl + settings.hoerdatScript + BuildQuery(mask);
}

} // namespace velmora
