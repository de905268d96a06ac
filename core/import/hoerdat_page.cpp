#include "core/import/hoerdat_page.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

// Each field passes through a work buffer of 51200 Windows-1252 bytes, one a character.
constexpr std::size_t kMaxFieldBytes = kTextWorkBufferSize - 1;

// The raw text between the first start fragment and the first end fragment after it. The field
// is taken only when more bytes follow the end fragment than it is long.
// The first occurrence of fragment at or after from, npos when there is none. A page full of
// the fragment's first byte ("<") would make a plain search compare at every other byte.
std::size_t Find(std::string_view page, std::string_view fragment, std::size_t from) {
  const auto found =
      std::search(page.begin() + static_cast<std::ptrdiff_t>(from), page.end(),
                  std::boyer_moore_horspool_searcher(fragment.begin(), fragment.end()));
  return found == page.end() ? std::string_view::npos
                             : static_cast<std::size_t>(found - page.begin());
}

std::optional<std::string> FindField(std::string_view page, std::string_view startFragment,
                                     std::string_view endFragment) {
  const auto start = Find(page, startFragment, 0);
  if (start == std::string_view::npos) return std::nullopt;
  const auto contentStart = start + startFragment.size();
  const auto end = Find(page, endFragment, contentStart);
  if (end == std::string_view::npos) return std::nullopt;
  if (page.size() - (end + endFragment.size()) <= endFragment.size()) return std::nullopt;
  std::string content(
      FirstCharacters(page.substr(contentStart, end - contentStart), kMaxFieldBytes));
  TrimText(content);
  return content;
}

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

void RemoveControlBytes(std::string& text) {
  std::erase_if(text, [](char c) { return c >= 1 && c <= 31; });
}

PageProduction ReadProduction(std::string production) {
  while (!production.empty() && !IsAsciiAlphanumeric(production.back()))
    production.pop_back();
  TrimText(production);
  const auto lastNonDigit = std::find_if_not(production.rbegin(), production.rend(), IsAsciiDigit);
  std::string year(lastNonDigit.base(), production.end());
  std::string station = production.substr(0, production.find(' '));
  return {std::move(production), std::move(year), std::move(station)};
}

} // namespace

bool HasAnyField(const HoerdatPageFields& fields) {
  return fields.author || fields.title || fields.synopsis || fields.cast || fields.director ||
         fields.length || fields.production || fields.genre || fields.adaptation || fields.kind;
}

HoerdatPageFields ReadHoerdatPage(std::string_view page) {
  HoerdatPageFields fields;
  fields.author = FindField(page, "<font class=au>", "</font>");
  if ((fields.title = FindField(page, "<font class=ti>", "</font>")))
    MoveArticleToFront(*fields.title);
  if ((fields.synopsis = FindField(page, "<font class=ab>", "</font>")))
    ReplaceAll(*fields.synopsis, "<br />", "\r\n");
  if ((fields.cast = FindField(page, "<font class=mi>Mit: </font> <font class=ab>", "</font>"))) {
    RemoveControlBytes(*fields.cast);
    ReplaceAll(*fields.cast, "<br />", ", ");
  }
  fields.director = FindField(page, "Regie:</i>", "<");
  if ((fields.length = FindField(page, "Länge:</i>", "<")) && !fields.length->empty())
    *fields.length += " min.";
  if (auto production = FindField(page, "<i>Produktion:</i>", "<i>"))
    fields.production = ReadProduction(std::move(*production));
  return fields;
}

} // namespace velmora
