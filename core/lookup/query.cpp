#include "core/lookup/query.h"

#include "core/text/string_helpers.h"

namespace velmora {
namespace {

void CleanMaskValue(std::string& value) {
  TrimText(value);
  // "ß" -> "ss" only grows a mask value, which never comes near the work buffer's size; a
  // refused replacement leaves the value as it was.
  ReplaceAll(value, "\xdf", "ss");
}

// A leading "%" is the user's wildcard; the service reads ".*" for it.
std::string WithLeadingWildcard(std::string value) {
  if (!value.empty() && value.front() == '%') value.replace(0, 1, ".*");
  return value;
}

} // namespace

void CleanSearchMask(TagForm& form) {
  CleanMaskValue(form.maskYear);
  CleanMaskValue(form.maskAuthor);
  CleanMaskValue(form.maskStation);
  CleanMaskValue(form.maskTitle);
}

bool SearchMaskEmpty(const TagForm& form) {
  return form.maskTitle.empty() && form.maskAuthor.empty() && form.maskYear.empty() &&
         form.maskStation.empty();
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

std::string BuildQuery(const TagForm& form) {
  return "?a=" + EncodeQueryValue(WithLeadingWildcard(form.maskAuthor)) +
         "&b=" + EncodeQueryValue(WithLeadingWildcard(form.maskTitle)) +
         "&c=" + EncodeQueryValue(WithLeadingWildcard(form.maskStation)) +
         "&d=" + EncodeQueryValue(WithLeadingWildcard(form.maskYear));
}

std::string BuildQueryAddress(const SettingsValues& settings, const TagForm& form) {
  return settings.hoerdatUrl + settings.hoerdatScript + BuildQuery(form);
}

} // namespace velmora
