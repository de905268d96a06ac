#pragma once
// The template machinery of "FileNameVorlage.txt" and "BeschreibungVorlage.txt": twelve numbered
// slots, "#" comment lines, and "$" markers for slots, the date and the time.
#include <array>
#include <string>

#include "core/model/tag_form.h"
#include "core/model/window_members.h"

namespace velmora {

inline constexpr std::size_t kTemplateSlotCount = 12;
// A template text, before and after the expansion, stays below this many bytes.
inline constexpr std::size_t kTemplateBufferSize = 100000;
using TemplateFields = std::array<std::string, kTemplateSlotCount>;

// Slot 0 recAutor, 1 v2Title, 2 recProduktion, 3 v2Year, 4 recInhaltsangabe, 5 recRegie,
// 6 recMitwirkende, 7 recLaenge, 8 v2Album, 9 recGenre, 10 partDesignation, 11 empty.
TemplateFields SnapshotTemplateFields(const TagForm& form, const WindowMembers& members);

// Removes every line whose first byte is "#", with its line end.
void StripCommentLines(std::string& text);

// The current date and time in the user's locale, injectable for tests.
class TemplateClock {
public:
  virtual ~TemplateClock() = default;
  virtual std::string LongDate() = 0;  // picture "ddd, d. MMM yyyy"
  virtual std::string ShortDate() = 0; // picture "dd/MM/yyyy"
  virtual std::string Time() = 0;      // picture "HH:mm:ss"
};
// The system clock with the user's locale (LC_TIME).
TemplateClock& SystemTemplateClock();

// Replaces the markers in place ($D$, $d$, $T$/$t$, $n$ slot n, anything else empty; only the
// byte after the opening "$" counts). A text that is empty or starts with ";" stays as it is.
// Values are inserted literally; the scan resumes right after a value, and one byte after the
// marker's position when the value is empty. An unclosed "$"
// is kept as literal text and ends the expansion; slot numbers above 11 give an empty value; a
// marker whose value would make the text reach kTemplateBufferSize ends the expansion unexpanded.
void ExpandMarkers(std::string& text, const TemplateFields& fields, TemplateClock& clock);

} // namespace velmora
