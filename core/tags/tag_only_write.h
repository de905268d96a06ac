#pragma once
// The fast update in place: only the tag area and the ID3v1 record of the file are rewritten, the
// audio stays where it is.
#include <optional>

#include "core/io/locked_file.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {

// When the new tag fits the old tag area, writes it there with zero padding up to the area's end
// and the ID3v1 record at the end, under a journal; nullopt when it does not fit (nothing
// written).
std::optional<WrittenFile> WriteTagOnly(const LockedFile& file, const TaggedFileWrite& write);

} // namespace velmora
