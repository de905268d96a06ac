#pragma once
// The steps of an update that one file's update and the update of a play's parts share: the tag
// from a form, the proposed name, the plan, the checked write.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/form/update_plan.h"
#include "core/io/copy_progress.h"
#include "core/model/tag_form.h"
#include "core/model/window_members.h"
#include "core/model/window_platform.h"

namespace velmora {

// The ID3v2 tag of a form: the twelve frames, then the carried frames, then the padding.
struct ComposedTag {
  std::string tag; // without its padding
  long padding = 0;
};
// nullopt when the frames exceed what the tag's 28-bit size field can hold.
std::optional<ComposedTag> ComposeUpdateTag(const TagForm& form, const WindowMembers& members,
                                            const GenreSelection& genre,
                                            std::string_view otherFrames);

// The record the update puts at the end of the file.
Id3v1Record ComposeUpdateId3v1Record(const TagForm& form);

struct ProposedTarget {
  std::string fileNameTemplateText; // names the description file and the upload info
  std::string fileName;             // UTF-8 (a kept name: its own bytes), without directory
};
// The name the file-name template makes of the form, or without a template the loaded file's own
// name.
ProposedTarget ProposeTarget(const TagForm& form, const WindowMembers& members);

// The message for a target whose name is longer than a Linux file system takes, said as it is
// rather than as a temporary file that cannot be opened; nullopt for a name that fits.
std::optional<std::string> TargetNameTooLong(const std::string& targetPath);

// The plan of writing sourcePath's audio with a new tag into targetPath: through a temporary file
// beside the source when both name the same file.
UpdatePlan PlanUpdate(const std::string& sourcePath, const std::string& targetPath, ComposedTag tag,
                      std::string fileNameTemplateText, std::uint64_t oldTagLength,
                      std::optional<Id3v1Record> id3v1);

// A message box that reports why a write failed.
struct WriteFailure {
  std::string text;
  const char* caption = nullptr;
  MessageIcon icon = MessageIcon::Exclamation;
  MessageButtons buttons = MessageButtons::Ok;
};
struct WriteResult {
  bool written = false;
  // The box to show when not written; none when a quit request ended the copy (nobody is left to
  // read it).
  std::optional<WriteFailure> failure;
  std::uint64_t tagArea = 0; // the written file's tag with its padding
};
// Writes tag, padding, audio and the ID3v1 record as planned (see WriteTaggedFile). The source and
// an existing target are left as they were on every failure.
WriteResult WritePlannedFile(const UpdatePlan& plan, CopyProgress& progress);

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

} // namespace velmora
