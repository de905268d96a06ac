#include "search.h"

#include "core/text/string_helpers.h"

namespace hoerdat_standin {
namespace {

constexpr std::string_view kAnyText = ".*";

// Small letter of an ASCII or Latin-1 capital (0xD7, the multiplication sign, is no letter).
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  return c;
}

bool EqualFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::size_t FindFolded(std::string_view text, std::string_view part, std::size_t from) {
  for (std::size_t p = from; p + part.size() <= text.size(); ++p)
    if (EqualFolded(text.substr(p, part.size()), part)) return p;
  return std::string_view::npos;
}

std::optional<int> HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

// %xx escapes to their bytes; the bytes are Windows-1252 as the client sent them.
std::optional<std::string> DecodeValue(std::string_view encoded) {
  std::string value;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] != '%') {
      value += encoded[i];
      continue;
    }
    if (i + 2 >= encoded.size()) return std::nullopt;
    const auto high = HexValue(encoded[i + 1]);
    const auto low = HexValue(encoded[i + 2]);
    if (!high || !low) return std::nullopt;
    value += static_cast<char>(*high * 16 + *low);
    i += 2;
  }
  return value;
}

std::string LastName(const std::string& autor) {
  std::string lastName = autor.substr(0, autor.find(','));
  velmora::TrimText(lastName);
  return lastName;
}

bool Matches(const PlayRecord& record, const SearchParams& params) {
  return MatchesPattern(params.author, LastName(record.autor)) &&
         MatchesPattern(params.title, record.titel1) &&
         MatchesPattern(params.station, record.produktion) &&
         MatchesPattern(params.year, record.jahr);
}

void AppendRecord(std::string& answer, const PlayRecord& record) {
  answer += "$titel1$" + record.titel1 + "$titel2$" + record.titel2 + "$autor$" + record.autor +
            "$produktion$" + record.produktion + "$jahr$" + record.jahr + "$laenge$" +
            record.laenge + "$hsp-typ$" + record.hspTyp + "$genre$" + record.genre + "$regie$" +
            record.regie + "$bearbeitung$" + record.bearbeitung + "$komposition$" +
            record.komposition + "$inhaltsangabe$" + record.inhaltsangabe + "$mitwirkende$" +
            record.mitwirkende + "$end$\r\n";
}

} // namespace

std::optional<SearchParams> ParseSearchParams(std::string_view target) {
  const auto question = target.find('?');
  if (question == std::string_view::npos) return std::nullopt;
  std::string_view query = target.substr(question + 1);
  SearchParams params;
  bool seen[4] = {false, false, false, false};
  while (!query.empty()) {
    const auto amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (pair.empty()) continue;
    const auto equals = pair.find('=');
    const std::string_view name = pair.substr(0, equals);
    if (name.size() != 1 || name[0] < 'a' || name[0] > 'd') return std::nullopt;
    const int index = name[0] - 'a';
    if (seen[index]) return std::nullopt;
    seen[index] = true;
    auto value = DecodeValue(equals == std::string_view::npos ? std::string_view()
                                                              : pair.substr(equals + 1));
    if (!value) return std::nullopt;
    std::string* const targets[4] = {&params.author, &params.title, &params.station, &params.year};
    *targets[index] = std::move(*value);
  }
  return params;
}

bool MatchesPattern(std::string_view pattern, std::string_view field) {
  // The pieces between the wildcards are found left to right; the first one must stand at the
  // field's start, and the field may go on after the last one.
  std::size_t position = 0;
  bool first = true;
  while (true) {
    const auto wildcard = pattern.find(kAnyText);
    const std::string_view piece = pattern.substr(0, wildcard);
    if (first) {
      if (field.size() < piece.size() || !EqualFolded(field.substr(0, piece.size()), piece))
        return false;
      position = piece.size();
      first = false;
    } else {
      const auto found = FindFolded(field, piece, position);
      if (found == std::string_view::npos) return false;
      position = found + piece.size();
    }
    if (wildcard == std::string_view::npos) return true;
    pattern.remove_prefix(wildcard + kAnyText.size());
  }
}

std::string AnswerSearch(const std::vector<PlayRecord>& catalog, const SearchParams& params,
                         std::size_t limit) {
  std::vector<const PlayRecord*> hits;
  for (const auto& record : catalog)
    if (Matches(record, params)) hits.push_back(&record);
  if (hits.empty()) return " Kein Datensatz gefunden.";
  if (hits.size() > limit)
    return "Mehr als " + std::to_string(limit) +
           " Datens\xe4tze gefunden. Bitte schr\xe4nken Sie die Suche ein.";
  std::string answer;
  for (const auto* record : hits)
    AppendRecord(answer, *record);
  return answer;
}

} // namespace hoerdat_standin
