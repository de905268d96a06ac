// Writes the quirky tags of other programs into a folder, as seeds for the ID3v2 reader's fuzz
// target, so that it starts from every path the reader knows.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "support/id3v2_fixtures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: id3v2_seed_writer DIR\n";
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  for (const velmora::test::QuirkyTag& quirk : velmora::test::QuirkyTags()) {
    std::ofstream seed(std::string(argv[1]) + "/" + quirk.name, std::ios::binary);
    seed << quirk.bytes << "\xff\xfb audio";
    if (!seed) return 1;
  }
  return 0;
}
