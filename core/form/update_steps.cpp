#include "core/form/update_steps.h"

#include "core/documents/output_documents.h"
#include "core/documents/templates.h"
#include "core/form/file_name_parts.h"
#include "core/io/block_clone.h"
#include "core/io/file_status.h"
#include "core/model/frame_fields.h"
#include "core/model/messages.h"
#include "core/tags/genres.h"
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

WriteFailure Error(std::string text) {
  return {std::move(text), messages::kError, MessageIcon::Exclamation, MessageButtons::Ok};
}

std::optional<WriteFailure> FailureOf(WriteOutcome outcome, const UpdatePlan& plan) {
  switch (outcome) {
  case WriteOutcome::Ok:
  case WriteOutcome::Aborted:
    return std::nullopt;
  case WriteOutcome::CannotCreateTarget:
    return WriteFailure{messages::CannotOpenTemporaryFile(), messages::kWarning,
                        MessageIcon::Exclamation, MessageButtons::YesNo};
  case WriteOutcome::CannotOpenSource:
    return Error(messages::CannotOpenFile(plan.sourcePath));
  case WriteOutcome::DamagedTag:
    return Error(messages::DamagedTag(plan.sourcePath));
  case WriteOutcome::WriteFailed:
    // In place the message names the temporary file's prefix beside the loaded file.
    return Error(messages::CannotWriteFile(plan.inPlace ? TemporaryPathFor(plan.sourcePath)
                                                        : plan.targetPath));
  case WriteOutcome::SourceChanged:
    return Error(messages::SourceChanged(plan.sourcePath));
  case WriteOutcome::Busy:
    return Error(messages::FileBusy(plan.sourcePath));
  case WriteOutcome::NotReplaced:
    return Error(messages::CannotReplaceFile(plan.targetPath));
  }
  return std::nullopt;
}

} // namespace

std::optional<ComposedTag> ComposeUpdateTag(const TagForm& form, const WindowMembers& members,
                                            const GenreSelection& genre,
                                            std::string_view otherFrames) {
  const Id3v2FrameTexts texts = ComposeFrameTexts(form, members, genre);
  // The syncsafe size field holds at most 2^28 - 1 bytes after the header: frames beyond it are
  // refused, a padding beyond it is cut.
  const std::string frames = ComposeId3v2Frames(texts, otherFrames);
  if (frames.size() > kMaxId3v2Size) return std::nullopt;
  long padding = FittingPadding(frames.size(), members.settings.paddingSize);
  // A little more padding lets the copy share the audio's blocks with the source.
  if (members.settings.shareAudio == 1)
    if (const auto block = FileSystemBlockSize(members.inputFilePath))
      padding =
          SharingPadding(frames.size(), members.settings.paddingSize, members.oldTagLength, *block);
  return ComposedTag{WithId3v2Header(frames, padding), padding};
}

Id3v1Record ComposeUpdateId3v1Record(const TagForm& form) {
  return ComposeId3v1Record(
      {form.v1Title, form.v1Artist, form.v1Album, form.v1Year, form.v1Comment, form.v1Track});
}

ProposedTarget ProposeTarget(const TagForm& form, const WindowMembers& members) {
  ProposedTarget proposed;
  if (auto expanded =
          ExpandFileNameTemplate(members.workDir, SnapshotTemplateFields(form, members),
                                 SystemTemplateClock(), members.settings.stationSeparator)) {
    proposed.fileNameTemplateText = std::move(*expanded);
    proposed.fileName = proposed.fileNameTemplateText + "." + members.inputFileExt;
  } else {
    // Without a template the loaded file's own name is proposed, with the file system's bytes,
    // and the documents are named after it as it is shown.
    proposed.fileName = members.inputFilePath.substr(members.inputFilePath.rfind('/') + 1);
    proposed.fileNameTemplateText = SafeFileName(
        WithoutControlCharacters(BaseNameWithoutExtension(ValidUtf8(proposed.fileName))));
  }
  return proposed;
}

std::optional<std::string> TargetNameTooLong(const std::string& targetPath) {
  const std::size_t nameBytes = targetPath.size() - (targetPath.rfind('/') + 1);
  if (nameBytes <= kMaxFileNameBytes) return std::nullopt;
  return messages::FileNameTooLong(nameBytes, kMaxFileNameBytes);
}

UpdatePlan PlanUpdate(const std::string& sourcePath, const std::string& targetPath, ComposedTag tag,
                      std::string fileNameTemplateText, std::uint64_t oldTagLength,
                      std::optional<Id3v1Record> id3v1) {
  UpdatePlan plan;
  plan.sourcePath = sourcePath;
  plan.targetPath = targetPath;
  plan.inPlace = IsSameFile(plan.targetPath, plan.sourcePath);
  plan.tag = std::move(tag.tag);
  plan.padding = tag.padding;
  plan.fileNameTemplateText = std::move(fileNameTemplateText);
  plan.oldTagLength = oldTagLength;
  plan.id3v1 = id3v1;
  return plan;
}

WriteResult WritePlannedFile(const UpdatePlan& plan, CopyProgress& progress) {
  const WrittenFile written = WriteTaggedFile(plan, progress);
  if (written.outcome != WriteOutcome::Ok) return {false, FailureOf(written.outcome, plan)};
  return {true, std::nullopt, written.tagArea};
}

} // namespace velmora
