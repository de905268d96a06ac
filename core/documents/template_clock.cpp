#include "core/documents/template_clock.h"

#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string_view>

#include "core/documents/templates.h"
#include "core/text/encoding.h"

namespace velmora {
namespace {

constexpr const char* kGermanDays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
constexpr const char* kGermanMonths[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                         "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

// The name the C library takes the time category from: the first of LC_ALL, LC_TIME and LANG
// that is set and not empty.
std::string_view TimeLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"})
    if (const char* value = std::getenv(variable); value && *value) return value;
  return {};
}

bool IsPlainCLocale(std::string_view name) {
  return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

// The time category of the user's locale; none (German names then) when it is the plain C
// locale or cannot be loaded.
class UserTimeLocale {
public:
  UserTimeLocale()
      : locale_(IsPlainCLocale(TimeLocaleName()) ? locale_t{}
                                                 : ::newlocale(LC_TIME_MASK, "", locale_t{})) {}
  ~UserTimeLocale() {
    if (locale_) ::freelocale(locale_);
  }
  UserTimeLocale(const UserTimeLocale&) = delete;
  UserTimeLocale& operator=(const UserTimeLocale&) = delete;

  std::string DayName(const std::tm& time) const {
    return locale_ ? Format("%a", time)
                   : std::string(kGermanDays[static_cast<std::size_t>(time.tm_wday) % 7]);
  }
  std::string MonthName(const std::tm& time) const {
    return locale_ ? Format("%b", time)
                   : std::string(kGermanMonths[static_cast<std::size_t>(time.tm_mon) % 12]);
  }

private:
  // One strftime conversion (a day or month name); a locale that is not UTF-8 shows U+FFFD.
  std::string Format(const char* picture, const std::tm& time) const {
    char buffer[512];
    const std::size_t length = ::strftime_l(buffer, sizeof buffer, picture, &time, locale_);
    return ValidUtf8(std::string_view(buffer, length));
  }

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
  std::string LongDate() override { return LongDateText(LocalNow()); }
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

std::string LongDateText(const std::tm& time) {
  const UserTimeLocale locale;
  // "ddd, d. MMM yyyy": the names come from the locale, the numbers are fixed.
  return locale.DayName(time) + ", " + std::to_string(time.tm_mday) + ". " +
         locale.MonthName(time) + " " + FormatNumbers("%04d", time.tm_year + 1900);
}

TemplateClock& SystemTemplateClock() {
  static SystemClock clock;
  return clock;
}

} // namespace velmora
