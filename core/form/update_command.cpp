// "&Aktualisieren": compose the tags from the form, choose the target, write the tagged file,
// then the description file and the upload info.
#include <algorithm>
#include <cstdio>

#include "core/documents/output_documents.h"
#include "core/documents/templates.h"
#include "core/form/file_name_parts.h"
#include "core/form/velmora_logic.h"
#include "core/io/atomic_replace.h"
#include "core/model/messages.h"
#include "core/settings/settings_file.h"
#include "core/tags/genres.h"
#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"
#include "core/tags/tagged_file_writer.h"
#include "core/text/encoding.h"

namespace velmora {

namespace {

// What a file name may hold on Linux file systems (NAME_MAX), in bytes of UTF-8.
constexpr std::size_t kMaxFileNameBytes = 255;

// The TCON text: the selected entry's genre, or what was typed into the list's edit field when
// it matches no entry; an empty edit field falls back to Speech.
std::string TconText(const GenreSelection& genre) {
  if (genre.number) return FormatTconText(*genre.number);
  if (!genre.typedText.empty()) return genre.typedText;
  return FormatTconText(kSpeechGenre);
}

Id3v2FrameTexts ComposeFrameTexts(const TagForm& form, const WindowMembers& members,
                                  const GenreSelection& genre) {
  Id3v2FrameTexts texts;
  for (std::size_t i = 0; i < kFrameFields.size(); ++i) {
    const FrameField& frame = kFrameFields[i];
    switch (frame.source) {
    case FrameSource::Field:
      texts[i] = FieldOf(form, *frame.field);
      break;
    case FrameSource::RecordAuthor:
      texts[i] = members.recAutor;
      break;
    case FrameSource::Genre:
      texts[i] = TconText(genre);
      break;
    }
  }
  return texts;
}

Id3v1Fields Id3v1FieldsOf(const TagForm& form) {
  return {form.v1Title, form.v1Artist, form.v1Album, form.v1Year, form.v1Comment, form.v1Track};
}

// Sets a flag for the lifetime of the scope, also when an exception leaves it.
class FlagScope {
public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

private:
  bool& flag_;
};

} // namespace

std::optional<UpdatePlan> VelmoraLogic::ChooseTarget(std::string tag, long padding) {
  UpdatePlan plan;
  std::string proposedName;
  if (auto expanded =
          ExpandFileNameTemplate(members_.workDir, SnapshotTemplateFields(form_, members_),
                                 SystemTemplateClock(), members_.stationSeparator)) {
    plan.fileNameTemplateText = std::move(*expanded);
    proposedName = plan.fileNameTemplateText + "." + members_.inputFileExt;
  } else {
    // Without a template the loaded file's own name is proposed, and the documents are named
    // after it.
    proposedName =
        Utf8ToCp1252(members_.inputFilePath.substr(members_.inputFilePath.rfind('/') + 1));
    plan.fileNameTemplateText =
        SafeFileName(WithoutControlCharacters(BaseNameWithoutExtension(proposedName)));
  }

  const auto target = platform_.AskSaveTarget(members_.outputDirPath, Cp1252ToUtf8(proposedName));
  if (!target || target->empty()) return std::nullopt;
  // Said as it is, rather than as a temporary file that cannot be opened.
  const std::string targetName = target->substr(target->rfind('/') + 1);
  if (targetName.size() > kMaxFileNameBytes) {
    ShowError(messages::FileNameTooLong(targetName.size(), kMaxFileNameBytes));
    return std::nullopt;
  }

  const auto slash = target->rfind('/');
  members_.outputDirPath =
      slash == std::string::npos ? std::string() : target->substr(0, slash + 1);
  WriteProfileString("Directories", "OutputDir", members_.outputDirPath, members_.settingsPath);

  plan.sourcePath = members_.inputFilePath;
  plan.targetPath = *target;
  plan.inPlace = IsSameFile(plan.targetPath, plan.sourcePath);
  plan.writePath = plan.inPlace ? TemporaryPathFor(plan.sourcePath) : plan.targetPath;
  plan.tag = std::move(tag);
  plan.padding = padding;
  return plan;
}

bool VelmoraLogic::StoreTagsInFile(const UpdatePlan& plan) {
  // In place, the data go into a temporary file of this update's own beside the loaded file.
  std::string writePath = plan.writePath;
  WriteOutcome outcome = WriteOutcome::CannotCreateTarget;
  if (!plan.inPlace) {
    outcome = WriteTaggedFile(writePath, plan.sourcePath, members_.oldTagLength, plan.tag,
                              plan.padding, platform_);
  } else if (auto temporary = CreateExclusiveFile(plan.writePath)) {
    writePath = temporary->path;
    outcome = WriteTaggedTemporary(std::move(temporary->fd), writePath, plan.sourcePath,
                                   members_.oldTagLength, plan.tag, plan.padding, platform_);
  }
  switch (outcome) {
  case WriteOutcome::Ok:
  case WriteOutcome::Aborted: // the application is quitting; nobody is left to read a box
    break;
  case WriteOutcome::CannotCreateTarget:
    platform_.ShowMessage(messages::CannotOpenTemporaryFile(), messages::kWarning,
                          MessageIcon::Exclamation, MessageButtons::YesNo);
    break;
  case WriteOutcome::CannotOpenSource:
    ShowError(messages::CannotOpenFile(plan.sourcePath));
    break;
  case WriteOutcome::DamagedTag:
    ShowError(messages::DamagedTag(plan.sourcePath));
    break;
  case WriteOutcome::WriteFailed:
    ShowError(messages::CannotWriteFile(writePath));
    break;
  case WriteOutcome::SourceChanged:
    ShowError(messages::SourceChanged(plan.sourcePath));
    break;
  }
  bool ok = outcome == WriteOutcome::Ok;

  if (members_.autoId3v1Copy != 0) CopyToId3v1();
  const Id3v1Record id3v1Record = ComposeId3v1Record(Id3v1FieldsOf(form_));

  // After a failed tagged write there is no complete file to put the record on.
  if (ok && members_.autoId3v1Tagging != 0) {
    const int result = WriteId3v1Record(writePath, id3v1Record);
    if (result == -1) {
      platform_.ShowMessage(messages::CannotOpenForId3v1(), messages::kError,
                            MessageIcon::Exclamation, MessageButtons::YesNo);
    } else if (result != 0) {
      ShowError(messages::CannotWriteFile(writePath));
    }
    ok = result == 0;
    // A temporary file without its record must not stay beside the loaded file.
    if (!ok && plan.inPlace) std::remove(writePath.c_str());
  }

  if (plan.inPlace && ok) {
    ok = ReplaceWithTemporary(writePath, plan.sourcePath);
    if (ok) {
      members_.oldTagLength = plan.tag.size() + static_cast<std::uint64_t>(plan.padding);
    } else {
      ShowError(messages::CannotReplaceFile(plan.sourcePath));
    }
  }
  return ok;
}

bool VelmoraLogic::OnAktualisieren() {
  if (updateRunning_) return false;
  if (!TakeControls()) return false;
  if (form_.inputFile.empty()) {
    ShowError(messages::NoFileSelected());
    return false;
  }
  bool written = false;
  {
    // From here to the end the loaded file, its tag length and the form are the update's
    // inputs: the save dialog, the message boxes and the copy let other handlers run, and
    // those that would change the inputs are refused or held until the scope ends.
    FlagScope running(updateRunning_);
    written = [&] {
      const bool keepOtherFrames = members_.keepOtherFrames == 1;
      const Id3v2FrameTexts texts = ComposeFrameTexts(form_, members_, platform_.SelectedV2Genre());
      const std::string_view otherFrames =
          keepOtherFrames ? std::string_view(members_.otherFrames) : std::string_view();
      // The syncsafe size field holds at most 2^28 - 1 bytes after the header: frames beyond
      // it are refused, a padding beyond it is cut.
      const std::size_t framesLength = ComposeId3v2Tag(texts, 0, otherFrames).size() - 10;
      if (framesLength > kMaxId3v2Size) {
        ShowError(messages::TagTooLarge());
        return false;
      }
      const long padding = FittingPadding(framesLength, members_.paddingSize);
      const auto plan = ChooseTarget(ComposeId3v2Tag(texts, padding, otherFrames), padding);
      if (!plan) return false;

      // A description and an upload line about a file that was not written would report a
      // failure as success.
      lastFailure_.clear();
      if (!StoreTagsInFile(*plan)) {
        platform_.ShowStatus(messages::NotUpdatedStatus(plan->targetPath, lastFailure_));
        ShowForm();
        return false;
      }
      if (keepOtherFrames && !members_.framesLeftOut.empty())
        platform_.ShowMessage(messages::FramesLeftOut(members_.framesLeftOut), messages::kVelmora,
                              MessageIcon::Information, MessageButtons::Ok);
      // The loaded file itself now holds only what was written.
      if (plan->inPlace && !keepOtherFrames) ForgetOtherFrames();
      std::optional<std::string> description;
      if (members_.genTxtFile != 0)
        description = WriteDescriptionFile(
            members_.workDir, members_.outputDirPath, plan->fileNameTemplateText,
            SnapshotTemplateFields(form_, members_), SystemTemplateClock());
      if (members_.uploadInfo != 0)
        platform_.SetClipboardText(UploadInfoText(plan->fileNameTemplateText));
      platform_.ShowStatus(
          messages::UpdatedStatus(plan->targetPath, description, members_.uploadInfo != 0));
      ShowForm();
      return true;
    }();
  }
  ReleaseHeldAnswer();
  return written;
}

void VelmoraLogic::ForgetOtherFrames() {
  members_.otherFrames.clear();
  members_.framesLeftOut.clear();
  members_.pictures.clear();
  platform_.ShowCoverPicture(nullptr);
}

void VelmoraLogic::ReleaseHeldAnswer() {
  if (!heldAnswer_) return;
  HttpResult held = std::move(*heldAnswer_);
  heldAnswer_.reset();
  OnDownloadFinished(std::move(held));
}

} // namespace velmora
