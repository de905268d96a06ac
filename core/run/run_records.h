#pragma once
// The bytes of what a run keeps in the user's folders: records of fields, each field written as
// its length, ":", its bytes and "," (a netstring), each record ended by a line break. Any byte
// may stand in a field, and a record cut short by a crash is recognised and left out.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

using RunRecord = std::vector<std::string>;

void AppendRunField(std::string& out, std::string_view field);
// The fields as one record, its line break included.
std::string RunRecordBytes(const RunRecord& fields);
// The whole records of bytes, in order; reading stops at the first one that is cut or malformed.
std::vector<RunRecord> ReadRunRecords(std::string_view bytes);

// A name for a text in a file name: 16 hexadecimal digits of its 64-bit FNV-1a hash.
std::string HashName(std::string_view text);

} // namespace velmora
