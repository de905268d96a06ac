#pragma once
// The values of "Tonfeld.ini" as the main window keeps them, in UTF-8 (paths as native paths).
#include <string>

namespace velmora {

struct SettingsValues {
  std::string inputDirPath;      // DIRECTORIES/INPUTDIR, default workDir
  std::string outputDirPath;     // DIRECTORIES/OUTPUTDIR, default workDir
  std::string hoerdatUrl;        // WWW/URL-HOERDAT
  std::string hoerdatScript;     // WWW/SCRIPT-HOERDAT
  int genTxtFile = 0;            // SETTINGS/GEN_TXT_FILE
  int autoId3v1Tagging = 1;      // SETTINGS/AUTO_ID3V1_TAGGING
  int autoId3v1Copy = 0;         // SETTINGS/AUTO_ID3V1_COPY
  int wafranyoflMode = 0;        // SETTINGS/WAFRANYOFL
  int uploadInfo = 0;            // SETTINGS/UPLOADINFO
  std::string stationSeparator;  // AKTUALISIEREN/SENDERNAMEN_TRENNER
  std::string defaultUrl = "--"; // DEFAULTS/URL
  std::string defaultEncodedBy;  // DEFAULTS/EncodedVON
  std::string prefixKomponist;   // PREFIXES/KOMPONIST
  std::string prefixOrigArtist;  // PREFIXES/URSPRUENGLICHER_KUENSTLER
  std::string prefixBearbeitung; // PREFIXES/BEARBEITUNG
  int paddingSize = 1024;        // SETTINGS/PADDING
  int keepOtherFrames = 0;       // SETTINGS/KEEP_OTHER_FRAMES: 1 carries the loaded tag's others
  int tagInPlace = 0; // SETTINGS/TAG_IN_PLACE: 1 rewrites only the tag area in place when it fits
  int shareAudio = 0; // SETTINGS/SHARE_AUDIO: 1 pads the tag so that copies can share audio blocks
  int hoerdatPauseMs = 1000; // WWW/HOERDAT_PAUSE_MS: the pause between two requests of a run
  int cacheDays = 30;        // WWW/CACHE_DAYS: how long a run keeps an answer; 0 keeps none
};

} // namespace velmora
