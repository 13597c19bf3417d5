#include "chardata/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace boxedit {

namespace {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

std::string Size(size_t bytes) {
  if (bytes % (size_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

bool Fail(std::string reason, std::string* bytes, std::string* error) {
  bytes->clear();
  if (error != nullptr) *error = std::move(reason);
  return false;
}

}  // namespace

bool ReadInputFile(const std::filesystem::path& file, size_t maxBytes, std::string* bytes,
                   std::string* error) {
  bytes->clear();
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one forever.
  const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return Fail(std::strerror(errno), bytes, error);
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    const int e = errno;
    close(fd);
    return Fail(std::strerror(e), bytes, error);
  }
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    return Fail("it is " + KindOf(info.st_mode) + ", not a regular file", bytes, error);
  }
  if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    close(fd);
    return Fail("it is " + std::to_string(info.st_size) + " bytes, more than the " +
                    Size(maxBytes) + " allowed",
                bytes, error);
  }
  bytes->resize(static_cast<size_t>(info.st_size));
  size_t got = 0;
  // Read to the end, which may come earlier or later than the size said: a file that grows past
  // the bound while it is read is refused all the same.
  for (;;) {
    if (got == bytes->size()) {
      if (bytes->size() > maxBytes) break;
      bytes->resize(std::min(maxBytes + 1, bytes->size() + 65536));
    }
    const ssize_t n = read(fd, bytes->data() + got, bytes->size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      close(fd);
      return Fail(std::strerror(e), bytes, error);
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  if (got > maxBytes) {
    return Fail("it grew past the " + Size(maxBytes) + " allowed while it was read", bytes, error);
  }
  bytes->resize(got);
  return true;
}

}  // namespace boxedit
