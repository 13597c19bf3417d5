// Replacing a file so that readers see either the old or the complete new contents.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace boxedit {

// Writes `bytes` to a new temporary file beside `file`, flushes it to disk and renames it over
// `file`. On any failure the temporary file is removed, `file` is left as it was, and false is
// returned with the reason in *error.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error);

}  // namespace boxedit
