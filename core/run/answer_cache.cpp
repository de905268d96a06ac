#include "core/run/answer_cache.h"

#include "core/io/atomic_replace.h"
#include "core/io/file_contents.h"
#include "core/io/file_status.h"
#include "core/run/run_records.h"

namespace velmora {

std::string AnswerCache::PathOf(const std::string& address) const {
  return folder_ + "answer-" + HashName(address);
}

std::optional<std::string> AnswerCache::Find(const std::string& address,
                                             std::int64_t nowSeconds) const {
  if (days_ <= 0 || folder_.empty()) return std::nullopt;
  const std::string path = PathOf(address);
  const auto status = StatusOfPath(path);
  if (!status || nowSeconds - status->modifiedSeconds >= std::int64_t{days_} * 86400)
    return std::nullopt;
  const auto bytes = ReadWholeFile(path);
  const auto records = ReadRunRecords(bytes.value_or(""));
  // Another address with the same hash is no answer for this one.
  if (records.size() != 1 || records[0].size() != 2 || records[0][0] != address)
    return std::nullopt;
  return records[0][1];
}

void AnswerCache::Keep(const std::string& address, const std::string& body) const {
  if (days_ <= 0 || folder_.empty() || !CreateFolders(folder_)) return;
  ReplaceFileContents(PathOf(address), RunRecordBytes({address, body}));
}

} // namespace velmora
