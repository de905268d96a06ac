#pragma once
// The main window's logic without a window: it owns the form and the members and carries every
// command. The Qt window, velmora-cli and the tests drive it through the same calls and supply
// the platform through WindowPlatform.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/form/play_parts.h"
#include "core/form/update_plan.h"
#include "core/form/update_steps.h"
#include "core/lookup/http_client.h"
#include "core/model/tag_form.h"
#include "core/model/window_members.h"
#include "core/model/window_platform.h"

namespace velmora {

class SearchDownload;

class VelmoraLogic {
public:
  VelmoraLogic(WindowPlatform& platform, std::shared_ptr<HttpClient> httpClient);
  ~VelmoraLogic();
  VelmoraLogic(const VelmoraLogic&) = delete;
  VelmoraLogic& operator=(const VelmoraLogic&) = delete;

  const TagForm& form() const { return form_; }
  const WindowMembers& members() const { return members_; }

  // --- start-up (the window calls these in the order of its start-up) ---
  // workDir and settingsPath from the start directory; keys 1 to 10; inputDir shown from them.
  void ReadFirstSettings(const std::string& startDir);
  // Keys 11 to 16; v2Url and v2EncodedBy take the two defaults.
  void ReadLaterSettings();
  // The input directory for this session only (native path), without writing it to the
  // settings: velmora-cli lists the folder of the file it was given.
  void UseInputDirectory(const std::string& dirPath);

  // --- data exchange ---
  // Takes the controls into the form in exchange order. Stops at the ID3v2 year when it holds
  // more than six characters (message, focus there; later fields keep their values): false then.
  bool TakeControls();
  // Shows the form in the controls.
  void ShowForm();

  // --- file list and loading ---
  // A click on the file list: path of the first selected entry, nullopt when none is selected.
  void LoadSelectedFile(const std::optional<std::string>& path);
  // "&Dir": a directory chosen in the folder browser (native path). Returns true when the list
  // must be scanned anew (always, when a directory was chosen).
  bool ChooseInputDirectory(const std::string& chosenPath);

  // --- commands of the form ---
  // True when the file was written.
  bool OnAktualisieren();
  // "Alle &Teile aktualisieren": every part of the loaded file's play in the list written as the
  // update writes one, after one confirmation; what happened to each part, in part order (empty
  // when nothing was attempted).
  std::vector<PartUpdate> OnAlleTeileAktualisieren();
  // True when the loaded file has a part designation and another part of its play is listed.
  bool PlayPartsAvailable();
  void OnCopyToId3v1();
  void OnClearMask();
  void OnFilename();

  // --- Hördat lookup ---
  void OnHoerdatSearch();
  void OnSpinnerTick();
  // The completion of a download, on the window's thread. Only an applied record changes the
  // form; no answer, an answer that is no Hördat answer, the database's messages and a cancelled
  // choice leave it and the controls as they are, with the message of the case.
  void OnDownloadFinished(HttpResult result);
  // The answer handling over an answer text (without the 47 blanks; they are appended here).
  void HandleSearchAnswer(const std::string& answer);
  bool SearchRunning() const;

  // --- clipboard import ---
  void ImportHoerdatPage();

  // True while an update copies the audio data; commands that would change its inputs are
  // refused meanwhile (the window disables them too).
  bool UpdateRunning() const { return updateRunning_; }

private:
  // Tests arrange the form and the members directly (tests/support/logic_access.h).
  friend struct VelmoraLogicTestAccess;

  // The ID3v2 values into the ID3v1 fields, as the copy button and the update do.
  void CopyToId3v1();
  void ClearId3v1Fields();
  void ClearRecordFields();
  // A "Fehler" box with the exclamation icon and an OK button; the text also goes to the status
  // line and is kept as the last failure.
  void ShowError(const std::string& text);
  // The update command's target step: proposes a name, asks for the target and records the
  // output directory. The plan of the write, nullopt when the user chose no target.
  std::optional<UpdatePlan> ChooseTarget(ComposedTag tag);
  // Writes tag, padding, audio and the ID3v1 record as planned (through the temporary file when
  // the target is the loaded file) and reports every failure; true when the file was written.
  [[nodiscard]] bool StoreTagsInFile(const UpdatePlan& plan);
  // The box of a failed write; its text also goes to the status line as the last failure.
  void ShowFailure(const WriteFailure& failure);
  struct PartJob;
  // The form, members and plan of each part; a part that cannot be planned carries its failure.
  std::vector<PartJob> PlanParts(const std::vector<PlayPart>& parts);
  // False, with the message, when two parts would be written to one file or one part over
  // another's source.
  bool PartTargetsAreDistinct(const std::vector<PartJob>& jobs);
  std::vector<PartUpdate> WriteParts(std::vector<PartJob>& jobs);
  // After the loaded file was rewritten without its other frames.
  void ForgetOtherFrames();
  // Handles a search answer that arrived while an update was running.
  void ReleaseHeldAnswer();

  WindowPlatform& platform_;
  std::shared_ptr<HttpClient> httpClient_;
  TagForm form_;
  WindowMembers members_;
  std::string previousTitle_;    // title taken from the name of the last loaded file
  std::size_t spinnerIndex_ = 0; // kept across searches
  bool updateRunning_ = false;
  std::string lastFailure_; // the text of the last "Fehler" box, for the update's status
  std::unique_ptr<SearchDownload> download_;
  // A search answer that arrived while an update was copying; handled when the update ends.
  std::optional<HttpResult> heldAnswer_;
};

} // namespace velmora
