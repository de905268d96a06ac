// The import of a Hördat page on arbitrary page texts: fields fit the work buffer and the year
// taken from the production is digits only.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/import/hoerdat_page.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string page(reinterpret_cast<const char*>(data), size);
  TagForm form;
  WindowMembers members;
  members.prefixOrigArtist = "Sprecher:";
  ApplyHoerdatPage(page, form, members);
  constexpr std::size_t kLimit = 51199;
  if (members.recAutor.size() > kLimit || form.v2Title.size() > kLimit ||
      members.recMitwirkende.size() > kLimit || members.recRegie.size() > kLimit)
    std::abort();
  for (const char c : form.v2Year)
    if (c < '0' || c > '9') std::abort();
  if (members.recMitwirkende.find_first_of("\r\n\t") != std::string::npos) std::abort();
  return 0;
}
