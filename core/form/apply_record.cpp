#include "core/form/apply_record.h"

#include <string>

#include "core/lookup/hoerdat_record.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

constexpr std::size_t kFirstLineWidth = 30;
constexpr int kCastEntriesInMode = 3;

// 'Berger, Anna' -> 'Anna Berger' (WAFRANYOFL on) or 'Berger,Anna' (off); without a comma the
// name stays as it is.
std::string ReorderAuthor(const std::string& autor, bool wafranyofl) {
  const auto comma = autor.find(',');
  if (comma == std::string::npos) return autor;
  std::string lastName = autor.substr(0, comma);
  std::string firstNames = autor.substr(comma + 1);
  TrimText(lastName);
  TrimText(firstNames);
  return wafranyofl ? firstNames + " " + lastName : lastName + "," + firstNames;
}

std::string CastOnOneLine(std::string cast) {
  ReplaceAll(cast, "\r\n", ", ");
  return cast;
}

// The cast up to its third separator: CR LF pairs first (searched from index 1), then commas
// (from index 0) until three separators are counted; the one that makes three and everything
// after it go. With fewer than three the cast stays whole.
std::string FirstCastEntries(const std::string& cast) {
  int count = 0;
  std::size_t cut = std::string::npos;
  for (auto pos = cast.find("\r\n", 1); pos != std::string::npos && count < kCastEntriesInMode;
       pos = cast.find("\r\n", pos + 1)) {
    if (++count == kCastEntriesInMode) cut = pos;
  }
  for (auto pos = cast.find(','); pos != std::string::npos && count < kCastEntriesInMode;
       pos = cast.find(',', pos + 1)) {
    if (++count == kCastEntriesInMode) cut = pos;
  }
  return cut == std::string::npos ? cast : cast.substr(0, cut);
}

// Kind and genre, filled with blanks to 30 characters; cut where it would not fit the field
// work buffer.
std::string FirstCommentLine(const std::string& hspTyp, const std::string& genre) {
  std::string line = hspTyp + " " + genre;
  const std::size_t characters = CountCharacters(line);
  if (characters < kFirstLineWidth) line.append(kFirstLineWidth - characters, ' ');
  return std::string(FirstCharacters(line, kMaxFieldBytes));
}

} // namespace

bool ApplyRecord(std::string_view record, TagForm& form, WindowMembers& members) {
  const HoerdatRecord fields = ParseHoerdatRecord(record);
  const bool wafranyofl = members.settings.wafranyoflMode != 0;

  form.v2Url = members.settings.defaultUrl;
  form.v2EncodedBy = members.settings.defaultEncodedBy;

  if (fields.autor) {
    members.recAutor = ReorderAuthor(*fields.autor, wafranyofl);
    form.v2Artist = members.recAutor;
  }
  if (fields.titel1) {
    std::string title = *fields.titel1;
    MoveArticleToFront(title);
    members.recTitel1 = title;
    form.v2Title = title + " " + members.partDesignation;
    TrimTextEnd(form.v2Title);
  }
  if (fields.inhaltsangabe) {
    std::string synopsis = *fields.inhaltsangabe;
    ReplaceAll(synopsis, "<br />", "\r\n");
    form.v2Comment = synopsis;
    members.recInhaltsangabe = synopsis;
  }
  if (fields.bearbeitung) members.recBearbeitung = *fields.bearbeitung;
  if (fields.mitwirkende) {
    members.recMitwirkende = *fields.mitwirkende;
    form.v2OrigArtist =
        members.settings.prefixOrigArtist + " " + CastOnOneLine(members.recMitwirkende);
  }
  if (fields.regie) {
    members.recRegie = *fields.regie;
    form.v2Composer = members.settings.prefixKomponist + " " + *fields.regie;
  }
  if (fields.laenge) members.recLaenge = *fields.laenge;
  if (fields.produktion) members.recProduktion = *fields.produktion;
  if (fields.jahr) form.v2Year = *fields.jahr;
  form.v2Copyright = members.recProduktion + " " + form.v2Year;
  if (fields.hspTyp) {
    form.v2Album = *fields.hspTyp;
    members.recHspTyp = *fields.hspTyp;
  }
  if (fields.genre) members.recGenre = *fields.genre;

  if (wafranyofl) {
    form.v2Comment += "\r\n\r\nMit:\r\n" + members.recMitwirkende;
    form.v2Comment =
        FirstCommentLine(members.recHspTyp, members.recGenre) + "\r\n\r\n" + form.v2Comment;
    form.v2Album = members.recBearbeitung.empty()
                       ? members.recHspTyp
                       : members.settings.prefixBearbeitung + " " + members.recBearbeitung;
    form.v2OrigArtist = members.settings.prefixOrigArtist + " " +
                        CastOnOneLine(FirstCastEntries(members.recMitwirkende));
  }

  return members.settings.autoId3v1Copy == 1;
}

} // namespace velmora
