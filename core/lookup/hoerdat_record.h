#pragma once
// The Hördat answer: plain text with dollar-sign markers. A record starts at its "$titel1$" and
// ends with "$end$"; each field lies between its own marker and the next field's marker.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Blanks appended to every answer before it is looked at, so that every marker of the real
// answer lies well before the end of the text.
inline constexpr std::size_t kAnswerPadding = 47;
// Longest field value in characters (the answer's Windows-1252 bytes); a longer one is cut (the
// field work buffer holds 51200 bytes).
inline constexpr std::size_t kMaxFieldBytes = 51199;

// The answer as the parser reads it: the body without its zero bytes, at most kMaxAnswerBytes,
// read from Windows-1252 into UTF-8 and followed by the 47 blanks.
std::string PadAnswer(std::string_view body);

// The two answers of the database itself, recognised only at the very start.
bool IsNoRecordAnswer(std::string_view answer); // " Kein Datensatz"
bool IsTooManyAnswer(std::string_view answer);  // "Mehr als"

// Whether the padded answer is one the query script gives: a message of the database or at least
// one record.
bool IsHoerdatAnswer(std::string_view paddedAnswer);

// Number of records: the "$end$" markers of the padded answer.
int CountRecords(std::string_view paddedAnswer);
// Offset of record k (0-based): its "$titel1$"; nullopt when the answer has no such marker.
std::optional<std::size_t> FindRecordStart(std::string_view paddedAnswer, int k);

// The value between start marker S and end marker E, searched from the record's start to the end
// of the padded answer, trimmed and cut to kMaxFieldBytes; nullopt when the field is absent. E
// right after S gives a present, empty value. A marker missing in this record may thus be found
// in a later one.
std::optional<std::string> ExtractBetween(std::string_view record, std::string_view startMarker,
                                          std::string_view endMarker);

// The fields of a record as the answer spells them: each lies between its own marker and the
// marker that follows it in the answer.
enum class AnswerField {
  Titel1,
  Titel2,
  Autor,
  Produktion,
  Jahr,
  Laenge,
  HspTyp,
  Genre,
  Regie,
  Bearbeitung,
  Inhaltsangabe,
  Mitwirkende,
};
// ExtractBetween with the field's two markers.
std::optional<std::string> ExtractField(std::string_view record, AnswerField field);

// One record's fields; an absent field is nullopt.
struct HoerdatRecord {
  std::optional<std::string> titel1, autor, produktion, jahr, laenge, hspTyp, genre, regie,
      bearbeitung, inhaltsangabe, mitwirkende;
};

// record: the padded answer from the record's start onward.
HoerdatRecord ParseHoerdatRecord(std::string_view record);

} // namespace velmora
