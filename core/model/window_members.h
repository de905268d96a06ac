#pragma once
// The main window's members besides the form: the settings, the paths of the current file,
// and the values of the last applied Hördat record.
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/settings_values.h"
#include "core/tags/tag_picture.h"

namespace velmora {

struct WindowMembers {
  SettingsValues settings; // the values of "Tonfeld.ini"

  std::string workDir;      // start directory, ending in "/"; settings and templates live here
  std::string settingsPath; // workDir + "Tonfeld.ini"

  std::string inputFilePath;      // native path of the loaded file
  std::string inputFileExt;       // text after the last "." of inputFilePath, as shown
  std::uint64_t oldTagLength = 0; // length of the loaded file's ID3v2 tag, 0 when none

  std::string partDesignation; // e.g. "2v3", taken from the file name

  // The loaded tag's frames besides the written twelve, in ID3v2.3 layout, the IDs of those that
  // cannot be carried, and its pictures.
  std::string otherFrames;
  std::vector<std::string> framesLeftOut;
  std::vector<TagPicture> pictures;

  // The last applied Hördat record.
  std::string recAutor, recTitel1, recProduktion, recInhaltsangabe, recBearbeitung, recMitwirkende,
      recRegie, recLaenge, recHspTyp, recGenre;
};

} // namespace velmora
