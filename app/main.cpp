#include <cstring>
#include <iostream>

#include "core/io/file_io.h"
#include "velmora_app.h"

namespace {

constexpr const char* kUsage = R"(Usage: velmora [FILE]...
       velmora --help | --version

Opens the Velmora window, an ID3 tag editor for collections of radio plays (Hörspiele). The
settings are read from "Tonfeld.ini" in the current directory, where the two templates
"FileNameVorlage.txt" and "BeschreibungVorlage.txt" are looked for too; the file list shows the
audio files of the input directory the settings name.

Each FILE (an .mp3 path or a file:// URL) is added to the list as a dropped file is, and the
first one is loaded. When a Velmora window already runs in this desktop session (on the session
bus, as "org.velmora.Velmora"), the files go to that window, which comes to the front, and this
call ends at once. Without a session bus every call opens its own window.

  --help     print this text and exit
  --version  print the version and exit

The same commands without a window, for scripts: velmora-cli(1).
)";

} // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they need no display.
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-V") == 0)) {
    std::cout << "velmora " << VELMORA_VERSION << "\n";
    return 0;
  }
  velmora::IgnoreFileSizeSignal();
  CVelmoraApp app(argc, argv);
  return app.Run();
}
