#include "core/settings/settings_file.h"

#include "core/io/atomic_replace.h"
#include "core/io/file_contents.h"
#include "core/io/file_status.h"
#include "core/settings/ini_file.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

IniFile LoadSettings(const std::string& path) {
  return IniFile(ReadWholeFile(path).value_or(""));
}

// At most kProfileValueLimit characters; counted in code points so that no UTF-8 sequence is cut.
std::string CutToValueLimit(std::string_view text) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && characters++ == kProfileValueLimit)
      return std::string(text.substr(0, i));
  }
  return std::string(text);
}

std::string ProfileString(const IniFile& file, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
  const auto value = file.Value(section, key);
  if (!value) {
    const auto end = defaultValue.find_last_not_of(' ');
    return std::string(defaultValue.substr(0, end == std::string_view::npos ? 0 : end + 1));
  }
  return CutToValueLimit(*value);
}

int ProfileInt(const IniFile& file, std::string_view section, std::string_view key,
               int defaultValue) {
  return ParseLeadingInt(ProfileString(file, section, key, std::to_string(defaultValue)));
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != text.npos;
}

} // namespace

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& path) {
  return ProfileString(LoadSettings(path), section, key, defaultValue);
}

int ReadProfileInt(std::string_view section, std::string_view key, int defaultValue,
                   const std::string& path) {
  return ProfileInt(LoadSettings(path), section, key, defaultValue);
}

// Names that would change the file's structure and values with line breaks are refused, so that
// a directory name can never inject lines.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || section.find(']') != section.npos || key.find('=') != key.npos)
    return false;
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes && FileExists(path)) return false; // exists but cannot be read
  IniFile file(bytes.value_or(""));
  file.SetValue(section, key, value);
  return ReplaceFileContents(path, file.Bytes());
}

void ReadFirstSettings(const std::string& settingsPath, const std::string& workDir,
                       SettingsValues& values) {
  const IniFile file = LoadSettings(settingsPath);
  values.inputDirPath = ProfileString(file, "DIRECTORIES", "INPUTDIR", workDir);
  values.outputDirPath = ProfileString(file, "DIRECTORIES", "OUTPUTDIR", workDir);
  values.hoerdatUrl = ProfileString(file, "WWW", "URL-HOERDAT", "");
  values.hoerdatScript = ProfileString(file, "WWW", "SCRIPT-HOERDAT", "");
  values.hoerdatPauseMs = ProfileInt(file, "WWW", "HOERDAT_PAUSE_MS", 1000);
  values.cacheDays = ProfileInt(file, "WWW", "CACHE_DAYS", 30);
  values.genTxtFile = ProfileInt(file, "SETTINGS", "GEN_TXT_FILE", 0);
  values.autoId3v1Tagging = ProfileInt(file, "SETTINGS", "AUTO_ID3V1_TAGGING", 1);
  values.autoId3v1Copy = ProfileInt(file, "SETTINGS", "AUTO_ID3V1_COPY", 0);
  values.wafranyoflMode = ProfileInt(file, "SETTINGS", "WAFRANYOFL", 0);
  values.uploadInfo = ProfileInt(file, "SETTINGS", "UPLOADINFO", 0);
  values.stationSeparator = ProfileString(file, "AKTUALISIEREN", "SENDERNAMEN_TRENNER", " ");
}

void ReadLaterSettings(const std::string& settingsPath, SettingsValues& values) {
  const IniFile file = LoadSettings(settingsPath);
  values.defaultUrl = ProfileString(file, "DEFAULTS", "URL", "--");
  values.defaultEncodedBy = ProfileString(file, "DEFAULTS", "EncodedVON", " ");
  values.prefixKomponist = ProfileString(file, "PREFIXES", "KOMPONIST", "");
  values.prefixOrigArtist = ProfileString(file, "PREFIXES", "URSPRUENGLICHER_KUENSTLER", "");
  values.prefixBearbeitung = ProfileString(file, "PREFIXES", "BEARBEITUNG", "");
  values.paddingSize = ProfileInt(file, "SETTINGS", "PADDING", 1024);
  values.keepOtherFrames = ProfileInt(file, "SETTINGS", "KEEP_OTHER_FRAMES", 0);
  values.tagInPlace = ProfileInt(file, "SETTINGS", "TAG_IN_PLACE", 0);
  values.shareAudio = ProfileInt(file, "SETTINGS", "SHARE_AUDIO", 0);
}

} // namespace velmora
