// Reading the character's motion.lst for a boxtool command.
#pragma once

#include <filesystem>

#include "chardata/diagnostics.h"
#include "chardata/pattern_table.h"

namespace boxedit {

// Fills the table from DIR/motion.lst with the reader's findings in *diagnostics. False, having
// said why on stderr, when the file cannot be read at all.
bool ReadCharacterList(const std::filesystem::path& dir, MotionList& list,
                       Diagnostics* diagnostics);

}  // namespace boxedit
