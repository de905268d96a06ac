#include "core/run/run_store.h"

#include <algorithm>

#include "core/io/atomic_replace.h"
#include "core/io/file_contents.h"
#include "core/run/run_records.h"

namespace velmora {

namespace {

constexpr const char* kLookupsName = "lookups";
constexpr const char* kWritesName = "last-run";

std::uint64_t Number(const std::string& text) {
  std::uint64_t value = 0;
  for (const char c : text)
    if (c >= '0' && c <= '9') value = value * 10 + static_cast<std::uint64_t>(c - '0');
  return value;
}

RunRecord LookupRecord(const PlayLookup& lookup) {
  return {lookup.key.author,
          lookup.key.title,
          lookup.key.station,
          lookup.key.year,
          lookup.address,
          lookup.answer ? "1" : "0",
          lookup.answer.value_or(""),
          std::to_string(lookup.hits),
          std::to_string(lookup.chosen + 1),
          lookup.skipped ? "1" : "0",
          lookup.why};
}

PlayLookup LookupOf(const RunRecord& r) {
  PlayLookup lookup;
  lookup.key = {r[0], r[1], r[2], r[3]};
  lookup.address = r[4];
  if (r[5] == "1") lookup.answer = r[6];
  lookup.hits = static_cast<int>(Number(r[7]));
  lookup.chosen = static_cast<int>(Number(r[8])) - 1;
  lookup.skipped = r[9] == "1";
  lookup.why = r[10];
  return lookup;
}

RunRecord WriteRecord(const RunWrite& w) {
  const FileStatus& a = w.after;
  return {w.inPlace ? "1" : "0",
          w.source,
          w.target,
          w.done ? "1" : "0",
          std::to_string(a.identity.device),
          std::to_string(a.identity.inode),
          std::to_string(a.size),
          std::to_string(a.modifiedSeconds),
          std::to_string(a.modifiedNanoseconds),
          std::to_string(w.newTagArea),
          std::to_string(w.formerSize),
          std::to_string(w.formerTagArea),
          w.formerTag,
          w.formerTail};
}

RunWrite WriteOf(const RunRecord& r) {
  RunWrite w;
  w.inPlace = r[0] == "1";
  w.source = r[1];
  w.target = r[2];
  w.done = r[3] == "1";
  w.after.identity.device = static_cast<dev_t>(Number(r[4]));
  w.after.identity.inode = static_cast<ino_t>(Number(r[5]));
  w.after.size = Number(r[6]);
  w.after.modifiedSeconds = static_cast<std::int64_t>(Number(r[7]));
  w.after.modifiedNanoseconds = static_cast<long>(Number(r[8]));
  w.newTagArea = Number(r[9]);
  w.formerSize = Number(r[10]);
  w.formerTagArea = Number(r[11]);
  w.formerTag = r[12];
  w.formerTail = r[13];
  return w;
}

} // namespace

PlayKey KeyOfPlay(const Play& play) {
  return {play.author, play.title, play.station, play.year};
}

RunStore::RunStore(const std::string& stateFolder, const std::string& collectionFolder)
    : folder_(stateFolder + "runs/" + HashName(collectionFolder) + "/") {}

std::vector<PlayLookup> RunStore::Lookups() const {
  std::vector<PlayLookup> lookups;
  for (const RunRecord& record : ReadRunRecords(ReadWholeFile(folder_ + kLookupsName).value_or("")))
    if (record.size() == 11) lookups.push_back(LookupOf(record));
  return lookups;
}

bool RunStore::SaveLookups(const std::vector<PlayLookup>& lookups) const {
  std::string bytes;
  for (const PlayLookup& lookup : lookups)
    bytes += RunRecordBytes(LookupRecord(lookup));
  return CreateFolders(folder_) && ReplaceFileContents(folder_ + kLookupsName, bytes);
}

std::vector<RunWrite> RunStore::Writes() const {
  std::vector<RunWrite> writes;
  for (const RunRecord& record :
       ReadRunRecords(ReadWholeFile(folder_ + kWritesName).value_or(""))) {
    if (record.size() != 14) continue;
    RunWrite write = WriteOf(record);
    auto known = std::find_if(writes.begin(), writes.end(),
                              [&](const RunWrite& w) { return w.target == write.target; });
    if (known == writes.end()) {
      writes.push_back(std::move(write));
    } else {
      known->done = write.done;
      known->after = write.after;
      known->newTagArea = write.newTagArea;
    }
  }
  return writes;
}

bool RunStore::AppendWrite(const RunWrite& write) const {
  return CreateFolders(folder_) &&
         AppendDurably(folder_ + kWritesName, RunRecordBytes(WriteRecord(write)));
}

bool RunStore::ForgetWrites() const {
  return ReplaceFileContents(folder_ + kWritesName, "");
}

} // namespace velmora
