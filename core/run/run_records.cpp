#include "core/run/run_records.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace velmora {

namespace {

// The field at pos, pos moved behind its ","; nullopt when the bytes there are no field.
std::optional<std::string> ReadField(std::string_view bytes, std::size_t& pos) {
  std::size_t length = 0, digits = 0;
  while (pos + digits < bytes.size() && bytes[pos + digits] >= '0' && bytes[pos + digits] <= '9') {
    if (digits == 12) return std::nullopt; // no field of a run is that long
    length = length * 10 + static_cast<std::size_t>(bytes[pos + digits] - '0');
    ++digits;
  }
  const std::size_t start = pos + digits + 1;
  if (digits == 0 || start > bytes.size() || bytes[start - 1] != ':' ||
      length >= bytes.size() - start || bytes[start + length] != ',')
    return std::nullopt;
  pos = start + length + 1;
  return std::string(bytes.substr(start, length));
}

} // namespace

void AppendRunField(std::string& out, std::string_view field) {
  out += std::to_string(field.size());
  out += ':';
  out += field;
  out += ',';
}

std::string RunRecordBytes(const RunRecord& fields) {
  std::string out;
  for (const std::string& field : fields)
    AppendRunField(out, field);
  return out + '\n';
}

std::vector<RunRecord> ReadRunRecords(std::string_view bytes) {
  std::vector<RunRecord> records;
  std::size_t pos = 0;
  RunRecord record;
  while (pos < bytes.size()) {
    if (bytes[pos] == '\n') {
      records.push_back(std::move(record));
      record.clear();
      ++pos;
      continue;
    }
    auto field = ReadField(bytes, pos);
    if (!field) break;
    record.push_back(std::move(*field));
  }
  return records;
}

std::string HashName(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
  return name;
}

} // namespace velmora
