#include "core/run/run_platform.h"

#include <utility>

#include "core/tags/genres.h"

namespace velmora {

RunPlatform::RunPlatform(std::function<void(int)> copyPercent)
    : copyPercent_(std::move(copyPercent)), controls_(kFormFieldCount) {}

std::vector<std::string> RunPlatform::TakeMessages() {
  return std::exchange(messages_, {});
}

MessageAnswer RunPlatform::ShowMessage(const std::string& text, const std::string&, MessageIcon,
                                       MessageButtons buttons) {
  messages_.push_back(text);
  return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

std::string RunPlatform::ControlText(FormField field) {
  return controls_[static_cast<std::size_t>(field)];
}

void RunPlatform::SetControlText(FormField field, const std::string& text) {
  controls_[static_cast<std::size_t>(field)] = text;
}

// The genre the window's list starts with.
GenreSelection RunPlatform::SelectedV2Genre() {
  return {kSpeechGenre, {}};
}

void RunPlatform::SetProgress(int percent) {
  if (copyPercent_) copyPercent_(percent);
}

} // namespace velmora
