#include "velmora_app.h"

int main(int argc, char** argv) {
  CVelmoraApp app(argc, argv);
  return app.Run();
}
