// Today's page layout on arbitrary texts, read as text and as HTML: the HTML's text keeps its
// shape (no blank at a line's ends, none doubled, no CR), and the plays' values have theirs (a
// year of digits, line breaks only as CR LF in the synopsis).
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/import/hoerdat_plays.h"
#include "core/import/html_text.h"

using namespace velmora;

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

bool OneLine(const std::optional<std::string>& value) {
  return !value || value->find_first_of("\r\n") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string text = HtmlToText(input);
  Check(text.find('\r') == std::string::npos && text.find("  ") == std::string::npos &&
        text.find(" \n") == std::string::npos && text.find("\n ") == std::string::npos &&
        !text.starts_with(' ') && text.find("\n\n\n") == std::string::npos);
  for (const HoerdatPlay& play : ReadClipboardPlays(input, input)) {
    const HoerdatPageFields& fields = play.fields;
    Check(OneLine(fields.title) && OneLine(fields.author) && OneLine(fields.cast) &&
          OneLine(fields.director) && OneLine(fields.length) && OneLine(fields.kind) &&
          OneLine(fields.genre));
    if (fields.synopsis)
      for (std::size_t at = fields.synopsis->find('\n'); at != std::string::npos;
           at = fields.synopsis->find('\n', at + 1))
        Check(at > 0 && (*fields.synopsis)[at - 1] == '\r');
    if (fields.production)
      for (const char c : fields.production->year)
        Check(c >= '0' && c <= '9');
  }
  return 0;
}
