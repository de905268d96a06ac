// What killed writes leave in a folder: journals to undo or finish, and temporary files that no
// running update holds (every update keeps its temporary file locked until it is renamed or
// removed).
#include <algorithm>
#include <fcntl.h>

#include "core/io/locked_file.h"
#include "core/io/write_journal.h"

namespace velmora {

namespace {

// prefix, "-", digits, "-", digits: the names CreateExclusiveFile gives, and no other.
bool IsTemporaryName(const std::string& name, const std::string& prefix) {
  if (!name.starts_with(prefix + "-")) return false;
  const std::string rest = name.substr(prefix.size() + 1);
  const auto dash = rest.find('-');
  const auto digits = [](std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return dash != std::string::npos && digits(std::string_view(rest).substr(0, dash)) &&
         digits(std::string_view(rest).substr(dash + 1));
}

void RemoveIfAbandoned(const std::string& path) {
  UniqueFd fd = OpenFile(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
  const auto status = fd.valid() ? StatusOf(fd.get()) : std::nullopt;
  if (status && TryLock(fd.get())) RemoveIfStill(path, status->identity);
}

std::string WithSlash(const std::string& directory) {
  return directory.empty() || directory.ends_with('/') ? directory : directory + "/";
}

} // namespace

void RemoveAbandonedTemporaryFiles(const std::string& directory,
                                   const std::string& temporaryPrefix) {
  const std::string folder = WithSlash(directory);
  bool journalLeft = false;
  std::vector<std::string> temporaries;
  for (const std::string& name : NamesInDirectory(folder.empty() ? "." : folder)) {
    journalLeft = journalLeft || name.ends_with(kJournalSuffix);
    if (IsTemporaryName(name, temporaryPrefix)) temporaries.push_back(name);
  }
  // A journal left may still need its temporary file to finish a copy.
  if (journalLeft) return;
  for (const std::string& name : temporaries)
    RemoveIfAbandoned(folder + name);
}

void RepairInterruptedWritesIn(const std::string& directory, const std::string& temporaryPrefix) {
  const std::string folder = WithSlash(directory);
  const std::string suffix = kJournalSuffix;
  for (const std::string& name : NamesInDirectory(folder.empty() ? "." : folder))
    if (name.size() > suffix.size() && name.ends_with(suffix))
      RepairInterruptedWrite(folder + name.substr(0, name.size() - suffix.size()));
  RemoveAbandonedTemporaryFiles(directory, temporaryPrefix);
}

} // namespace velmora
