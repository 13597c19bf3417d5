// Checking a whole character: motion.lst as the editor's reader takes it, chara.bmp and
// pattern.pat as its loaders take them, and the patterns that the three files together show
// broken or that the editor's first edit or its save would change.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "chardata/diagnostics.h"

namespace boxedit {

// A problem and the name of the file it concerns.
struct FileDiagnostic {
  std::string fileName;
  Diagnostic diagnostic;
};

// Checks the character in `dir`. The problems come in this order: motion.lst's as its reader
// reports them, chara.bmp's, pattern.pat's, then those of the patterns in slot order, each on
// its record's line of motion.lst. False, with the reason in *error, when motion.lst cannot be
// read.
bool CheckCharacter(const std::filesystem::path& dir, std::vector<FileDiagnostic>* found,
                    std::string* error);

}  // namespace boxedit
