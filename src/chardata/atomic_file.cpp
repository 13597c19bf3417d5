#include "chardata/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace boxedit {

namespace {

bool Fail(const char* step, int errorNumber, std::string* error) {
  *error = std::string(step) + ": " + std::strerror(errorNumber);
  return false;
}

// The permissions an ordinary new file gets: 0666 less the process's umask. umask can only be
// read by setting it, so it is set back at once (the program has a single thread).
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error) {
  std::string temp = file.string() + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return Fail("cannot create a temporary file", errno, error);
  // mkstemp makes the file private (0600); the saved list gets the permissions of a new file.
  bool ok = fchmod(fd, NewFileMode()) == 0 || Fail("cannot set permissions", errno, error);
  ok = ok && (WriteAll(fd, bytes) || Fail("cannot write", errno, error));
  ok = ok && (fsync(fd) == 0 || Fail("cannot flush to disk", errno, error));
  if (close(fd) != 0 && ok) ok = Fail("cannot close", errno, error);
  ok = ok && (std::rename(temp.c_str(), file.c_str()) == 0 ||
              Fail("cannot replace the file", errno, error));
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace boxedit
