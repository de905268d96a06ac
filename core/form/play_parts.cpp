#include "core/form/play_parts.h"

#include <algorithm>
#include <optional>

#include "core/form/file_name_parts.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {

namespace {

struct NamedPart {
  FileNameParts name;
  int number = 0;
  int count = 0;
};

std::optional<NamedPart> ReadPart(const std::string& path, std::string_view stationSeparator) {
  NamedPart part;
  part.name = ParseFileName(BaseNameWithoutExtension(Utf8ToCp1252(path)), stationSeparator);
  const std::string& designation = part.name.partDesignation;
  if (designation.empty()) return std::nullopt;
  part.number = ParseLeadingInt(designation);
  part.count = ParseLeadingInt(designation.substr(designation.find_first_of("vV") + 1));
  return part;
}

bool SamePlay(const NamedPart& a, const NamedPart& b) {
  return a.name.author == b.name.author && a.name.title == b.name.title &&
         a.name.station == b.name.station && a.count == b.count;
}

bool IsWordCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// True when text[begin, end) is not part of a longer word ("2v3" in "12v3" is not).
bool IsWholeWord(std::string_view text, std::size_t begin, std::size_t end) {
  return (begin == 0 || !IsWordCharacter(text[begin - 1])) &&
         (end == text.size() || !IsWordCharacter(text[end]));
}

} // namespace

std::vector<PlayPart> FindPlayParts(const std::string& loadedPath,
                                    const std::vector<std::string>& listedPaths,
                                    std::string_view stationSeparator) {
  const auto loaded = ReadPart(loadedPath, stationSeparator);
  if (!loaded) return {};
  std::vector<PlayPart> parts{{loadedPath, loaded->name.partDesignation, loaded->number}};
  for (const std::string& path : listedPaths) {
    if (path == loadedPath) continue;
    const auto part = ReadPart(path, stationSeparator);
    if (!part || !SamePlay(*part, *loaded)) continue;
    const bool taken = std::any_of(parts.begin(), parts.end(), [&](const PlayPart& known) {
      return known.partNumber == part->number;
    });
    if (!taken) parts.push_back({path, part->name.partDesignation, part->number});
  }
  std::sort(parts.begin(), parts.end(),
            [](const PlayPart& a, const PlayPart& b) { return a.partNumber < b.partNumber; });
  return parts;
}

std::string PartTitle(std::string_view title, std::string_view loadedDesignation,
                      std::string_view partDesignation) {
  std::string result(title);
  if (result.empty() || loadedDesignation.empty()) return result;
  for (auto at = result.rfind(loadedDesignation); at != std::string::npos;
       at = at == 0 ? std::string::npos : result.rfind(loadedDesignation, at - 1)) {
    if (IsWholeWord(result, at, at + loadedDesignation.size())) {
      result.replace(at, loadedDesignation.size(), partDesignation);
      return result;
    }
  }
  return result + ' ' + std::string(partDesignation);
}

} // namespace velmora
