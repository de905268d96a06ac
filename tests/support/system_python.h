#pragma once
// What a script of the system's Python prints for one argument, or why it failed. The system's
// Python, where Debian's python3-mutagen (the reference reader of tags) installs itself,
// whatever else is first on the PATH.
#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace velmora::test {

inline std::string Python(const std::string& script, const std::string& argument) {
  TempDir scratch;
  const std::string file = scratch.file("script.py"), out = scratch.file("out");
  WriteBytes(file, script);
  const std::string command =
      "/usr/bin/python3 '" + file + "' '" + argument + "' >'" + out + "' 2>&1";
  return std::system(command.c_str()) == 0 ? ReadBytes(out) : "python failed: " + ReadBytes(out);
}

} // namespace velmora::test
