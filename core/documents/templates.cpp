#include "core/documents/templates.h"

#include <optional>
#include <string_view>

namespace velmora {
namespace {

// The slot number formed by the digits at the start of selector; nullopt above the last slot.
std::optional<std::size_t> SlotNumber(std::string_view selector) {
  std::size_t number = 0;
  for (const char c : selector) {
    if (c < '0' || c > '9') break;
    number = number * 10 + static_cast<std::size_t>(c - '0');
    if (number >= kTemplateSlotCount) return std::nullopt;
  }
  return number;
}

// selector is the text between the two "$" of a marker; only its first byte decides.
std::string MarkerValue(std::string_view selector, const TemplateFields& fields,
                        TemplateClock& clock) {
  if (selector.empty()) return {};
  const char kind = selector.front();
  if (kind == 'D') return clock.LongDate();
  if (kind == 'd') return clock.ShortDate();
  if (kind == 'T' || kind == 't') return clock.Time();
  if (kind >= '0' && kind <= '9') {
    const auto slot = SlotNumber(selector);
    return slot ? fields[*slot] : std::string();
  }
  return {};
}

} // namespace

TemplateFields SnapshotTemplateFields(const TagForm& form, const WindowMembers& members) {
  return {members.recAutor,
          form.v2Title,
          members.recProduktion,
          form.v2Year,
          members.recInhaltsangabe,
          members.recRegie,
          members.recMitwirkende,
          members.recLaenge,
          form.v2Album,
          members.recGenre,
          members.partDesignation,
          std::string()};
}

void StripCommentLines(std::string& text) {
  std::string kept;
  kept.reserve(text.size());
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t lineFeed = text.find('\n', start);
    const std::size_t end = lineFeed == std::string::npos ? text.size() : lineFeed + 1;
    if (text[start] != '#') kept.append(text, start, end - start);
    start = end;
  }
  text = std::move(kept);
}

void ExpandMarkers(std::string& text, const TemplateFields& fields, TemplateClock& clock) {
  if (text.empty() || text.front() == ';') return;
  // One step per position; after an empty value the scan resumes one byte further on.
  for (std::size_t position = 0; position < text.size(); ++position) {
    if (text[position] != '$') continue;
    const std::size_t closing = text.find('$', position + 1);
    if (closing == std::string::npos) return;
    const std::size_t markerLength = closing - position + 1;
    const std::string value =
        MarkerValue(std::string_view(text).substr(position + 1, markerLength - 2), fields, clock);
    // Bounds the work as well: a slot value that contains its own marker would otherwise
    // expand forever.
    if (text.size() - markerLength + value.size() >= kTemplateBufferSize) return;
    text.replace(position, markerLength, value);
    // The value is inserted literally: a marker inside it (a title holding "$1$") stays text.
    if (!value.empty()) position += value.size() - 1;
  }
}

} // namespace velmora
