#include "core/form/search_session.h"

#include <array>

#include "core/form/apply_record.h"
#include "core/form/exchange.h"
#include "core/form/form_values.h"
#include "core/lookup/hoerdat_record.h"
#include "core/lookup/query.h"
#include "core/lookup/result_rows.h"
#include "core/lookup/search_download.h"
#include "core/model/messages.h"
#include "core/text/string_helpers.h"

namespace velmora {

namespace {

// The spinner texts in order; the empty slot ends the table.
constexpr std::array<std::string_view, 5> kSpinnerTable = {" |", "/", "---", "\\", ""};
constexpr std::string_view kSpinnerIdle = "        ";

void Tell(WindowPlatform& platform, const std::string& text) {
  platform.ShowMessage(text, messages::kVelmora, MessageIcon::None, MessageButtons::Ok);
}

// The database's own messages change nothing in the form.
void ShowDatabaseMessage(WindowPlatform& platform, std::string_view answer) {
  std::string message(answer);
  TrimText(message);
  Tell(platform, message);
}

// The record the user chose among several; nullopt when cancelled or the row has no record of
// its own (more "$end$" than "$titel1$").
std::optional<std::size_t> ChooseAmongRecords(const WindowState& state, WindowPlatform& platform,
                                              std::string_view answer, int count) {
  const std::vector<ResultRow> rows = BuildResultRows(answer);
  const int chosen =
      platform.ChooseRecord(rows, RowOfPart(rows, ParseLeadingInt(state.members.partDesignation)));
  if (chosen < 0 || chosen >= count) return std::nullopt;
  return FindRecordStart(answer, chosen);
}

} // namespace

SearchSession::SearchSession(std::shared_ptr<HttpClient> httpClient, WindowThreadExecutor& executor,
                             std::function<void(HttpResult)> onFinished)
    : download_(std::make_unique<SearchDownload>(std::move(httpClient), executor)),
      onFinished_(std::move(onFinished)) {}

// Defined here, where SearchDownload is complete.
SearchSession::~SearchSession() = default;

void SearchSession::Start(WindowState& state, WindowPlatform& platform) {
  // One download at a time, and none while an update writes from the form: a press then is
  // ignored and the form stays untouched.
  if (Running() || state.updateRunning) return;
  // The result does not matter: a refused year leaves the mask as the form held it.
  TakeControls(state, platform);
  TagForm& form = state.form;
  const SearchMask mask =
      CleanSearchMask({form.maskAuthor, form.maskTitle, form.maskStation, form.maskYear});
  // The cleaned values stay in the form.
  form.maskAuthor = mask.author;
  form.maskTitle = mask.title;
  form.maskStation = mask.station;
  form.maskYear = mask.year;
  if (SearchMaskEmpty(mask)) {
    platform.ShowMessage(messages::AllSearchFieldsEmpty(), messages::kError, MessageIcon::None,
                         MessageButtons::Ok);
    return;
  }
  if (download_->Start(BuildQueryAddress(state.members.settings, mask), onFinished_))
    platform.StartSpinnerTimer();
}

void SearchSession::OnSpinnerTick(WindowPlatform& platform) {
  // The index never passes the empty slot that ends the table.
  if (kSpinnerTable[spinnerIndex_].empty()) spinnerIndex_ = 0;
  platform.SetSpinnerText(std::string(kSpinnerTable[spinnerIndex_]));
  ++spinnerIndex_;
}

void SearchSession::Finish(WindowState& state, WindowPlatform& platform, HttpResult result) {
  if (state.updateRunning) {
    heldAnswer_ = std::move(result);
    return;
  }
  platform.StopSpinnerTimer();
  platform.SetSpinnerText(std::string(kSpinnerIdle));
  // Without a record nothing of the form changes: what the user typed meanwhile stays.
  if (!result.connected) {
    Tell(platform, result.failure == HttpFailure::Init
                       ? messages::SocketInitFailed()
                       : messages::NoAnswerFrom(result.address, result.failure));
    return;
  }
  const std::string answer = PadAnswer(result.body);
  if (!IsHoerdatAnswer(answer)) {
    Tell(platform, messages::NotAnAnswerFrom(result.address, result.status));
    return;
  }
  ApplySearchAnswer(state, platform, answer);
}

void SearchSession::ReleaseHeldAnswer(WindowState& state, WindowPlatform& platform) {
  if (!heldAnswer_) return;
  HttpResult held = std::move(*heldAnswer_);
  heldAnswer_.reset();
  Finish(state, platform, std::move(held));
}

bool SearchSession::Running() const {
  return download_->Running();
}

void ApplySearchAnswer(WindowState& state, WindowPlatform& platform, std::string_view answer) {
  if (IsNoRecordAnswer(answer)) {
    ShowDatabaseMessage(platform, answer);
    return;
  }
  std::size_t recordStart = 0;
  const int count = CountRecords(answer);
  if (count >= 2 && count <= 10) {
    const auto start = ChooseAmongRecords(state, platform, answer, count);
    if (!start) return;
    ClearId3v1Fields(state.form);
    ClearRecordFields(state.form, state.members);
    ShowForm(state, platform);
    recordStart = *start;
  }
  if (IsTooManyAnswer(answer)) {
    ShowDatabaseMessage(platform, answer.substr(recordStart));
    return;
  }
  if (!FindRecordStart(answer, 0)) return; // no record to apply
  if (ApplyRecord(answer.substr(recordStart), state.form, state.members))
    CopyV2IntoV1(state.form, state.members);
  ShowForm(state, platform);
}

} // namespace velmora
