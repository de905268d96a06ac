#pragma once
// The window's logic as the window and velmora-cli call it: one state and the commands over it
// (core/form's command files), with the guards that every handler shares — nothing changes the
// update's inputs while it writes, and a search answer waits for its end.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/form/play_parts.h"
#include "core/form/search_session.h"
#include "core/form/window_state.h"
#include "core/lookup/http_client.h"
#include "core/model/window_platform.h"

namespace velmora {

class VelmoraLogic {
public:
  VelmoraLogic(WindowPlatform& platform, std::shared_ptr<HttpClient> httpClient);
  VelmoraLogic(const VelmoraLogic&) = delete;
  VelmoraLogic& operator=(const VelmoraLogic&) = delete;

  const TagForm& form() const { return state_.form; }
  const WindowMembers& members() const { return state_.members; }
  // What the window shows and remembers; tests arrange the state a case starts from here.
  WindowState& state() { return state_; }

  // --- start-up (the window calls these in the order of its start-up) ---
  void ReadFirstSettings(const std::string& startDir);
  void ReadLaterSettings();
  // The input directory for this session only (native path), without writing it to the
  // settings: velmora-cli lists the folder of the file it was given.
  void UseInputDirectory(const std::string& dirPath);

  // --- data exchange ---
  bool TakeControls();
  void ShowForm();

  // --- file list and loading ---
  // A click on the file list: path of the first selected entry, nullopt when none is selected.
  void LoadSelectedFile(const std::optional<std::string>& path);
  // "&Dir": true when the list must be scanned anew.
  bool ChooseInputDirectory(const std::string& chosenPath);

  // --- commands of the form ---
  // True when the file was written.
  bool OnAktualisieren();
  // What happened to each part, in part order (empty when nothing was attempted).
  std::vector<PartUpdate> OnAlleTeileAktualisieren();
  // True when the loaded file has a part designation and another part of its play is listed.
  bool PlayPartsAvailable();
  void OnCopyToId3v1();
  void OnClearMask();
  void OnFilename();

  // --- Hördat lookup ---
  void OnHoerdatSearch();
  void OnSpinnerTick();
  void OnDownloadFinished(HttpResult result);
  // The answer handling over an answer text (without the 47 blanks; they are appended here).
  void HandleSearchAnswer(const std::string& answer);
  bool SearchRunning() const;

  // --- clipboard import ---
  void ImportHoerdatPage();

  bool UpdateRunning() const { return state_.updateRunning; }

private:
  // Runs an update command after the controls were taken into a form with a file, with the
  // update's inputs guarded until it ends; a held search answer is handled afterwards.
  template <typename Result, typename Command> Result RunUpdate(Command command);

  WindowPlatform& platform_;
  WindowState state_;
  SearchSession search_;
};

} // namespace velmora
