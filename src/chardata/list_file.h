// Reading a whole list file into memory.
#pragma once

#include <filesystem>
#include <string>

namespace boxedit {

// Reads the file's bytes into *text. On failure returns false with the reason in *error.
bool ReadListFile(const std::filesystem::path& file, std::string* text, std::string* error);

}  // namespace boxedit
