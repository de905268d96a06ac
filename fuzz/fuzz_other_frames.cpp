// Carrying the other frames of arbitrary tags: what is carried fits into a composed tag that the
// reader reads as before, and carrying from that tag gives the same frames again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/tags/id3v2.h"
#include "core/tags/id3v2_other_frames.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size); // exact size for ASan
  const OtherFrames carried = CarryOtherFrames(bytes);
  ReadPictures(bytes);
  const std::string tag =
      ComposeId3v2Tag({"1", "Titel"}, 16, carried.bytes) + std::string(16, '\0');
  if (MeasureId3v2Tag(tag) != tag.size()) std::abort();
  if (ParseId3v2Frames(tag).size() != 11) std::abort();
  const OtherFrames again = CarryOtherFrames(tag);
  if (again.bytes != carried.bytes || !again.leftOut.empty()) std::abort();
  return 0;
}
