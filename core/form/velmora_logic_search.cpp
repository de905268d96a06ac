// The Hördat search of the window: the search button, the spinner, the completion of the
// download and the handling of the answer.
#include <array>
#include <string_view>

#include "core/form/apply_record.h"
#include "core/form/velmora_logic.h"
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

} // namespace

void VelmoraLogic::OnHoerdatSearch() {
  // One download at a time, and none while an update copies from the form: a press then is
  // ignored and the form stays untouched.
  if (SearchRunning() || updateRunning_) return;
  // The result does not matter: a refused year leaves the mask as the form held it.
  TakeControls();
  const SearchMask mask =
      CleanSearchMask({form_.maskAuthor, form_.maskTitle, form_.maskStation, form_.maskYear});
  // The cleaned values stay in the form.
  form_.maskAuthor = mask.author;
  form_.maskTitle = mask.title;
  form_.maskStation = mask.station;
  form_.maskYear = mask.year;
  if (SearchMaskEmpty(mask)) {
    platform_.ShowMessage(messages::AllSearchFieldsEmpty(), messages::kError, MessageIcon::None,
                          MessageButtons::Ok);
    return;
  }
  const bool started =
      download_->Start(BuildQueryAddress(members_.settings, mask),
                       [this](HttpResult result) { OnDownloadFinished(std::move(result)); });
  if (started) platform_.StartSpinnerTimer();
}

void VelmoraLogic::OnSpinnerTick() {
  // The index never passes the empty slot that ends the table.
  if (kSpinnerTable[spinnerIndex_].empty()) spinnerIndex_ = 0;
  platform_.SetSpinnerText(std::string(kSpinnerTable[spinnerIndex_]));
  ++spinnerIndex_;
}

void VelmoraLogic::OnDownloadFinished(HttpResult result) {
  // The update is copying the audio data from the form's values; the answer waits until it ends.
  if (updateRunning_) {
    heldAnswer_ = std::move(result);
    return;
  }
  platform_.StopSpinnerTimer();
  platform_.SetSpinnerText(std::string(kSpinnerIdle));
  // Without a record nothing of the form changes: what the user typed meanwhile stays.
  const auto tell = [this](const std::string& text) {
    platform_.ShowMessage(text, messages::kVelmora, MessageIcon::None, MessageButtons::Ok);
  };
  if (!result.connected) {
    tell(result.failure == HttpFailure::Init
             ? messages::SocketInitFailed()
             : messages::NoAnswerFrom(result.address, result.failure));
    return;
  }
  if (!IsHoerdatAnswer(PadAnswer(result.body))) {
    tell(messages::NotAnAnswerFrom(result.address, result.status));
    return;
  }
  HandleSearchAnswer(result.body);
}

void VelmoraLogic::HandleSearchAnswer(const std::string& answer) {
  const std::string text = PadAnswer(answer);
  const std::string_view view = text;

  // The database's own messages change nothing in the form.
  const auto showDatabaseMessage = [this](std::string message) {
    TrimText(message);
    platform_.ShowMessage(message, messages::kVelmora, MessageIcon::None, MessageButtons::Ok);
  };

  if (IsNoRecordAnswer(view)) {
    showDatabaseMessage(text);
    return;
  }

  std::size_t recordStart = 0;
  const int count = CountRecords(view);
  if (count >= 2 && count <= 10) {
    const std::vector<ResultRow> rows = BuildResultRows(view);
    const int chosen =
        platform_.ChooseRecord(rows, RowOfPart(rows, ParseLeadingInt(members_.partDesignation)));
    if (chosen < 0 || chosen >= count) return;
    const auto start = FindRecordStart(view, chosen);
    // A row without its own record (more "$end$" than "$titel1$") applies nothing.
    if (!start) return;
    ClearId3v1Fields();
    ClearRecordFields();
    ShowForm();
    recordStart = *start;
  }

  if (IsTooManyAnswer(view)) {
    showDatabaseMessage(text.substr(recordStart));
    return;
  }
  if (!FindRecordStart(view, 0)) return; // no record to apply

  if (ApplyRecord(view.substr(recordStart), form_, members_)) CopyToId3v1();
  ShowForm();
}

bool VelmoraLogic::SearchRunning() const {
  return download_ && download_->Running();
}

} // namespace velmora
