// The six words that open motion.lst, read by the loader, the key-colour reader and the save.
#pragma once

#include <filesystem>
#include <string>

#include "chardata/diagnostics.h"
#include "chardata/list_writer.h"
#include "chardata/word_reader.h"

namespace boxedit {

inline constexpr int kHeaderWordCount = 6;
inline constexpr size_t kMaxHeaderWordSize = 127;

// Reads header words from `words` into *header until all six are read or one is missing or is
// not a number where a number belongs; returns how many were read. Header words longer than 127
// characters are cut. Problems go to *diagnostics when it is given.
int ReadListHeader(WordReader& words, ListHeader* header, Diagnostics* diagnostics = nullptr);

// The six header words of DIR/motion.lst as it stands now. False with the reason in *error when
// the file cannot be read or its header is not complete.
bool ReadHeaderOfList(const std::filesystem::path& dir, ListHeader* header, std::string* error);

}  // namespace boxedit
