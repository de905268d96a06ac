#include "core/text/string_helpers.h"

#include <algorithm>
#include <array>
#include <climits>

namespace velmora {
namespace {

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Position of the first occurrence of marker beginning in the window, or nullopt. Only positions
// inside the text are looked at, and a marker that would run past the text's end does not match.
std::optional<long long> ScanWindow(std::string_view text, std::string_view marker, int start,
                                    int count) {
  if (marker.empty()) return std::nullopt;
  const long long first = std::max<long long>(start, 0);
  const long long last = std::min<long long>(static_cast<long long>(start) + count,
                                             static_cast<long long>(text.size()));
  for (long long p = first; p < last; ++p) {
    const auto pos = static_cast<std::size_t>(p);
    if (text[pos] == marker[0] && text.substr(pos, marker.size()) == marker) return p;
  }
  return std::nullopt;
}

long long NotFoundResult(std::string_view marker, int start, int count) {
  const long long windowEnd = std::max(static_cast<long long>(start) + count, (long long)start);
  return windowEnd + static_cast<long long>(marker.size());
}

constexpr std::array<std::string_view, 18> kArticleEndings = {
    ", Der", ", Die", ", Das", ", Ein", ", Eine", ", The", ", Le",   ", La",   ", Les",
    ", Las", ", Los", ", Gli", ", Uno", ", Une",  ", Una", ", Unas", ", Unos", ", Un"};

} // namespace

bool IsTextWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsAsciiAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void TrimTextEnd(std::string& text) {
  while (!text.empty() && IsTextWhiteSpace(text.back()))
    text.pop_back();
}

void TrimText(std::string& text) {
  const auto begin = std::find_if_not(text.begin(), text.end(), IsTextWhiteSpace);
  const auto end =
      std::find_if_not(text.rbegin(), std::string::reverse_iterator(begin), IsTextWhiteSpace)
          .base();
  text = std::string(begin, end);
}

// A result that would not fit the 51200-byte work buffer is refused (-3), not cut: a cut text
// would silently lose its end, and the caller can tell a refusal from a count.
int ReplaceAll(std::string& text, std::string_view find, std::string_view replacement) {
  if (text.size() > kTextWorkBufferSize) return -1;
  if (find.empty()) return -2;
  std::string result;
  result.reserve(text.size());
  int count = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text.compare(pos, find.size(), find) == 0) {
      result += replacement;
      pos += find.size();
      ++count;
    } else {
      result += text[pos++];
    }
    if (result.size() > kTextWorkBufferSize) return -3;
  }
  text = std::move(result);
  return count;
}

int FindMarker(std::string_view text, std::string_view marker, int start, int count) {
  const auto found = ScanWindow(text, marker, start, count);
  return ClampToInt(found ? *found : NotFoundResult(marker, start, count));
}

int FindMarkerEnd(std::string_view text, std::string_view marker, int start, int count) {
  const auto found = ScanWindow(text, marker, start, count);
  if (!found) return ClampToInt(NotFoundResult(marker, start, count));
  return ClampToInt(*found + static_cast<long long>(marker.size()));
}

// Counting skips the last possible position, so an occurrence ending the text is not found: the
// answers this serves always end in blanks, and the callers rely on exactly this count.
int CountOccurrences(std::string_view text, std::string_view pattern) {
  if (pattern.empty() || text.size() <= pattern.size()) return 0;
  int count = 0;
  for (std::size_t p = 0; p < text.size() - pattern.size(); ++p) {
    if (text[p] == pattern[0] && text.compare(p, pattern.size(), pattern) == 0) ++count;
  }
  return count;
}

std::optional<std::size_t> FindNthOccurrence(std::string_view text, std::string_view pattern,
                                             int n) {
  if (n < 0 || pattern.empty() || text.size() <= pattern.size()) return std::nullopt;
  int seen = 0;
  for (std::size_t p = 0; p < text.size() - pattern.size(); ++p) {
    if (text[p] == pattern[0] && text.compare(p, pattern.size(), pattern) == 0) {
      if (seen == n) return p;
      ++seen;
    }
  }
  return std::nullopt;
}

// The result is one byte shorter than the title; one that would still exceed the work buffer is
// refused and the title left as it was.
void MoveArticleToFront(std::string& title) {
  if (title.size() > kTextWorkBufferSize + 1) return;
  for (std::string_view ending : kArticleEndings) {
    if (title.size() < ending.size() ||
        title.compare(title.size() - ending.size(), ending.size(), ending) != 0)
      continue;
    std::string result(ending.substr(2));
    result += ' ';
    result.append(title, 0, title.size() - ending.size());
    title = std::move(result);
    return;
  }
}

int ParseLeadingInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsTextWhiteSpace(text[pos]))
    ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  long long value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = std::min(value * 10 + (text[pos] - '0'), static_cast<long long>(INT_MAX) + 1);
  }
  return ClampToInt(negative ? -value : value);
}

} // namespace velmora
