#include "cli/cli_json.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "core/lookup/result_rows.h"
#include "core/text/encoding.h"

namespace velmora::cli {

namespace {

// A text as a JSON string literal, always valid UTF-8: a byte that is not (in a file name) is
// printed as U+FFFD.
std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : ValidUtf8(text)) {
    switch (c) {
    case '"':
      json += "\\\"";
      break;
    case '\\':
      json += "\\\\";
      break;
    case '\n':
      json += "\\n";
      break;
    case '\r':
      json += "\\r";
      break;
    case '\t':
      json += "\\t";
      break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
        json += escaped;
      } else {
        json += c;
      }
    }
  }
  return json + "\"";
}

// The loaded tag's pictures without their data: type, format and size.
std::string PicturesJson(const std::vector<TagPicture>& pictures) {
  std::string json = "[";
  for (const TagPicture& picture : pictures) {
    if (json.size() > 1) json += ", ";
    json += "{\"type\": " + std::to_string(picture.type) +
            ", \"mime\": " + JsonString(picture.mime) +
            ", \"bytes\": " + std::to_string(picture.data.size()) + "}";
  }
  return json + "]";
}

std::string NumbersJson(const std::vector<int>& numbers) {
  std::string json = "[";
  for (const int number : numbers)
    json += (json.size() > 1 ? ", " : "") + std::to_string(number);
  return json + "]";
}

} // namespace

std::string FormJson(const TagForm& form, const WindowMembers& members,
                     const GenreSelection& v2Genre) {
  const std::pair<const char*, const std::string*> records[] = {
      {"recAutor", &members.recAutor},
      {"recTitel1", &members.recTitel1},
      {"recProduktion", &members.recProduktion},
      {"recInhaltsangabe", &members.recInhaltsangabe},
      {"recBearbeitung", &members.recBearbeitung},
      {"recMitwirkende", &members.recMitwirkende},
      {"recRegie", &members.recRegie},
      {"recLaenge", &members.recLaenge},
      {"recHspTyp", &members.recHspTyp},
      {"recGenre", &members.recGenre},
  };
  std::vector<std::pair<std::string, std::string>> entries; // key, JSON value
  entries.reserve(kExchangeOrder.size() + 4 + std::size(records));
  for (const FormField field : kExchangeOrder)
    entries.emplace_back(FieldName(field), JsonString(FieldOf(form, field)));
  entries.emplace_back("v2Genre", v2Genre.number ? std::to_string(*v2Genre.number) : "null");
  entries.emplace_back("oldTagLength", std::to_string(members.oldTagLength));
  entries.emplace_back("partDesignation", JsonString(members.partDesignation));
  entries.emplace_back("pictures", PicturesJson(members.pictures));
  for (const auto& [key, value] : records)
    entries.emplace_back(key, JsonString(*value));

  std::string json = "{";
  for (std::size_t i = 0; i < entries.size(); ++i)
    json += (i == 0 ? "\"" : ", \"") + entries[i].first + "\": " + entries[i].second;
  return json + "}";
}

std::string ClipboardJson(const std::string& text) {
  return "{\"clipboard\": " + JsonString(text) + "}";
}

std::string HitsJson(const std::vector<ResultRow>& rows) {
  std::string json = "{\"hits\": [";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ResultRow& row = rows[i];
    json += (i == 0 ? "{\"row\": " : ", {\"row\": ") + std::to_string(i) +
            ", \"author\": " + JsonString(row.author) + ", \"title\": " + JsonString(row.title) +
            ", \"station\": " + JsonString(row.station) + ", \"year\": " + JsonString(row.year) +
            ", \"part\": " + JsonString(PartOfRow(row)) + "}";
  }
  return json + "]}";
}

std::string PartJson(const PartUpdate& part) {
  return "{\"part\": " + std::to_string(part.partNumber) +
         ", \"source\": " + JsonString(part.sourcePath) +
         ", \"target\": " + JsonString(part.targetPath) +
         ", \"ok\": " + (part.written ? "true" : "false") + "}";
}

std::string PlayJson(const CollectionPlay& entry) {
  const Play& play = entry.play;
  std::vector<int> present;
  std::string files = "[";
  for (const PlayPart& part : play.parts) {
    if (part.partNumber != 0) present.push_back(part.partNumber);
    files += (files.size() > 1 ? ", " : "") + JsonString(part.path);
  }
  return "{\"id\": " + std::to_string(entry.id) + ", \"author\": " + JsonString(play.author) +
         ", \"title\": " + JsonString(play.title) + ", \"station\": " + JsonString(play.station) +
         ", \"year\": " + JsonString(play.year) +
         ", \"parts\": " + (play.partCount == 0 ? "null" : std::to_string(play.partCount)) +
         ", \"present\": " + NumbersJson(present) + ", \"missing\": " + NumbersJson(play.missing) +
         ", \"files\": " + files + "], \"tagged\": " + (entry.tagged ? "true" : "false") + "}";
}

std::string StrayJson(const CollectionStray& stray) {
  return "{\"file\": " + JsonString(stray.file) +
         ", \"play\": " + (stray.playId == 0 ? "null" : std::to_string(stray.playId)) +
         ", \"why\": " + JsonString(stray.why) + "}";
}

namespace {

std::string PathJson(const std::string& path, const std::string& folder) {
  return JsonString(path.starts_with(folder) ? path.substr(folder.size()) : path);
}

} // namespace

std::string LookupJson(const LookupLine& line) {
  const PlayLookup& lookup = line.lookup;
  return "{\"id\": " + std::to_string(line.id) + ", \"hits\": " + std::to_string(lookup.hits) +
         ", \"chosen\": " + (lookup.chosen < 0 ? "null" : std::to_string(lookup.chosen)) +
         ", \"why\": " + JsonString(lookup.why) + "}";
}

std::string ReviewJson(const ReviewLine& line, const std::string& folder) {
  std::string changes = "{";
  for (const FieldChange& change : line.changes)
    changes += (changes.size() > 1 ? ", " : "") + JsonString(std::string(FieldName(change.field))) +
               ": [" + JsonString(change.before) + ", " + JsonString(change.after) + "]";
  return "{\"id\": " + std::to_string(line.id) + ", \"file\": " + PathJson(line.file, folder) +
         ", \"target\": " + PathJson(line.target, folder) + ", \"changes\": " + changes + "}" +
         (line.failure.empty() ? "" : ", \"failure\": " + JsonString(line.failure)) + "}";
}

std::string WriteJson(const WriteLine& line, const std::string& folder) {
  return "{\"id\": " + std::to_string(line.id) + ", \"file\": " + PathJson(line.file, folder) +
         ", \"target\": " + PathJson(line.target, folder) +
         ", \"ok\": " + (line.ok ? "true" : "false") +
         (line.ok ? "" : ", \"why\": " + JsonString(line.why)) + "}";
}

std::string WrittenJson(const WriteSummary& summary) {
  return "{\"written\": " + std::to_string(summary.written) +
         ", \"failed\": " + std::to_string(summary.failed) + "}";
}

std::string UndoJson(const UndoLine& line, const std::string& folder) {
  return "{\"file\": " + PathJson(line.file, folder) +
         ", \"undone\": " + (line.undone ? "true" : "false") +
         ", \"why\": " + JsonString(line.why) + "}";
}

std::string CatalogueJson(const std::string& path, std::size_t plays) {
  return "{\"catalogue\": " + JsonString(path) + ", \"plays\": " + std::to_string(plays) + "}";
}

} // namespace velmora::cli
