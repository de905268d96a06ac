#include "core/form/source_tag.h"

#include "core/model/messages.h"
#include "core/tags/id3v2.h"
#include "core/tags/id3v2_tag_area.h"

namespace velmora {

namespace {

constexpr std::size_t kHeadBytes = 10;

} // namespace

SourceTag MeasureSourceTag(const ReadableFile& file) {
  SourceTag source;
  if (!file.regular()) {
    source.status = SourceTag::Status::NotRegular;
    return source;
  }
  auto head = file.Head(kHeadBytes);
  if (!head) return source;
  source.head = std::move(*head);
  if (source.head.starts_with("ID3")) {
    source.area = MeasureId3v2TagArea([&file](std::uint64_t offset, std::size_t count) {
      return file.Range(offset, count).value_or("");
    });
  } else if (source.head.empty() || static_cast<unsigned char>(source.head[0]) != 0xFF) {
    source.status = SourceTag::Status::NotMpeg;
    return source;
  }
  source.status = SourceTag::Status::Ok;
  return source;
}

std::optional<std::string> ReadFirstTag(const ReadableFile& file, const SourceTag& source) {
  if (source.area == 0) return std::nullopt;
  return file.Head(MeasureId3v2Tag(source.head));
}

std::string SourceFailure(SourceTag::Status status, const std::string& path) {
  switch (status) {
  case SourceTag::Status::NotMpeg:
    return messages::NotMpegFile(path);
  case SourceTag::Status::NotRegular:
    return messages::NotARegularFile(path);
  case SourceTag::Status::Ok:
  case SourceTag::Status::CannotOpen:
    break;
  }
  return messages::CannotOpenFile(path);
}

} // namespace velmora
