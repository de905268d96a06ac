#include "core/form/play_parts.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "core/form/file_name_parts.h"
#include "core/io/file_status.h"
#include "core/model/messages.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {

namespace {

struct Candidate {
  std::string path;
  FileNameParts name;
  int number = 0, count = 0;
  std::optional<FileIdentity> identity;
  bool link = false;
};

using PlayKey = std::tuple<std::string, std::string, std::string, std::string, int>;

Candidate ReadCandidate(const std::string& path, std::string_view stationSeparator) {
  Candidate candidate;
  candidate.path = path;
  candidate.name = ParseFileName(BaseNameWithoutExtension(ValidUtf8(path)), stationSeparator);
  const std::string& designation = candidate.name.partDesignation;
  if (!designation.empty()) {
    candidate.number = ParseLeadingInt(designation);
    candidate.count = ParseLeadingInt(designation.substr(designation.find_first_of("vV") + 1));
  }
  return candidate;
}

PlayKey KeyOf(const Candidate& candidate) {
  const FileNameParts& name = candidate.name;
  return {name.authorAsWritten, name.title, name.station, name.year, candidate.count};
}

// True when path is a symbolic link: the file it finally names lies elsewhere.
bool IsLinkPath(const std::string& path) {
  const std::string folder = DirectoryOf(path);
  const auto resolvedFolder = ResolvedPath(folder.empty() ? "." : folder);
  const auto resolved = ResolvedPath(path);
  return resolvedFolder && resolved &&
         *resolved != *resolvedFolder + "/" + path.substr(folder.size());
}

// Files that are one file under several names are told apart: the links go behind the file they
// name, so that the file itself becomes the part.
void PutLinksLast(std::vector<Candidate>& candidates) {
  for (Candidate& candidate : candidates)
    if (const auto status = StatusOfPath(candidate.path)) candidate.identity = status->identity;
  for (Candidate& candidate : candidates) {
    const auto shared = std::count_if(candidates.begin(), candidates.end(), [&](const auto& other) {
      return candidate.identity && other.identity == candidate.identity;
    });
    candidate.link = shared > 1 && IsLinkPath(candidate.path);
  }
  std::stable_partition(candidates.begin(), candidates.end(),
                        [](const Candidate& candidate) { return !candidate.link; });
}

// Why candidate is no part beside the accepted ones; empty when it is one.
std::string WhyNoPart(const Candidate& candidate, const std::vector<const Candidate*>& accepted) {
  if (candidate.number > candidate.count)
    return messages::PartBeyondCount(candidate.name.partDesignation);
  for (const Candidate* part : accepted)
    if (candidate.identity && part->identity == candidate.identity)
      return messages::LinkToOtherPart(part->path);
  for (const Candidate* part : accepted)
    if (part->number == candidate.number)
      return messages::SecondFileForPart(candidate.number, part->path);
  return {};
}

Play BuildPlay(const PlayKey& key, std::vector<Candidate>& candidates) {
  Play play;
  std::tie(play.author, play.title, play.station, play.year, play.partCount) = key;
  PutLinksLast(candidates);
  std::vector<const Candidate*> accepted;
  for (const Candidate& candidate : candidates) {
    std::string why = WhyNoPart(candidate, accepted);
    if (why.empty())
      accepted.push_back(&candidate);
    else
      play.strays.push_back({candidate.path, std::move(why)});
  }
  for (const Candidate* part : accepted)
    play.parts.push_back({part->path, part->name.partDesignation, part->number});
  std::sort(play.parts.begin(), play.parts.end(),
            [](const PlayPart& a, const PlayPart& b) { return a.partNumber < b.partNumber; });
  for (int number = 1; number <= play.partCount; ++number)
    if (std::none_of(play.parts.begin(), play.parts.end(),
                     [number](const PlayPart& part) { return part.partNumber == number; }))
      play.missing.push_back(number);
  return play;
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

PlayGrouping GroupPlays(const std::vector<std::string>& paths, std::string_view stationSeparator) {
  PlayGrouping grouping;
  std::map<PlayKey, std::vector<Candidate>> candidates;
  for (const std::string& path : paths) {
    Candidate candidate = ReadCandidate(path, stationSeparator);
    const FileNameParts& name = candidate.name;
    if (name.authorAsWritten.empty() || name.title.empty()) {
      grouping.outside.push_back({path, messages::NameOutsideHabit()});
      continue;
    }
    PlayKey key = KeyOf(candidate);
    candidates[std::move(key)].push_back(std::move(candidate));
  }
  for (auto& [key, files] : candidates)
    grouping.plays.push_back(BuildPlay(key, files));
  return grouping;
}

std::optional<Play> FindPlayOf(const std::string& loadedPath,
                               const std::vector<std::string>& listedPaths,
                               std::string_view stationSeparator) {
  const Candidate loaded = ReadCandidate(loadedPath, stationSeparator);
  if (loaded.name.partDesignation.empty()) return std::nullopt;
  // Only the names of the loaded file's play are grouped, so that no other file is asked for.
  std::vector<std::string> paths{loadedPath};
  std::copy_if(listedPaths.begin(), listedPaths.end(), std::back_inserter(paths),
               [&](const std::string& path) {
                 return path != loadedPath &&
                        KeyOf(ReadCandidate(path, stationSeparator)) == KeyOf(loaded);
               });
  PlayGrouping grouping = GroupPlays(paths, stationSeparator);
  if (grouping.plays.empty()) return std::nullopt;
  return std::move(grouping.plays.front());
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
