#include "core/io/file_io.h"
#include "velmora_app.h"

int main(int argc, char** argv) {
  velmora::IgnoreFileSizeSignal();
  CVelmoraApp app(argc, argv);
  return app.Run();
}
