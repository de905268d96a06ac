#pragma once
// Where a run keeps its things in the user's home: the answers of the Hördat service in the
// cache folder ($XDG_CACHE_HOME/velmora, else ~/.cache/velmora), the state of the runs in the
// state folder ($XDG_STATE_HOME/velmora, else ~/.local/state/velmora). Each ends in "/"; empty
// when neither the variable nor HOME gives an absolute path.
#include <string>

namespace velmora {

std::string UserCacheFolder();
std::string UserStateFolder();

} // namespace velmora
