// The settings reader on arbitrary files, and a written key must read back as written while every
// other key keeps its value.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/settings/settings_file.h"

using namespace velmora;

namespace {

const std::string& SettingsPath() {
  static const std::string path = [] {
    static char directory[] = "/tmp/velmora-fuzz-settings-XXXXXX";
    if (!mkdtemp(directory)) std::abort();
    std::atexit([] { std::filesystem::remove_all(directory); });
    return std::string(directory) + "/Tonfeld.ini";
  }();
  return path;
}

bool operator==(const SettingsValues& a, const SettingsValues& b) {
  return a.inputDirPath == b.inputDirPath && a.hoerdatUrl == b.hoerdatUrl &&
         a.hoerdatScript == b.hoerdatScript && a.genTxtFile == b.genTxtFile &&
         a.autoId3v1Tagging == b.autoId3v1Tagging && a.autoId3v1Copy == b.autoId3v1Copy &&
         a.wafranyoflMode == b.wafranyoflMode && a.uploadInfo == b.uploadInfo &&
         a.stationSeparator == b.stationSeparator && a.defaultUrl == b.defaultUrl &&
         a.defaultEncodedBy == b.defaultEncodedBy && a.prefixKomponist == b.prefixKomponist &&
         a.prefixOrigArtist == b.prefixOrigArtist && a.prefixBearbeitung == b.prefixBearbeitung &&
         a.paddingSize == b.paddingSize;
}

SettingsValues ReadAll(const std::string& path) {
  SettingsValues values;
  ReadFirstSettings(path, "/work/", values);
  ReadLaterSettings(path, values);
  return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = SettingsPath();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  SettingsValues before = ReadAll(path);
  ReadProfileString("Directories", "InputDir", "x ", path);

  const std::string value = " /neu 'H\xc3\xb6r\" ";
  if (!WriteProfileString("Directories", "OutputDir", value, path)) std::abort();
  if (ReadProfileString("DIRECTORIES", "OUTPUTDIR", "", path) != value) std::abort();
  SettingsValues after = ReadAll(path);
  before.outputDirPath = after.outputDirPath;
  if (!(before == after)) std::abort();
  return 0;
}
