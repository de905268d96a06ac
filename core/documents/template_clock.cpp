#include <cstdio>
#include <ctime>
#include <locale.h>

#include "core/documents/templates.h"
#include "core/text/encoding.h"

namespace velmora {
namespace {

// The time category of the user's locale (LC_ALL, LC_TIME or LANG), "C" when it is unknown.
class UserTimeLocale {
public:
  UserTimeLocale() : locale_(::newlocale(LC_TIME_MASK, "", locale_t{})) {
    if (!locale_) locale_ = ::newlocale(LC_TIME_MASK, "C", locale_t{});
  }
  ~UserTimeLocale() {
    if (locale_) ::freelocale(locale_);
  }
  UserTimeLocale(const UserTimeLocale&) = delete;
  UserTimeLocale& operator=(const UserTimeLocale&) = delete;

  // One strftime conversion (a day or month name), converted to Windows-1252.
  std::string Format(const char* picture, const std::tm& time) const {
    char buffer[512];
    const std::size_t length =
        locale_ ? ::strftime_l(buffer, sizeof buffer, picture, &time, locale_) : 0;
    return Utf8ToCp1252(std::string_view(buffer, length));
  }

private:
  locale_t locale_;
};

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

template <typename... Numbers> std::string FormatNumbers(const char* format, Numbers... numbers) {
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, format, numbers...);
  return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

class SystemClock final : public TemplateClock {
public:
  std::string LongDate() override {
    const std::tm now = LocalNow();
    const UserTimeLocale locale;
    // "ddd, d. MMM yyyy": the names come from the locale, the numbers are fixed.
    return locale.Format("%a", now) + ", " + std::to_string(now.tm_mday) + ". " +
           locale.Format("%b", now) + " " + FormatNumbers("%04d", now.tm_year + 1900);
  }
  std::string ShortDate() override {
    const std::tm now = LocalNow();
    return FormatNumbers("%02d/%02d/%04d", now.tm_mday, now.tm_mon + 1, now.tm_year + 1900);
  }
  std::string Time() override {
    const std::tm now = LocalNow();
    return FormatNumbers("%02d:%02d:%02d", now.tm_hour, now.tm_min, now.tm_sec);
  }
};

} // namespace

TemplateClock& SystemTemplateClock() {
  static SystemClock clock;
  return clock;
}

} // namespace velmora
