// Template expansion and the proposed file name on arbitrary templates and values: the expansion
// ends within its buffer, values are inserted literally, and the name is always one file name
// without control characters from the values.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "core/documents/output_documents.h"
#include "core/documents/templates.h"
#include "core/io/file_contents.h"

using namespace velmora;

namespace {

class FixedClock : public TemplateClock {
public:
  std::string LongDate() override { return "Mo, 3. M\xe4r 2025"; }
  std::string ShortDate() override { return "03/03/2025"; }
  std::string Time() override { return "14:05:09"; }
};

// The work folder with the file-name template, made once.
const std::string& WorkDir() {
  static const std::string dir = [] {
    char name[] = "/tmp/velmora-fuzz-XXXXXX";
    if (!::mkdtemp(name)) std::abort();
    return std::string(name) + "/";
  }();
  return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input: the template, then the twelve values and the station separator, split at NUL.
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string parts[kTemplateSlotCount + 2];
  std::size_t part = 0;
  for (const char c : input) {
    if (c == '\0' && part + 1 < std::size(parts))
      ++part;
    else
      parts[part] += c;
  }
  TemplateFields fields;
  for (std::size_t i = 0; i < kTemplateSlotCount; ++i)
    fields[i] = parts[i + 1];
  FixedClock clock;

  std::string text = parts[0];
  ExpandMarkers(text, fields, clock);
  if (text.size() >= kTemplateBufferSize && parts[0].size() < kTemplateBufferSize) std::abort();
  // A value that is the whole template comes back exactly as it is.
  std::string single = "$0$";
  ExpandMarkers(single, fields, clock);
  if (fields[0].size() + 3 < kTemplateBufferSize && single != fields[0]) std::abort();

  if (!WriteWholeFile(WorkDir() + kFileNameTemplate, parts[0])) std::abort();
  const auto name = ExpandFileNameTemplate(WorkDir(), fields, clock, parts[kTemplateSlotCount + 1]);
  if (!name || name->find('/') != std::string::npos || *name == "." || *name == "..") std::abort();
  return 0;
}
