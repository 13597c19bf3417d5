#include "chardata/list_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace boxedit {

bool ReadListFile(const std::filesystem::path& file, std::string* text, std::string* error) {
  text->clear();
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) {
    *error = std::strerror(errno);
    return false;
  }
  char buffer[16384];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text->append(buffer, got);
  // A directory opens on some systems and fails only when read; that must count as unreadable.
  const bool failed = std::ferror(in) != 0;
  const int readErrno = errno;
  std::fclose(in);
  if (failed) {
    *error = std::strerror(readErrno);
    text->clear();
    return false;
  }
  return true;
}

}  // namespace boxedit
