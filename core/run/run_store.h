#pragma once
// What a run over a collection keeps between calls, in the user's state folder: what the lookup
// found for each play, and what writing did to each file (the log of the last run, which undo
// reads). A lookup belongs to the play's author, title, station and year, never to its place in
// a listing, so that a changed folder never gives a choice to another play.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/form/play_parts.h"
#include "core/io/file_status.h"

namespace velmora {

struct PlayKey {
  std::string author, title, station, year; // as the names give them
  bool operator==(const PlayKey&) const = default;
};
PlayKey KeyOfPlay(const Play& play);

struct PlayLookup {
  PlayKey key;
  std::string address;               // the query address asked
  std::optional<std::string> answer; // the body the service gave; none after a failure
  int hits = 0;
  int chosen = -1; // the row whose record is written; -1 while the play waits or is skipped
  bool skipped = false;
  std::string why;
  bool waiting() const { return chosen < 0 && !skipped; }
};

// One file of the last run. A record is kept before the file is written and again after it.
struct RunWrite {
  bool inPlace = false;
  std::string source, target; // native paths
  bool done = false;          // written; otherwise only what preceded the write is known
  FileStatus after;           // the target as the run left it
  std::uint64_t newTagArea = 0;
  // In place: the former length, tag area and last bytes (at most an ID3v1 record's worth), all
  // that the write changed; the audio between them stays where it was.
  std::uint64_t formerSize = 0, formerTagArea = 0;
  std::string formerTag, formerTail;
};

class RunStore {
public:
  // The state of the collection at collectionFolder (absolute) below stateFolder (ends in "/").
  RunStore(const std::string& stateFolder, const std::string& collectionFolder);

  std::vector<PlayLookup> Lookups() const;
  bool SaveLookups(const std::vector<PlayLookup>& lookups) const;

  // Each target once: its first record's former bytes with its last record's outcome.
  std::vector<RunWrite> Writes() const;
  // Durable before it returns; false when it could not be kept.
  bool AppendWrite(const RunWrite& write) const;
  bool ForgetWrites() const;

  const std::string& folder() const { return folder_; }

private:
  std::string folder_; // ends in "/"
};

} // namespace velmora
