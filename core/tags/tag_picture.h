#pragma once
// A picture of the loaded tag (APIC, or PIC in version 2.2), as the window and the CLI show it.
#include <string>
#include <vector>

namespace velmora {

struct TagPicture {
  int type = 0;     // the picture type of the ID3v2 standards: 3 is the front cover
  std::string mime; // "image/jpeg", …
  std::string data; // the image file's bytes
};

// The front cover, else the first picture; nullptr when there is none.
inline const TagPicture* CoverPicture(const std::vector<TagPicture>& pictures) {
  for (const TagPicture& picture : pictures)
    if (picture.type == 3) return &picture;
  return pictures.empty() ? nullptr : &pictures.front();
}

} // namespace velmora
