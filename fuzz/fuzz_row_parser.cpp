// The rows of the choice on arbitrary answers: one row per "$end$", and a row without its own
// record shows its number.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/lookup/hoerdat_record.h"
#include "core/lookup/result_rows.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string answer = PadAnswer(std::string(reinterpret_cast<const char*>(data), size));
  const auto rows = BuildResultRows(answer);
  if (rows.size() != static_cast<std::size_t>(CountRecords(answer))) std::abort();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!FindRecordStart(answer, static_cast<int>(i)) && rows[i].author != std::to_string(i))
      std::abort();
  }
  return 0;
}
