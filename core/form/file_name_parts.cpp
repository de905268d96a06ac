#include "core/form/file_name_parts.h"

#include <algorithm>
#include <vector>

#include "core/text/string_helpers.h"

namespace velmora {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The text after the last blank (the whole text when it has none).
std::string LastWord(const std::string& text) {
  const auto blank = text.rfind(' ');
  return blank == std::string::npos ? text : text.substr(blank + 1);
}

// The text before the first blank (the whole text when it has none).
std::string FirstWord(const std::string& text) {
  return text.substr(0, text.find(' '));
}

// A two-digit year grows into the century the collections use: 20..99 are 1920..1999, 1..19 are
// 2001..2019; other numbers are years already.
std::string YearFrom(std::string_view text, int number) {
  std::string year;
  if (number >= 20 && number <= 99)
    year = std::to_string(number + 1900);
  else if (number >= 1 && number <= 19)
    year = std::to_string(number + 2000);
  else
    year = std::string(text);
  TrimText(year);
  return year;
}

std::vector<std::string> SplitAtDashes(std::string_view body) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    const auto dash = body.find('-', start);
    pieces.emplace_back(body.substr(start, dash == std::string_view::npos ? dash : dash - start));
    if (dash == std::string_view::npos) return pieces;
    start = dash + 1;
  }
}

// Splits a trailing part designation ("2v3", "12V6", "3v") off the title. It needs a character
// that is not a digit before it, and the part number must not be 0.
std::string TakePartDesignation(std::string& title) {
  std::size_t end = title.size();
  while (end > 0 && IsDigit(title[end - 1]))
    --end;
  if (end == 0 || (title[end - 1] != 'v' && title[end - 1] != 'V')) return {};
  const std::size_t letter = end - 1;
  std::size_t start = letter;
  bool nonZero = false;
  while (start > 0 && IsDigit(title[start - 1])) {
    --start;
    nonZero = nonZero || title[start] != '0';
  }
  if (start == letter || start == 0 || !nonZero) return {};
  std::string designation = title.substr(start);
  title.erase(start);
  TrimText(title);
  return designation;
}

} // namespace

std::string BaseNameWithoutExtension(std::string_view path) {
  const auto slash = path.rfind('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

std::string ExtensionOf(std::string_view path) {
  const auto slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

FileNameParts ParseFileName(std::string_view name, std::string_view stationSeparator) {
  FileNameParts parts;

  const auto comma = name.rfind(',');
  const std::string_view yearText = comma == std::string_view::npos ? name : name.substr(comma + 1);
  const int yearNumber = ParseLeadingInt(yearText);
  if (yearNumber != 0) parts.year = YearFrom(yearText, yearNumber);
  const std::string_view body =
      (comma != std::string_view::npos && yearNumber != 0) ? name.substr(0, comma) : name;

  auto pieces = SplitAtDashes(body);
  pieces.resize(std::max<std::size_t>(pieces.size(), 3));
  parts.author = pieces[0];
  parts.title = pieces[1];
  parts.station = pieces[2];
  TrimText(parts.title);
  TrimText(parts.author);
  TrimText(parts.station);

  if (!parts.author.empty() && parts.title.empty()) {
    parts.title = std::move(parts.author);
    parts.author.clear();
  } else if (!parts.author.empty()) {
    parts.authorAsWritten = parts.author;
    parts.author = LastWord(parts.author);
  }

  if (!parts.station.empty() && !stationSeparator.empty() &&
      ReplaceAll(parts.station, stationSeparator, "/") <= 0)
    parts.station = FirstWord(parts.station);

  parts.partDesignation = TakePartDesignation(parts.title);
  return parts;
}

} // namespace velmora
