// Compiled with the include root of core/tags, which sits below core/form: this include must not
// be found. The layers_forbidden_include test expects exactly that failure.
#include "core/form/velmora_logic.h"
