#include "core/settings/ini_file.h"

#include <algorithm>

#include "core/text/encoding.h"

namespace velmora {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xef\xbb\xbf";

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The name of a "[section]" line, nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (!line.starts_with('[')) return std::nullopt;
  line.remove_prefix(1);
  return TrimBlanks(line.substr(0, line.find(']')));
}

bool IsQuotePair(std::string_view text) {
  return text.size() >= 2 && text.front() == text.back() &&
         (text.front() == '"' || text.front() == '\'');
}

struct KeyLine {
  std::string_view key, value;
};
// A "key=value" line; comments (";" or "#" first) and lines without "=" are none.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#' || trimmed[0] == '[')
    return std::nullopt;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{TrimBlanks(line.substr(0, equals)), line.substr(equals + 1)};
}

} // namespace

IniFile::IniFile(std::string_view bytes) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    byteOrderMark_ = true;
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  const std::string text = Utf8OrCp1252(bytes);
  std::size_t start = 0;
  while (start < text.size()) {
    const auto newline = text.find('\n', start);
    if (newline == std::string::npos) {
      // A last line may end in a lone CR; it is a line end, not part of the value.
      const bool cr = text.back() == '\r';
      lines_.push_back({text.substr(start, text.size() - start - cr), cr ? "\r" : ""});
      break;
    }
    const bool crlf = newline > start && text[newline - 1] == '\r';
    const std::size_t end = crlf ? newline - 1 : newline;
    lines_.push_back({text.substr(start, end - start), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
}

void IniFile::EndLine(Line& line, const std::string& ending) {
  if (line.ending != "\n" && line.ending != "\r\n") line.ending = ending;
}

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i].text);
    if (name && EqualIgnoringCase(*name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(std::size_t sectionLine, std::string_view key) const {
  for (std::size_t i = sectionLine + 1; i < lines_.size() && !SectionName(lines_[i].text); ++i) {
    const auto line = ParseKeyLine(lines_[i].text);
    if (line && EqualIgnoringCase(line->key, key)) return i;
  }
  return std::nullopt;
}

std::size_t IniFile::InsertionPoint(std::size_t sectionLine) const {
  std::size_t after = sectionLine + 1;
  for (std::size_t i = sectionLine + 1; i < lines_.size() && !SectionName(lines_[i].text); ++i) {
    if (ParseKeyLine(lines_[i].text)) after = i + 1;
  }
  return after;
}

std::string IniFile::NewLineEnding() const {
  return !lines_.empty() && lines_.front().ending == "\r\n" ? "\r\n" : "\n";
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const auto sectionLine = FindSection(section);
  if (!sectionLine) return std::nullopt;
  const auto keyLine = FindKey(*sectionLine, key);
  if (!keyLine) return std::nullopt;
  std::string_view value = TrimBlanks(ParseKeyLine(lines_[*keyLine].text)->value);
  if (IsQuotePair(value)) value = value.substr(1, value.size() - 2);
  return std::string(value);
}

void IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string ending = NewLineEnding();
  const bool needsQuotes = TrimBlanks(value).size() != value.size() || IsQuotePair(value);
  // Built by appending: GCC 12 warns falsely (-Wrestrict) on "literal" + std::string&&.
  std::string keyText(key);
  keyText += '=';
  if (needsQuotes) keyText += '"';
  keyText += value;
  if (needsQuotes) keyText += '"';
  const auto sectionLine = FindSection(section);
  if (!sectionLine) {
    if (!lines_.empty()) EndLine(lines_.back(), ending);
    std::string sectionText = "[";
    sectionText.append(section).append("]");
    lines_.push_back({std::move(sectionText), ending});
    lines_.push_back({keyText, ending});
    return;
  }
  if (const auto keyLine = FindKey(*sectionLine, key)) {
    lines_[*keyLine].text = keyText;
    return;
  }
  const std::size_t at = InsertionPoint(*sectionLine);
  EndLine(lines_[at - 1], ending);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{keyText, ending});
}

std::string IniFile::Bytes() const {
  std::string bytes(byteOrderMark_ ? kUtf8ByteOrderMark : "");
  for (const Line& line : lines_)
    bytes += line.text + line.ending;
  return bytes;
}

} // namespace velmora
