#include "core/run/user_folders.h"

#include <cstdlib>

namespace velmora {

namespace {

// A relative path in XDG_CACHE_HOME or XDG_STATE_HOME counts as unset, as desktops treat it, so
// that the files never land relative to the folder the program was started in.
std::string UserFolder(const char* variable, const char* belowHome) {
  const char* base = std::getenv(variable);
  if (base && base[0] == '/') return std::string(base) + "/velmora/";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + belowHome + "/velmora/";
  return {};
}

} // namespace

std::string UserCacheFolder() {
  return UserFolder("XDG_CACHE_HOME", "/.cache");
}

std::string UserStateFolder() {
  return UserFolder("XDG_STATE_HOME", "/.local/state");
}

} // namespace velmora
