// "Alle Teile aktualisieren" on the three parts of one play against three `cp` of the same files,
// side by side in one run: the command does no more work than the copies it replaces.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "bench_files.h"
#include "core/form/velmora_logic.h"

namespace velmora::bench {
namespace {

std::uint64_t PartBytes() {
  const char* mib = std::getenv("VELMORA_BENCH_PART_MIB");
  return (mib ? std::strtoull(mib, nullptr, 10) : 100) * kMiB;
}

// The window without a window: controls in memory, every confirmation answered with OK.
class BenchPlatform : public WindowPlatform {
public:
  std::vector<std::string> listed;

  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                            MessageButtons) override {
    if (caption == "Fehler" || caption == "Warnung") failure = text;
    return MessageAnswer::Ok;
  }
  std::string ControlText(FormField field) override { return controls[field]; }
  void SetControlText(FormField field, const std::string& text) override { controls[field] = text; }
  void FocusControl(FormField) override {}
  void ShowCoverPicture(const TagPicture*) override {}
  GenreSelection SelectedV2Genre() override { return {101, {}}; }
  std::optional<std::string> AskSaveTarget(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  bool PumpEvents() override { return true; }
  void SetClipboardText(const std::string&) override {}
  ClipboardText ReadClipboardText() override { return {}; }
  int ChooseRecord(const std::vector<ResultRow>&, int) override { return -1; }
  void SetSpinnerText(const std::string&) override {}
  void StartSpinnerTimer() override {}
  void StopSpinnerTimer() override {}
  void PostToWindowThread(std::function<void()> fn) override { fn(); }
  std::vector<std::string> ListedFiles() override { return listed; }
  bool ConfirmParts(const PartsConfirmation&) override { return true; }

  std::map<FormField, std::string> controls;
  std::string failure;
};

void BM_UpdateAllParts(benchmark::State& state) {
  const std::string dir = BenchDir() + "parts/";
  std::filesystem::create_directories(dir + "out");
  std::filesystem::create_directories(dir + "copies");
  BenchPlatform platform;
  for (int number : {1, 2, 3}) {
    const std::string part =
        dir + "Marta Quell - Die Glocke " + std::to_string(number) + "v3 - RBX, 14.mp3";
    MakeAudioFile(part, PartBytes());
    platform.listed.push_back(part);
  }
  {
    std::FILE* ini = std::fopen((dir + "Tonfeld.ini").c_str(), "w");
    if (ini == nullptr) return state.SkipWithError("cannot write the settings");
    std::fprintf(ini, "[DIRECTORIES]\nOUTPUTDIR=%sout/\n", dir.c_str());
    std::fclose(ini);
  }
  VelmoraLogic logic(platform, nullptr);
  logic.ReadFirstSettings(dir);
  logic.UseInputDirectory(dir);
  logic.ReadLaterSettings();
  logic.LoadSelectedFile(platform.listed.front());
  platform.controls[FormField::v2Title] = "Die Glocke 1v3";

  const auto removeAll = [](const std::string& folder) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  };
  SideBySide(
      state, 3 * PartBytes(), [&] { removeAll(dir + "out"); },
      [&] {
        const std::vector<PartUpdate> parts = logic.OnAlleTeileAktualisieren();
        return parts.size() == 3 && platform.failure.empty() &&
               std::all_of(parts.begin(), parts.end(),
                           [](const PartUpdate& part) { return part.written; });
      },
      [&] { removeAll(dir + "copies"); },
      [&] {
        for (const std::string& part : platform.listed)
          RunCommand({"cp", part, dir + "copies/"});
      });
  std::filesystem::remove_all(dir);
}

BENCHMARK(BM_UpdateAllParts)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmora::bench

BENCHMARK_MAIN();
