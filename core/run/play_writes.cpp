#include "core/run/play_writes.h"

#include "core/form/file_loader.h"
#include "core/form/search_session.h"
#include "core/lookup/hoerdat_record.h"

namespace velmora {

namespace {

constexpr FormField kReviewedFields[] = {
    FormField::v2Title,      FormField::v2Artist,    FormField::v2Album,
    FormField::v2Year,       FormField::v2Comment,   FormField::v2Composer,
    FormField::v2OrigArtist, FormField::v2Copyright, FormField::v2Track,
};

std::string JoinedMessages(RunPlatform& platform) {
  std::string text;
  for (const std::string& message : platform.TakeMessages())
    text += (text.empty() ? "" : " ") + message;
  return text;
}

} // namespace

WindowState LoadedState(const WindowState& started, RunPlatform& platform, const std::string& path,
                        std::string& failure) {
  WindowState state = started;
  state.members.inputFilePath.clear();
  state.previousTitle.clear();
  platform.TakeMessages();
  LoadSelectedFile(state, platform, path);
  failure = state.members.inputFilePath.empty() ? JoinedMessages(platform) : std::string();
  platform.TakeMessages();
  return state;
}

PreparedPlay PreparePlay(const WindowState& started, RunPlatform& platform,
                         const std::string& folder, const Play& play, const PlayLookup& lookup,
                         RunTarget target) {
  PreparedPlay prepared;
  prepared.state =
      LoadedState(started, platform, folder + play.parts.front().path, prepared.failure);
  if (!prepared.failure.empty()) return prepared;
  WindowState& state = prepared.state;
  // A new command may choose the better writes outright: tag-only in place, and copies that
  // share the audio's blocks with the source where the file system can clone them.
  if (target == RunTarget::InPlace)
    state.members.settings.tagInPlace = 1;
  else
    state.members.settings.shareAudio = 1;
  platform.AnswerChoiceWith(lookup.chosen);
  ApplySearchAnswer(state, platform, PadAnswer(lookup.answer.value_or("")));
  platform.TakeMessages();

  const GenreSelection genre = platform.SelectedV2Genre();
  for (PlayPart part : play.parts) {
    part.path = folder + part.path;
    FileUpdate& file = prepared.files.emplace_back(PartFileUpdate(state, part));
    if (!file.failure.empty() || !ComposeFile(file, genre)) continue;
    PlanFile(file, target == RunTarget::InPlace
                       ? file.sourcePath()
                       : state.members.settings.outputDirPath + file.proposed.fileName);
  }
  return prepared;
}

std::vector<FieldChange> ChangedFields(const TagForm& before, const TagForm& after) {
  std::vector<FieldChange> changes;
  for (const FormField field : kReviewedFields)
    if (FieldOf(before, field) != FieldOf(after, field))
      changes.push_back({field, FieldOf(before, field), FieldOf(after, field)});
  return changes;
}

} // namespace velmora
