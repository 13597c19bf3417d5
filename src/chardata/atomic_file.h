// Replacing a file so that readers see either the old or the complete new contents, and a
// power cut after a reported success cannot take the new contents back. Every file the programs
// write goes through here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace boxedit {

// How long the temporary file of an interrupted write is left for the writer that may still be
// working on it (a second editor saving in the same folder).
inline constexpr int kStaleTemporaryMinutes = 10;

// Writes `bytes` to a new temporary file beside `file`, flushes it to disk, renames it over
// `file` and flushes the folder. An existing file keeps its permission bits, a new one gets
// those of a new file (0666 less the umask); when `file` is a symbolic link, its target is
// replaced and the link kept. The temporary file is named "NAME.boxedit-tmp-XXXXXX"; those of
// interrupted writes of the same file older than kStaleTemporaryMinutes are removed first. On
// any failure the temporary file is removed, `file` is left as it was, and false is returned
// with the reason in *error. What exists at `file` (or at the end of its links) is never replaced
// unless it is a regular file that is not marked read-only (no write bit in its mode; the
// read-only attribute on Windows): a device, a FIFO or a folder is refused, and so is a file its
// owner protected.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error);

// The suffix that marks our temporary files, after the name of the file they will replace.
inline constexpr std::string_view kTemporarySuffix = ".boxedit-tmp-";

}  // namespace boxedit
