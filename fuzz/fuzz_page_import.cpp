// The import of a Hördat page on arbitrary page texts: fields fit the work buffer and the year
// taken from the production is digits only.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/import/hoerdat_page.h"

using namespace velmora;

namespace {

bool TooLong(const std::optional<std::string>& field) {
  return field && field->size() > 51199;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string page(reinterpret_cast<const char*>(data), size);
  const HoerdatPageFields fields = ReadHoerdatPage(page);
  if (TooLong(fields.author) || TooLong(fields.title) || TooLong(fields.cast) ||
      TooLong(fields.director))
    std::abort();
  if (fields.production)
    for (const char c : fields.production->year)
      if (c < '0' || c > '9') std::abort();
  if (fields.cast && fields.cast->find_first_of("\r\n\t") != std::string::npos) std::abort();
  return 0;
}
