// The Hördat answer parser and the applying of a record on arbitrary answers: every field found
// is trimmed and fits the work buffer, and applying in either mode never fails.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/form/apply_record.h"
#include "core/lookup/hoerdat_record.h"

using namespace velmora;

namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void CheckField(const std::optional<std::string>& field) {
  if (!field || field->empty()) return;
  if (field->size() > kMaxFieldBytes || IsWhiteSpace(field->front()) || IsWhiteSpace(field->back()))
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string answer = PadAnswer(std::string(reinterpret_cast<const char*>(data), size));
  const int count = CountRecords(answer);
  for (int k = 0; k < count && k < 12; ++k) {
    const auto start = FindRecordStart(answer, k);
    if (!start) break;
    const HoerdatRecord record = ParseHoerdatRecord(std::string_view(answer).substr(*start));
    for (const auto* field : {&record.titel1, &record.autor, &record.produktion, &record.jahr,
                              &record.laenge, &record.hspTyp, &record.genre, &record.regie,
                              &record.bearbeitung, &record.inhaltsangabe, &record.mitwirkende})
      CheckField(*field);
  }
  for (const int mode : {0, 1}) {
    TagForm form;
    WindowMembers members;
    members.settings.wafranyoflMode = mode;
    members.partDesignation = "2v3";
    (void)ApplyRecord(answer, form, members);
    if (mode == 1 && form.v2Comment.size() < 30) std::abort(); // the first line is 30 wide
  }
  return 0;
}
