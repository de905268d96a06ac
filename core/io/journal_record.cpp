#include "core/io/journal_record.h"

#include <cstdint>

namespace velmora {

namespace {

constexpr std::string_view kMagic = "VELMORA-JOURNAL 1\n";

std::uint64_t Checksum(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
  for (const char c : bytes)
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return hash;
}

void PutNumber(std::string& out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void PutBytes(std::string& out, std::string_view bytes) {
  PutNumber(out, bytes.size());
  out += bytes;
}

// Reads what PutNumber and PutBytes wrote; every read fails once the input ran out.
class Reader {
public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  std::optional<std::uint64_t> Number() {
    if (bytes_.size() < 8) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
      value |= std::uint64_t{static_cast<unsigned char>(bytes_[i])} << (8 * i);
    bytes_.remove_prefix(8);
    return value;
  }
  std::optional<std::string> Bytes() {
    const auto size = Number();
    if (!size || *size > bytes_.size()) return std::nullopt;
    std::string value(bytes_.substr(0, *size));
    bytes_.remove_prefix(*size);
    return value;
  }
  bool Identity(FileIdentity& identity) {
    const auto device = Number(), inode = Number();
    if (!device || !inode) return false;
    identity = {static_cast<dev_t>(*device), static_cast<ino_t>(*inode)};
    return true;
  }
  bool empty() const { return bytes_.empty(); }

private:
  std::string_view bytes_;
};

bool ReadChange(Reader& reader, FileChange& change) {
  const auto oldSize = reader.Number(), newSize = reader.Number(), count = reader.Number();
  if (!oldSize || !newSize || !count) return false;
  change.oldSize = *oldSize;
  change.newSize = *newSize;
  for (std::uint64_t i = 0; i < *count; ++i) {
    const auto offset = reader.Number();
    auto oldBytes = reader.Bytes(), newBytes = reader.Bytes();
    if (!offset || !oldBytes || !newBytes) return false;
    change.patches.push_back({*offset, std::move(*oldBytes), std::move(*newBytes)});
  }
  return true;
}

} // namespace

std::string EncodeJournal(const JournalRecord& record, std::string_view fileName) {
  std::string out(kMagic);
  out += "Velmora schreibt gerade \"" + std::string(fileName) +
         "\" oder wurde dabei unterbrochen. Beim nächsten Laden der Datei stellt Velmora sie "
         "wieder her und entfernt dieses Journal; bitte nicht löschen.\n";
  out += '\0';
  PutNumber(out, record.file.device);
  PutNumber(out, record.file.inode);
  PutNumber(out, record.change.oldSize);
  PutNumber(out, record.change.newSize);
  PutNumber(out, record.change.patches.size());
  for (const FilePatch& patch : record.change.patches) {
    PutNumber(out, patch.offset);
    PutBytes(out, patch.oldBytes);
    PutBytes(out, patch.newBytes);
  }
  PutBytes(out, record.temporaryName);
  PutNumber(out, record.temporaryIdentity.device);
  PutNumber(out, record.temporaryIdentity.inode);
  PutNumber(out, Checksum(out));
  return out;
}

std::optional<JournalRecord> DecodeJournal(std::string_view bytes) {
  const auto end = bytes.find('\0');
  if (!bytes.starts_with(kMagic) || end == std::string_view::npos || bytes.size() < 8)
    return std::nullopt;
  const std::string_view checked = bytes.substr(0, bytes.size() - 8);
  Reader reader(bytes.substr(end + 1));
  JournalRecord record;
  std::optional<std::string> temporaryName;
  if (!reader.Identity(record.file) || !ReadChange(reader, record.change) ||
      !(temporaryName = reader.Bytes()) || !reader.Identity(record.temporaryIdentity) ||
      reader.Number() != Checksum(checked) || !reader.empty())
    return std::nullopt;
  record.temporaryName = std::move(*temporaryName);
  return record;
}

} // namespace velmora
