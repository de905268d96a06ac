#include "core/form/page_import.h"

#include <new>

#include "core/form/apply_page.h"
#include "core/form/exchange.h"
#include "core/import/hoerdat_plays.h"
#include "core/lookup/result_rows.h"
#include "core/model/messages.h"
#include "core/text/encoding.h"
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

// The clipboard's text up to its first zero byte, as a web text (a page saved from Windows is
// read as Windows-1252); nullopt, with the message, when there is none.
std::optional<std::string> ReadClipboardPage(WindowPlatform& platform) {
  ClipboardText clipboard = platform.ReadClipboardText();
  if (clipboard.status == ClipboardText::Status::CannotOpen) {
    ShowError(platform, messages::ClipboardCannotOpen());
    return std::nullopt;
  }
  if (clipboard.status != ClipboardText::Status::Ok) {
    ShowError(platform, messages::ClipboardEmptyOrInvalid());
    return std::nullopt;
  }
  try {
    return WebText(
        Utf8OrCp1252(std::string_view(clipboard.text).substr(0, clipboard.text.find('\0'))));
  } catch (const std::bad_alloc&) {
    ShowError(platform, messages::OutOfMemory());
    return std::nullopt;
  }
}

// The play to apply: the only one, or the one chosen; nullopt when the choice was cancelled.
std::optional<std::size_t> ChoosePlay(const WindowState& state, WindowPlatform& platform,
                                      const std::vector<HoerdatPlay>& plays) {
  if (plays.size() == 1) return 0;
  std::vector<ResultRow> rows;
  rows.reserve(plays.size());
  for (const HoerdatPlay& play : plays)
    rows.push_back(RowOfPlay(play));
  const int row =
      platform.ChooseRecord(rows, RowOfPart(rows, ParseLeadingInt(state.members.partDesignation)));
  if (row < 0 || static_cast<std::size_t>(row) >= plays.size()) return std::nullopt;
  return static_cast<std::size_t>(row);
}

} // namespace

void ImportHoerdatPage(WindowState& state, WindowPlatform& platform) {
  // The update reads the form while it writes; the page waits until it is done.
  if (state.updateRunning) return;
  // What was typed into fields the page does not fill must survive it, as with a search; a
  // refused year leaves the rest as the form held it.
  TakeControls(state, platform);
  const auto page = ReadClipboardPage(platform);
  if (!page) return;
  // The fragments of the older page layout first, as before; then today's label layout.
  if (const HoerdatPageFields fields = ReadHoerdatPage(*page); HasAnyField(fields)) {
    ApplyHoerdatPage(fields, state.form, state.members);
    ShowForm(state, platform);
    return;
  }
  const std::vector<HoerdatPlay> plays = ReadClipboardPlays(*page, platform.ReadClipboardHtml());
  if (plays.empty()) {
    ShowError(platform, messages::NoHoerdatEntryOnClipboard());
    return;
  }
  const auto chosen = ChoosePlay(state, platform, plays);
  if (!chosen) return;
  ApplyHoerdatPage(plays[*chosen].fields, state.form, state.members);
  ShowForm(state, platform);
}

} // namespace velmora
