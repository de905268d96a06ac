#include "core/lookup/hoerdat_record.h"

#include <climits>

#include "core/lookup/http_client.h"
#include "core/text/string_helpers.h"

namespace velmora {

std::string PadAnswer(std::string_view body) {
  std::string_view text = body.substr(0, body.find('\0'));
  text = text.substr(0, kMaxAnswerBytes);
  std::string padded;
  padded.reserve(text.size() + kAnswerPadding);
  padded.append(text);
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
  return CountOccurrences(paddedAnswer, "$end$");
}

std::optional<std::size_t> FindRecordStart(std::string_view paddedAnswer, int k) {
  return FindNthOccurrence(paddedAnswer, "$titel1$", k);
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
  // The value passes through a 51200-byte work buffer before it is trimmed.
  if (value.size() > kMaxFieldBytes) value.resize(kMaxFieldBytes);
  TrimText(value);
  return value;
}

HoerdatRecord ParseHoerdatRecord(std::string_view record) {
  HoerdatRecord fields;
  fields.titel1 = ExtractBetween(record, "$titel1$", "$titel2$");
  fields.autor = ExtractBetween(record, "$autor$", "$produktion$");
  fields.produktion = ExtractBetween(record, "$produktion$", "$jahr$");
  fields.jahr = ExtractBetween(record, "$jahr$", "$laenge$");
  fields.laenge = ExtractBetween(record, "$laenge$", "$hsp-typ$");
  fields.hspTyp = ExtractBetween(record, "$hsp-typ$", "$genre$");
  fields.genre = ExtractBetween(record, "$genre$", "$regie$");
  fields.regie = ExtractBetween(record, "$regie$", "$bearbeitung$");
  fields.bearbeitung = ExtractBetween(record, "$bearbeitung$", "$komposition$");
  fields.inhaltsangabe = ExtractBetween(record, "$inhaltsangabe$", "$mitwirkende$");
  fields.mitwirkende = ExtractBetween(record, "$mitwirkende$", "$end$");
  return fields;
}

} // namespace velmora
