#pragma once
// The whole rewrite's copy: tag, padding and audio into an open file, with progress.
#include <cstdint>
#include <string_view>

#include "core/io/copy_progress.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {

// Writes tag, max(padding, 0) zero bytes and in's bytes from oldTagLength to its end into out,
// showing the progress against sourceLength for exactly the time of the copy.
WriteOutcome CopyTagged(int out, int in, std::uint64_t oldTagLength, std::uint64_t sourceLength,
                        std::string_view tag, long padding, CopyProgress& progress);

} // namespace velmora
