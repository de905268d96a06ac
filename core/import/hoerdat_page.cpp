#include "core/import/hoerdat_page.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/text/string_helpers.h"

namespace velmora {
namespace {

// Each field passes through a 51200-byte work buffer.
constexpr std::size_t kMaxFieldBytes = kTextWorkBufferSize - 1;

// The raw text between the first start fragment and the first end fragment after it. The field
// is taken only when more bytes follow the end fragment than it is long.
std::optional<std::string> FindField(std::string_view page, std::string_view startFragment,
                                     std::string_view endFragment) {
  const auto start = page.find(startFragment);
  if (start == std::string_view::npos) return std::nullopt;
  const auto contentStart = start + startFragment.size();
  const auto end = page.find(endFragment, contentStart);
  if (end == std::string_view::npos) return std::nullopt;
  if (page.size() - (end + endFragment.size()) <= endFragment.size()) return std::nullopt;
  std::string content(page.substr(contentStart, std::min(end - contentStart, kMaxFieldBytes)));
  TrimText(content);
  return content;
}

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

void RemoveControlBytes(std::string& text) {
  std::erase_if(text, [](char c) { return c >= 1 && c <= 31; });
}

// 'WDR 1975.' -> copyright 'WDR 1975', year '1975', station 'WDR'.
void ApplyProduction(std::string production, TagForm& form, WindowMembers& members) {
  while (!production.empty() && !IsAsciiAlphanumeric(production.back()))
    production.pop_back();
  TrimText(production);
  form.v2Copyright = production;
  const auto lastNonDigit = std::find_if_not(production.rbegin(), production.rend(), IsAsciiDigit);
  form.v2Year = std::string(lastNonDigit.base(), production.end());
  members.recProduktion = production.substr(0, production.find(' '));
}

} // namespace

void ApplyHoerdatPage(std::string_view page, TagForm& form, WindowMembers& members) {
  if (auto author = FindField(page, "<font class=au>", "</font>")) members.recAutor = *author;

  if (auto title = FindField(page, "<font class=ti>", "</font>")) {
    MoveArticleToFront(*title);
    form.v2Title = *title;
  }

  if (auto synopsis = FindField(page, "<font class=ab>", "</font>")) {
    ReplaceAll(*synopsis, "<br />", "\r\n");
    form.v2Comment = *synopsis;
    members.recInhaltsangabe = *synopsis;
  }

  if (auto cast = FindField(page, "<font class=mi>Mit: </font> <font class=ab>", "</font>")) {
    RemoveControlBytes(*cast);
    ReplaceAll(*cast, "<br />", ", ");
    members.recMitwirkende = *cast;
    form.v2OrigArtist = members.prefixOrigArtist + " " + *cast;
  }

  if (auto director = FindField(page, "Regie:</i>", "<")) {
    members.recRegie = *director;
    form.v2Composer = members.prefixKomponist + " " + *director;
  }

  if (auto length = FindField(page, "L\xe4nge:</i>", "<")) {
    if (!length->empty()) *length += " min.";
    members.recLaenge = *length;
  }

  if (auto production = FindField(page, "<i>Produktion:</i>", "<i>"))
    ApplyProduction(std::move(*production), form, members);
}

} // namespace velmora
