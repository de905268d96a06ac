#include "core/run/run_choice.h"

#include <algorithm>

#include "core/lookup/hoerdat_record.h"
#include "core/lookup/result_rows.h"
#include "core/model/messages.h"
#include "core/text/string_helpers.h"

namespace velmora {

namespace {

// The most records the choice shows (more are the database's "too many").
constexpr int kMostRows = 10;

bool NameOnePlay(const std::vector<ResultRow>& rows) {
  return std::all_of(rows.begin(), rows.end(), [&](const ResultRow& row) {
    return row.title == rows[0].title && row.author == rows[0].author &&
           row.station == rows[0].station && row.year == rows[0].year;
  });
}

// Why there is no answer to choose from, as the search button would say it.
std::string FailureOf(const HttpResult& result) {
  if (!result.connected)
    return result.failure == HttpFailure::Init
               ? messages::SocketInitFailed()
               : messages::NoAnswerFrom(result.address, result.failure);
  return messages::NotAnAnswerFrom(result.address, result.status);
}

} // namespace

void DecideChoice(PlayLookup& lookup, const HttpResult& result, int firstPart) {
  lookup.answer.reset();
  lookup.hits = 0;
  lookup.chosen = -1;
  lookup.skipped = false;
  const std::string padded = PadAnswer(result.body);
  if (!result.connected || !IsHoerdatAnswer(padded)) {
    lookup.why = FailureOf(result);
    return;
  }
  lookup.answer = result.body;
  if (IsNoRecordAnswer(padded) || IsTooManyAnswer(padded)) {
    std::string message = padded;
    TrimText(message);
    lookup.why = IsNoRecordAnswer(padded) ? messages::RunNoHit() : message;
    return;
  }
  lookup.hits = CountRecords(padded);
  const std::vector<ResultRow> rows = BuildResultRows(padded);
  if (lookup.hits == 1) {
    lookup.chosen = 0;
    lookup.why = messages::RunOneHit();
  } else if (lookup.hits <= kMostRows && NameOnePlay(rows)) {
    lookup.chosen = std::max(RowOfPart(rows, firstPart), 0);
    lookup.why = messages::RunOnePlayInParts(lookup.hits);
  } else {
    lookup.why = messages::RunSeveralPlays(lookup.hits);
  }
}

std::string ChooseRow(PlayLookup& lookup, std::optional<int> row) {
  if (!row) {
    lookup.chosen = -1;
    lookup.skipped = true;
    lookup.why = messages::RunSkipped();
    return {};
  }
  if (lookup.hits == 0) return messages::RunNoHit();
  if (lookup.hits > kMostRows) return messages::RunTooManyToChoose(lookup.hits);
  if (*row < 0 || *row >= lookup.hits)
    return messages::NoSuchRow(static_cast<std::size_t>(lookup.hits), *row);
  lookup.chosen = *row;
  lookup.skipped = false;
  lookup.why = messages::RunChosenByUser();
  return {};
}

} // namespace velmora
