#include "core/form/source_tag.h"

#include "core/io/file_contents.h"
#include "core/tags/id3v2_tag_area.h"

namespace velmora {

namespace {

constexpr std::size_t kHeadBytes = 10;

} // namespace

SourceTag MeasureSourceTag(const std::string& path) {
  SourceTag source;
  auto head = ReadFileHead(path, kHeadBytes);
  if (!head) return source;
  source.head = std::move(*head);
  if (source.head.starts_with("ID3")) {
    source.area = MeasureId3v2TagArea([&path](std::uint64_t offset, std::size_t count) {
      return ReadFileRange(path, offset, count).value_or("");
    });
  } else if (source.head.empty() || static_cast<unsigned char>(source.head[0]) != 0xFF) {
    source.status = SourceTag::Status::NotMpeg;
    return source;
  }
  source.status = SourceTag::Status::Ok;
  return source;
}

} // namespace velmora
