#include "core/lookup/hoerdat_record.h"

#include <algorithm>
#include <array>
#include <climits>

#include "core/lookup/http_client.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {

namespace {

// Every marker of the answer, spelled here only. A record starts at its first field's marker and
// ends with the end marker.
constexpr std::string_view kTitel1 = "$titel1$", kTitel2 = "$titel2$", kAutor = "$autor$",
                           kProduktion = "$produktion$", kJahr = "$jahr$", kLaenge = "$laenge$",
                           kHspTyp = "$hsp-typ$", kGenre = "$genre$", kRegie = "$regie$",
                           kBearbeitung = "$bearbeitung$", kKomposition = "$komposition$",
                           kInhaltsangabe = "$inhaltsangabe$", kMitwirkende = "$mitwirkende$",
                           kEnd = "$end$";

struct FieldMarkers {
  std::string_view start, end;
};
// In the order of AnswerField.
constexpr std::array<FieldMarkers, 12> kFieldMarkers = {{
    {kTitel1, kTitel2},
    {kTitel2, kAutor},
    {kAutor, kProduktion},
    {kProduktion, kJahr},
    {kJahr, kLaenge},
    {kLaenge, kHspTyp},
    {kHspTyp, kGenre},
    {kGenre, kRegie},
    {kRegie, kBearbeitung},
    {kBearbeitung, kKomposition},
    {kInhaltsangabe, kMitwirkende},
    {kMitwirkende, kEnd},
}};

} // namespace

std::string PadAnswer(std::string_view body) {
  // A zero byte inside the answer is dropped, not taken as its end: the fields behind it (the
  // synopsis, the cast) would otherwise be lost without a word.
  std::string answer;
  answer.reserve(std::min(body.size(), kMaxAnswerBytes));
  for (const char c : body) {
    if (answer.size() == kMaxAnswerBytes) break;
    if (c != '\0') answer += c;
  }
  // The query script answers in Windows-1252.
  std::string padded = Cp1252ToUtf8(answer);
  padded.append(kAnswerPadding, ' ');
  return padded;
}

bool IsNoRecordAnswer(std::string_view answer) {
  return answer.starts_with(" Kein Datensatz");
}
bool IsTooManyAnswer(std::string_view answer) {
  return answer.starts_with("Mehr als");
}

bool IsHoerdatAnswer(std::string_view paddedAnswer) {
  return IsNoRecordAnswer(paddedAnswer) || IsTooManyAnswer(paddedAnswer) ||
         FindRecordStart(paddedAnswer, 0).has_value();
}

int CountRecords(std::string_view paddedAnswer) {
  return CountOccurrences(paddedAnswer, kEnd);
}

std::optional<std::size_t> FindRecordStart(std::string_view paddedAnswer, int k) {
  return FindNthOccurrence(paddedAnswer, kTitel1, k);
}

std::optional<std::string> ExtractBetween(std::string_view record, std::string_view startMarker,
                                          std::string_view endMarker) {
  // Positions are ints as in the marker search; a longer text is never an answer.
  if (record.size() > static_cast<std::size_t>(INT_MAX / 2)) return std::nullopt;
  const int length = static_cast<int>(record.size());
  const int startLength = static_cast<int>(startMarker.size());
  const int endLength = static_cast<int>(endMarker.size());

  const int a = FindMarker(record, startMarker, 0, length - startLength);
  if (a >= length - endLength) return std::nullopt;
  const int b = FindMarkerEnd(record, endMarker, a + startLength, length - a - endLength);
  if (!(a < b && b < length - endLength)) return std::nullopt;

  const int valueStart = a + startLength;
  const int valueEnd = b - endLength;
  if (valueEnd < valueStart) return std::nullopt;
  std::string value(record.substr(static_cast<std::size_t>(valueStart),
                                  static_cast<std::size_t>(valueEnd - valueStart)));
  // The value passes through a work buffer of 51200 Windows-1252 bytes, one a character, before
  // it is trimmed: the cut counts characters and never splits one.
  value.resize(FirstCharacters(value, kMaxFieldBytes).size());
  TrimText(value);
  return value;
}

std::optional<std::string> ExtractField(std::string_view record, AnswerField field) {
  const FieldMarkers& markers = kFieldMarkers[static_cast<std::size_t>(field)];
  return ExtractBetween(record, markers.start, markers.end);
}

HoerdatRecord ParseHoerdatRecord(std::string_view record) {
  using F = AnswerField;
  HoerdatRecord fields;
  fields.titel1 = ExtractField(record, F::Titel1);
  fields.autor = ExtractField(record, F::Autor);
  fields.produktion = ExtractField(record, F::Produktion);
  fields.jahr = ExtractField(record, F::Jahr);
  fields.laenge = ExtractField(record, F::Laenge);
  fields.hspTyp = ExtractField(record, F::HspTyp);
  fields.genre = ExtractField(record, F::Genre);
  fields.regie = ExtractField(record, F::Regie);
  fields.bearbeitung = ExtractField(record, F::Bearbeitung);
  fields.inhaltsangabe = ExtractField(record, F::Inhaltsangabe);
  fields.mitwirkende = ExtractField(record, F::Mitwirkende);
  return fields;
}

} // namespace velmora
