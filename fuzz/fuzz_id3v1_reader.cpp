// The ID3v1 reader on arbitrary file ends, and the record composed from what it read must read
// back to the same fields.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/tags/id3v1.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto fields = ReadId3v1Record(bytes);
  if (!fields) return 0;
  const Id3v1Record record = ComposeId3v1Record(*fields);
  const auto again = ReadId3v1Record(std::string(record.begin(), record.end()));
  if (!again || again->title != fields->title || again->artist != fields->artist ||
      again->album != fields->album || again->year != fields->year || again->track != fields->track)
    std::abort();
  return 0;
}
