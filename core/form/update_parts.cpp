// "Alle &Teile aktualisieren": the parts of the loaded play through the update pipeline, each
// with its own part designation, part number, audio and proposed name in the output folder,
// after one confirmation.
#include "core/form/exchange.h"
#include "core/form/form_values.h"
#include "core/form/update_commands.h"
#include "core/form/update_pipeline.h"
#include "core/io/file_status.h"
#include "core/model/messages.h"

namespace velmora {

namespace {

bool SamePath(const std::string& a, const std::string& b) {
  return a == b || IsSameFile(a, b);
}

// Each part composed and planned into the output folder; a part that cannot be carries its
// failure.
std::vector<FileUpdate> PlanParts(const WindowState& state, WindowPlatform& platform,
                                  const std::vector<PlayPart>& parts) {
  const GenreSelection genre = platform.SelectedV2Genre();
  std::vector<FileUpdate> files;
  for (const PlayPart& part : parts) {
    FileUpdate& file = files.emplace_back(PartFileUpdate(state, part));
    if (file.failure.empty() && ComposeFile(file, genre))
      PlanFile(file, state.members.settings.outputDirPath + file.proposed.fileName);
  }
  return files;
}

// False, with the message, when two parts would be written to one file or one part over
// another's source.
bool PartTargetsAreDistinct(WindowPlatform& platform, const std::vector<FileUpdate>& files) {
  for (std::size_t a = 0; a < files.size(); ++a) {
    if (!files[a].plan) continue;
    const std::string& target = files[a].plan->targetPath;
    for (std::size_t b = 0; b < files.size(); ++b) {
      if (a == b) continue;
      if (b > a && files[b].plan && SamePath(target, files[b].plan->targetPath)) {
        ShowError(platform, messages::PartsShareTarget(target));
        return false;
      }
      // Written first, it would replace the other part's audio before that is read.
      if (SamePath(target, files[b].sourcePath())) {
        ShowError(platform, messages::PartTargetIsOtherSource(target));
        return false;
      }
    }
  }
  return true;
}

bool ConfirmParts(WindowPlatform& platform, const Play& play,
                  const std::vector<FileUpdate>& files) {
  PartsConfirmation confirmation{{}, play.partCount, play.missing, play.strays};
  for (const FileUpdate& file : files)
    if (file.plan)
      confirmation.parts.push_back({file.partNumber, file.sourcePath(), file.plan->targetPath,
                                    FileExists(file.plan->targetPath)});
  return confirmation.parts.empty() || platform.ConfirmParts(confirmation);
}

// The loaded file's play with at least one other part; otherwise nullopt, and the box says why.
std::optional<Play> PlayToUpdate(const WindowState& state, WindowPlatform& platform) {
  const std::string& loaded = state.members.inputFilePath;
  std::optional<Play> play =
      FindPlayOf(loaded, platform.ListedFiles(), state.members.settings.stationSeparator);
  if (play)
    for (const StrayFile& stray : play->strays)
      if (stray.path == loaded) {
        ShowError(platform, stray.why);
        return std::nullopt;
      }
  if (!play || play->parts.size() < 2) {
    ShowError(platform, messages::NoOtherParts());
    return std::nullopt;
  }
  return play;
}

std::vector<PartUpdate> ResultsOf(const std::vector<FileUpdate>& files) {
  std::vector<PartUpdate> results;
  results.reserve(files.size());
  for (const FileUpdate& file : files)
    results.push_back({file.partNumber, file.sourcePath(),
                       file.plan ? file.plan->targetPath : std::string(), file.written});
  return results;
}

// One summary box and the status line name what was written and why a part was not.
void ShowSummary(WindowPlatform& platform, const std::vector<FileUpdate>& files) {
  std::vector<std::string> failedParts;
  std::size_t writtenCount = 0;
  for (const FileUpdate& file : files) {
    if (file.written) ++writtenCount;
    const std::string* why = !file.plan          ? &file.failure
                             : file.writeFailure ? &file.writeFailure->text
                                                 : nullptr;
    if (why) failedParts.push_back(messages::FailedPart(file.partNumber, file.sourcePath(), *why));
    if (file.descriptionFailed)
      failedParts.push_back(
          messages::FailedPart(file.partNumber, file.sourcePath(),
                               messages::DescriptionNotWritten(*file.descriptionFailed)));
  }
  const std::string summary = messages::PartsWritten(writtenCount, files.size(), failedParts);
  if (failedParts.empty())
    platform.ShowMessage(summary, messages::kVelmora, MessageIcon::Information, MessageButtons::Ok);
  else
    ShowError(platform, summary);
  platform.ShowStatus(messages::PartsWrittenStatus(writtenCount, files.size()));
}

} // namespace

std::vector<PartUpdate> UpdateAllParts(WindowState& state, WindowPlatform& platform) {
  const std::optional<Play> play = PlayToUpdate(state, platform);
  if (!play) return {};
  std::vector<FileUpdate> files = PlanParts(state, platform, play->parts);
  if (!PartTargetsAreDistinct(platform, files) || !ConfirmParts(platform, *play, files)) return {};
  const bool finished = WriteFiles(state, platform, files);
  std::vector<PartUpdate> results = ResultsOf(files);
  if (!finished) return results; // the application is quitting; nobody is left to read a box

  // The loaded part's ID3v1 fields as its update would leave them.
  if (state.members.settings.autoId3v1Copy != 0) CopyV2IntoV1(state.form, state.members);
  ReportWrittenFiles(state, platform, files);
  ShowSummary(platform, files);
  ShowForm(state, platform);
  return results;
}

} // namespace velmora
