// The control of layers_forbidden_include: the same include root of core/tags finds its own
// headers and those of the folders it may use.
#include "core/io/file_io.h"
#include "core/tags/id3v1.h"
#include "core/text/encoding.h"
