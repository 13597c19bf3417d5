// Reading the character's motion.lst for a boxtool command.
#pragma once

#include <filesystem>

#include "chardata/diagnostics.h"
#include "chardata/list_reader.h"
#include "chardata/pattern_table.h"

namespace boxedit {

// Fills the table from DIR/motion.lst with the reader's findings in *diagnostics. False, having
// said why on stderr, when the file cannot be read at all.
bool ReadCharacterList(const std::filesystem::path& dir, MotionList& list,
                       Diagnostics* diagnostics);
// The same from a list file, or from FOLDER/motion.lst when `path` is a folder, with its header.
bool ReadListAt(const std::filesystem::path& path, MotionList& list, Diagnostics* diagnostics,
                ReadHeader* header);

}  // namespace boxedit
