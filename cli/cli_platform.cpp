#include "cli/cli_platform.h"

#include <filesystem>
#include <ostream>

#include "cli/cli_json.h"
#include "core/form/file_list.h"
#include "core/model/messages.h"
#include "core/tags/genres.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora::cli {

CliPlatform::CliPlatform(std::ostream& out, std::ostream& err)
    : out_(out), err_(err), controls_(kFormFieldCount), v2Genre_{kSpeechGenre, {}} {}

MessageAnswer CliPlatform::ShowMessage(const std::string& text, const std::string& caption,
                                       MessageIcon, MessageButtons buttons) {
  if (caption == messages::kError || caption == messages::kWarning) failureShown_ = true;
  ++messagesShown_;
  std::string shown = text;
  ReplaceAll(shown, "\r\n", "\n");
  err_ << caption << ": " << ValidUtf8(shown) << std::endl;
  return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

std::string CliPlatform::ControlText(FormField field) {
  return controls_[static_cast<std::size_t>(field)];
}

void CliPlatform::SetControlText(FormField field, const std::string& text) {
  controls_[static_cast<std::size_t>(field)] = text;
}

std::optional<std::string> CliPlatform::AskSaveTarget(const std::string& initialDir,
                                                      const std::string& proposedName) {
  std::filesystem::path target;
  if (saveTarget_) {
    target = *saveTarget_;
    // The dialog's default suffix.
    if (target.filename().string().find('.') == std::string::npos) target += ".mp3";
  } else {
    target = std::filesystem::path(initialDir) / proposedName;
  }
  return std::filesystem::absolute(target).string();
}

void CliPlatform::SetClipboardText(const std::string& text) {
  clipboard_ = text;
  out_ << ClipboardJson(text) << std::endl;
}

ClipboardText CliPlatform::ReadClipboardText() {
  ClipboardText result;
  result.status = clipboard_.empty() ? ClipboardText::Status::Empty : ClipboardText::Status::Ok;
  result.text = clipboard_;
  return result;
}

int CliPlatform::ChooseRecord(const std::vector<ResultRow>& rows, int /*preselected*/) {
  // Without a row the hits are the result, for a script to pick from in its next run.
  if (chosenRow_ < 0) {
    out_ << HitsJson(rows) << std::endl;
    choiceListed_ = true;
    return -1;
  }
  if (static_cast<std::size_t>(chosenRow_) < rows.size()) return chosenRow_;
  ShowMessage(messages::NoSuchRow(rows.size(), chosenRow_), messages::kError,
              MessageIcon::Exclamation, MessageButtons::Ok);
  return -1;
}

void CliPlatform::PostToWindowThread(std::function<void()> fn) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(fn));
  }
  postedSignal_.notify_all();
}

void CliPlatform::RunPostedUntil(const std::function<bool()>& done) {
  for (;;) {
    std::function<void()> fn;
    {
      std::unique_lock lock(postedMutex_);
      if (posted_.empty() && done()) return;
      postedSignal_.wait(lock, [this] { return !posted_.empty(); });
      fn = std::move(posted_.front());
      posted_.pop_front();
    }
    fn();
  }
}

std::vector<std::string> CliPlatform::ListedFiles() {
  std::vector<std::string> paths;
  for (const std::string& name : ScanInputDir(inputDir_))
    paths.push_back(inputDir_ + name);
  return paths;
}

} // namespace velmora::cli
