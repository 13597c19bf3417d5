// Reading an input file whole without trusting what the path names: only a regular file (or a
// link to one) is read, it is opened so that a FIFO or a device can never block the program,
// and a file larger than its stated bound is refused before anything is read.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#if !defined(_WIN32)
#include <sys/types.h>
#endif

namespace boxedit {

// The bounds of the files the programs read. A full 1300-slot motion.lst is about 200 KB.
inline constexpr size_t kMaxListFileBytes = size_t{64} << 20;
inline constexpr size_t kMaxTileSheetBytes = size_t{16} << 20;
inline constexpr size_t kMaxPatternFileBytes = size_t{16} << 20;
inline constexpr size_t kMaxScriptBytes = size_t{16} << 20;

// Reads the whole file into *bytes. False with the reason in *error (for example "it is a FIFO,
// not a regular file" or "it is 4294967296 bytes, more than the 64 MiB allowed"); *bytes is
// then empty.
bool ReadInputFile(const std::filesystem::path& file, size_t maxBytes, std::string* bytes,
                   std::string* error);

#if !defined(_WIN32)
// What a file of this mode is, for a message ("a FIFO", "a folder", ...); it is not a regular
// file.
const char* FileKind(mode_t mode);
#endif

}  // namespace boxedit
