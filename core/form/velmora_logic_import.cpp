// The import of a Hördat web page that the user copied to the clipboard.
#include <new>

#include "core/form/apply_page.h"
#include "core/form/velmora_logic.h"
#include "core/import/hoerdat_plays.h"
#include "core/lookup/result_rows.h"
#include "core/model/messages.h"
#include "core/text/string_helpers.h"

namespace velmora {

namespace {

ResultRow RowOfPlay(const HoerdatPlay& play) {
  const HoerdatPageFields& fields = play.fields;
  ResultRow row;
  row.author = fields.author.value_or("");
  row.title = fields.title.value_or("");
  if (fields.production) {
    row.station = fields.production->station;
    row.year = fields.production->year;
  }
  row.secondTitle = play.secondTitle;
  row.broadcast = play.broadcast;
  row.length = fields.length.value_or("");
  row.kind = fields.kind.value_or("");
  row.genre = fields.genre.value_or("");
  row.director = fields.director.value_or("");
  row.synopsis = fields.synopsis.value_or("");
  row.cast = fields.cast.value_or("");
  return row;
}

} // namespace

void VelmoraLogic::ImportHoerdatPage() {
  // The update reads the form while it copies; the page waits until it is done.
  if (updateRunning_) return;
  ClipboardText clipboard = platform_.ReadClipboardText();
  if (clipboard.status == ClipboardText::Status::CannotOpen) {
    ShowError(messages::ClipboardCannotOpen());
    return;
  }
  if (clipboard.status != ClipboardText::Status::Ok) {
    ShowError(messages::ClipboardEmptyOrInvalid());
    return;
  }
  std::string page;
  try {
    // The clipboard's text ends at its first zero byte.
    page.assign(clipboard.text, 0, clipboard.text.find('\0'));
  } catch (const std::bad_alloc&) {
    ShowError(messages::OutOfMemory());
    return;
  }
  // The fragments of the older page layout first, as before; then today's label layout.
  if (const HoerdatPageFields fields = ReadHoerdatPage(page); HasAnyField(fields)) {
    ApplyHoerdatPage(fields, form_, members_);
    ShowForm();
    return;
  }
  const std::vector<HoerdatPlay> plays = ReadClipboardPlays(page, platform_.ReadClipboardHtml());
  if (plays.empty()) {
    ShowError(messages::NoHoerdatEntryOnClipboard());
    return;
  }
  std::size_t chosen = 0;
  if (plays.size() > 1) {
    std::vector<ResultRow> rows;
    rows.reserve(plays.size());
    for (const HoerdatPlay& play : plays)
      rows.push_back(RowOfPlay(play));
    const int row =
        platform_.ChooseRecord(rows, RowOfPart(rows, ParseLeadingInt(members_.partDesignation)));
    if (row < 0 || static_cast<std::size_t>(row) >= plays.size()) return;
    chosen = static_cast<std::size_t>(row);
  }
  ApplyHoerdatPage(plays[chosen].fields, form_, members_);
  ShowForm();
}

} // namespace velmora
