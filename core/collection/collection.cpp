#include "core/collection/collection.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "core/form/file_list.h"
#include "core/form/source_tag.h"
#include "core/io/file_status.h"
#include "core/tags/id3v2.h"
#include "core/text/encoding.h"

namespace velmora {

namespace {

using FolderIdentity = std::pair<dev_t, ino_t>;

struct Listing {
  std::string root; // the folder, ending in "/"
  std::set<FolderIdentity> visited;
  std::vector<std::string> files; // relative paths
};

// Lists the audio files below root + relative into listing; false when progress ended it. Hidden
// names are passed over; a folder reached twice (through a link) is listed once.
bool ListAudioFiles(Listing& listing, const std::string& relative, CollectionProgress& progress) {
  if (!progress.Continue(0, listing.files.size())) return false;
  std::vector<std::string> names = NamesInDirectory(listing.root + relative);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (name.starts_with('.')) continue;
    const std::string path = relative + name;
    if (IsAudioFileName(name)) {
      listing.files.push_back(path);
      continue;
    }
    if (NamesInDirectory(listing.root + path).empty()) continue; // no folder, or an empty one
    const auto status = StatusOfPath(listing.root + path);
    if (!status) continue;
    if (listing.visited.insert({status->identity.device, status->identity.inode}).second &&
        !ListAudioFiles(listing, path + "/", progress))
      return false;
  }
  return true;
}

bool HasText(const std::vector<Id3v2Frame>& frames, std::string_view id) {
  return std::any_of(frames.begin(), frames.end(), [id](const Id3v2Frame& frame) {
    return frame.id == id && !frame.text.empty();
  });
}

struct AudioFile {
  std::string failure; // why it cannot be read as audio; empty when it can
  bool tagged = false;
};

AudioFile ReadAudioFile(const std::string& path, const std::string& relative) {
  const auto file = ReadableFile::Open(path);
  const SourceTag source = file ? MeasureSourceTag(*file) : SourceTag{};
  if (source.status != SourceTag::Status::Ok) return {SourceFailure(source.status, relative)};
  const auto tag = ReadFirstTag(*file, source);
  if (!tag) return {};
  const std::vector<Id3v2Frame> frames = ReadId3v2Contents(*tag).frames;
  return {{}, HasText(frames, "TIT2") && HasText(frames, "TPE1")};
}

std::string Relative(const std::string& path, const std::string& root) {
  return path.substr(root.size());
}

// The grouped plays with ids, relative paths and their tagged state; their strays beside them.
void AddPlays(Collection& collection, PlayGrouping grouping, const std::string& root,
              const std::map<std::string, bool>& tagged) {
  for (Play& play : grouping.plays) {
    const int id = static_cast<int>(collection.plays.size()) + 1;
    bool allTagged = !play.parts.empty();
    for (PlayPart& part : play.parts) {
      part.path = Relative(part.path, root);
      allTagged = allTagged && tagged.at(part.path);
    }
    for (StrayFile& stray : play.strays)
      collection.strays.push_back({Relative(stray.path, root), id, std::move(stray.why)});
    play.strays.clear();
    collection.plays.push_back({id, std::move(play), allTagged});
  }
  for (StrayFile& stray : grouping.outside)
    collection.strays.push_back({Relative(stray.path, root), 0, std::move(stray.why)});
}

} // namespace

std::optional<Collection> ReadCollection(const std::string& folder,
                                         std::string_view stationSeparator,
                                         CollectionProgress& progress) {
  Listing listing;
  listing.root = folder.empty() ? "./" : folder.back() == '/' ? folder : folder + "/";
  if (const auto status = StatusOfPath(listing.root))
    listing.visited.insert({status->identity.device, status->identity.inode});
  if (!ListAudioFiles(listing, "", progress)) return std::nullopt;
  Collection collection;
  std::vector<std::string> readable;
  std::map<std::string, bool> tagged;
  for (std::size_t i = 0; i < listing.files.size(); ++i) {
    if (!progress.Continue(i, listing.files.size())) return std::nullopt;
    const std::string& relative = listing.files[i];
    const AudioFile file = ReadAudioFile(listing.root + relative, relative);
    if (!file.failure.empty()) {
      collection.strays.push_back({relative, 0, file.failure});
      continue;
    }
    readable.push_back(listing.root + relative);
    tagged[relative] = file.tagged;
  }
  AddPlays(collection, GroupPlays(readable, stationSeparator), listing.root, tagged);
  std::sort(collection.strays.begin(), collection.strays.end(),
            [](const auto& a, const auto& b) { return a.file < b.file; });
  return collection;
}

bool PlayMatches(const CollectionPlay& entry, std::string_view filter) {
  const Play& play = entry.play;
  std::string text = play.author + '\n' + play.title + '\n' + play.station + '\n' + play.year;
  for (const PlayPart& part : play.parts)
    text += '\n' + ValidUtf8(part.path);
  text = SmallLetters(text);
  const std::string words = SmallLetters(filter);
  for (std::size_t start = 0; start < words.size();) {
    const std::size_t end = std::min(words.find(' ', start), words.size());
    if (end > start && text.find(words.substr(start, end - start)) == std::string::npos)
      return false;
    start = end + 1;
  }
  return true;
}

} // namespace velmora
