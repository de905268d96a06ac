#include "core/import/html_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "core/text/encoding.h"

namespace velmora {
namespace {

struct NamedEntity {
  std::string_view name;
  char32_t codePoint;
};

// The named entities of the pages in question; others are numeric or stay as written.
constexpr std::array<NamedEntity, 39> kEntities = {{
    {"amp", U'&'},    {"lt", U'<'},       {"gt", U'>'},     {"quot", U'"'},   {"apos", U'\''},
    {"nbsp", U' '},   {"auml", U'ä'},     {"ouml", U'ö'},   {"uuml", U'ü'},   {"Auml", U'Ä'},
    {"Ouml", U'Ö'},   {"Uuml", U'Ü'},     {"szlig", U'ß'},  {"eacute", U'é'}, {"egrave", U'è'},
    {"Eacute", U'É'}, {"aacute", U'á'},   {"agrave", U'à'}, {"oacute", U'ó'}, {"ccedil", U'ç'},
    {"ntilde", U'ñ'}, {"ndash", U'–'},    {"mdash", U'—'},  {"hellip", U'…'}, {"bdquo", U'„'},
    {"ldquo", U'“'},  {"rdquo", U'”'},    {"sbquo", U'‚'},  {"lsquo", U'‘'},  {"rsquo", U'’'},
    {"laquo", U'«'},  {"raquo", U'»'},    {"copy", U'©'},   {"reg", U'®'},    {"deg", U'°'},
    {"middot", U'·'}, {"shy", U'\u00AD'}, {"euro", U'€'},   {"times", U'×'},
}};

// The elements whose start or end begins a new line in a browser.
constexpr std::array<std::string_view, 22> kLineElements = {
    "br", "p",  "div", "tr", "li", "ul", "ol", "table", "h1",      "h2",      "h3",
    "h4", "h5", "h6",  "dt", "dd", "dl", "hr", "pre",   "section", "article", "blockquote"};
constexpr std::array<std::string_view, 2> kCellElements = {"td", "th"};
constexpr std::array<std::string_view, 2> kParagraphElements = {"p", "blockquote"};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

template <std::size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  for (std::string_view known : names)
    if (name == known) return true;
  return false;
}

// The lower-case element name of the tag that starts at html[at] == '<'.
std::string TagName(std::string_view html, std::size_t at) {
  std::size_t start = at + 1;
  if (start < html.size() && html[start] == '/') ++start;
  std::size_t end = start;
  while (end < html.size() &&
         ((html[end] >= 'a' && html[end] <= 'z') || (html[end] >= 'A' && html[end] <= 'Z') ||
          (html[end] >= '0' && html[end] <= '9')))
    ++end;
  std::string name(html.substr(start, end - start));
  for (char& c : name)
    c = Lower(c);
  return name;
}

// Case-insensitive search of a closing tag such as "</script".
std::size_t FindClosing(std::string_view html, std::size_t from, std::string_view closing) {
  for (std::size_t pos = from; pos + closing.size() <= html.size(); ++pos) {
    std::size_t i = 0;
    while (i < closing.size() && Lower(html[pos + i]) == closing[i])
      ++i;
    if (i == closing.size()) return pos;
  }
  return std::string_view::npos;
}

// The longest entity from after its "&" to its ";".
constexpr std::size_t kLongestEntity = 12;

// The entity that starts at html[at] == '&' and its length, or nullopt when it is none.
std::optional<std::pair<std::string, std::size_t>> DecodeEntity(std::string_view html,
                                                                std::size_t at) {
  // Only the next few bytes can end an entity: searching further would make a page full of
  // "&" without ";" take time growing with the square of its size.
  const auto semicolon = html.substr(at + 1, kLongestEntity).find(';');
  if (semicolon == std::string_view::npos) return std::nullopt;
  const std::size_t end = at + 1 + semicolon;
  const std::string_view body = html.substr(at + 1, end - at - 1);
  const std::size_t length = end - at + 1;
  if (body.size() >= 2 && body[0] == '#') {
    const bool hex = body[1] == 'x' || body[1] == 'X';
    std::uint32_t value = 0;
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    for (const char c : digits) {
      int digit = -1;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (hex && Lower(c) >= 'a' && Lower(c) <= 'f')
        digit = Lower(c) - 'a' + 10;
      if (digit < 0 || value > 0x10FFFF) return std::nullopt;
      value = value * (hex ? 16U : 10U) + static_cast<std::uint32_t>(digit);
    }
    if (value == 0 || value > 0x10FFFF) return std::nullopt;
    return std::pair{WebText(CodePointToUtf8(value)), length};
  }
  for (const NamedEntity& entity : kEntities)
    if (body == entity.name) return std::pair{WebText(CodePointToUtf8(entity.codePoint)), length};
  return std::nullopt;
}

// The raw text with "\n" for line starts and "\n\n" for paragraphs, blanks uncollapsed.
std::string Flatten(std::string_view html) {
  std::string out;
  out.reserve(html.size());
  // The next ">" is looked for once and kept until the scan passes it, so that a page full of
  // lone "<" is read in one pass.
  std::size_t nextClose = 0;
  for (std::size_t pos = 0; pos < html.size();) {
    const char c = html[pos];
    if (c == '<') {
      if (html.substr(pos, 4) == "<!--") {
        const auto end = html.find("-->", pos + 4);
        pos = end == std::string_view::npos ? html.size() : end + 3;
        continue;
      }
      if (nextClose != std::string_view::npos && nextClose <= pos)
        nextClose = html.find('>', pos + 1);
      const auto close = nextClose;
      const std::string name = TagName(html, pos);
      const bool opening = pos + 1 < html.size() && html[pos + 1] != '/';
      if (close == std::string_view::npos || name.empty()) {
        out += c; // a lone "<" is text
        ++pos;
        continue;
      }
      pos = close + 1;
      if ((name == "script" || name == "style") && opening && html[close - 1] != '/') {
        const auto end = FindClosing(html, pos, name == "script" ? "</script" : "</style");
        pos = end == std::string_view::npos ? html.size() : html.find('>', end);
        pos = pos == std::string_view::npos ? html.size() : pos + 1;
        continue;
      }
      if (IsOneOf(name, kParagraphElements))
        out += "\n\n";
      else if (IsOneOf(name, kLineElements))
        out += '\n';
      else if (IsOneOf(name, kCellElements))
        out += ' ';
      continue;
    }
    if (c == '&') {
      if (const auto entity = DecodeEntity(html, pos)) {
        out += entity->first;
        pos += entity->second;
        continue;
      }
    }
    out += IsBlank(c) ? ' ' : c;
    ++pos;
  }
  return out;
}

} // namespace

std::string HtmlToText(std::string_view html) {
  const std::string flat = Flatten(WebText(html));
  std::string text;
  text.reserve(flat.size());
  std::size_t emptyLines = 0;
  for (std::size_t start = 0; start <= flat.size();) {
    auto end = flat.find('\n', start);
    if (end == std::string::npos) end = flat.size();
    // One empty line for any number of them, none before the first line; taken back when this
    // line turns out empty too.
    const std::size_t before = text.size();
    if (emptyLines > 0 && !text.empty()) text += '\n';
    const std::size_t lineStart = text.size();
    for (std::size_t i = start; i < end;) {
      if (IsBlank(flat[i])) {
        if (text.size() > lineStart && text.back() != ' ') text += ' ';
        ++i;
        continue;
      }
      const std::size_t run = i;
      while (i < end && !IsBlank(flat[i]))
        ++i;
      text.append(flat, run, i - run);
    }
    if (text.size() > lineStart && text.back() == ' ') text.pop_back();
    if (text.size() == lineStart) {
      text.resize(before);
      ++emptyLines;
    } else {
      text += '\n';
      emptyLines = 0;
    }
    start = end + 1;
  }
  return text;
}

bool LooksLikeHtml(std::string_view text) {
  for (auto pos = text.find('<'); pos != std::string_view::npos; pos = text.find('<', pos + 1)) {
    const std::string name = TagName(text, pos);
    if (IsOneOf(name, kLineElements) || IsOneOf(name, kCellElements) || name == "b" ||
        name == "span" || name == "html" || name == "body" || name == "font" || name == "a")
      return true;
  }
  return false;
}

} // namespace velmora
