#pragma once
// The bytes of a journal file: a line that names it, a sentence for a user who finds one, then
// the record itself and a checksum, so that a journal cut short by a crash is recognised.
#include <optional>
#include <string>
#include <string_view>

#include "core/io/write_journal.h"

namespace velmora {

struct JournalRecord {
  FileIdentity file;
  FileChange change;                // the patches to undo (empty for a whole copy)
  std::string temporaryName;        // a whole copy: its source beside the file
  FileIdentity temporaryIdentity{}; // ... and which file that must be
};

std::string EncodeJournal(const JournalRecord& record, std::string_view fileName);
// nullopt for a journal that is incomplete or damaged.
std::optional<JournalRecord> DecodeJournal(std::string_view bytes);

} // namespace velmora
