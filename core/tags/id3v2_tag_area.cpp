#include "core/tags/id3v2_tag_area.h"

#include "core/tags/id3v2.h"

namespace velmora {
namespace {

constexpr std::size_t kHeaderLength = 10;

// The header pattern of the ID3v2.4.0 standard: "ID3", a version and revision below 0xFF, the
// flags, and four size bytes below 0x80. A looser test would take audio for a tag.
bool IsTagHeader(const std::string& bytes, std::string_view magic) {
  if (bytes.size() < kHeaderLength || bytes.compare(0, 3, magic) != 0) return false;
  if (bytes[3] == '\xff' || bytes[4] == '\xff') return false;
  for (std::size_t i = 6; i < kHeaderLength; ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

bool AnnouncesFooter(const std::string& header) {
  return header[3] == '\x04' && (static_cast<unsigned char>(header[5]) & 0x10) != 0;
}

} // namespace

std::uint64_t MeasureId3v2TagArea(
    const std::function<std::string(std::uint64_t offset, std::size_t count)>& readAt) {
  // The first tag is measured as the loader always measured it, whatever its size bytes hold.
  std::string header = readAt(0, kHeaderLength);
  if (!header.starts_with("ID3")) return 0;
  std::uint64_t area = 0;
  do {
    area += MeasureId3v2Tag(header);
    if (header.size() == kHeaderLength && AnnouncesFooter(header) &&
        IsTagHeader(readAt(area, kHeaderLength), "3DI"))
      area += kHeaderLength;
    header = readAt(area, kHeaderLength);
  } while (IsTagHeader(header, "ID3"));
  return area;
}

} // namespace velmora
