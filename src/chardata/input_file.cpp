#include "chardata/input_file.h"

#include <algorithm>
#include <cstdint>

#include "chardata/system_message.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace boxedit {

namespace {

std::string Size(size_t bytes) {
  if (bytes % (size_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

bool Fail(std::string reason, std::string* bytes, std::string* error) {
  bytes->clear();
  if (error != nullptr) *error = std::move(reason);
  return false;
}

std::string TooLarge(uint64_t size, size_t maxBytes) {
  return "it is " + std::to_string(size) + " bytes, more than the " + Size(maxBytes) + " allowed";
}

}  // namespace

#if !defined(_WIN32)

const char* FileKind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

#endif

#if defined(_WIN32)

bool ReadInputFile(const std::filesystem::path& file, size_t maxBytes, std::string* bytes,
                   std::string* error) {
  bytes->clear();
  // Pipes and devices have their own names on Windows; only a file on a disk is read.
  const HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail(SystemMessage(GetLastError()), bytes, error);
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    CloseHandle(h);
    return Fail("it is not a regular file", bytes, error);
  }
  const uint64_t size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if (size > maxBytes) {
    CloseHandle(h);
    return Fail(TooLarge(size, maxBytes), bytes, error);
  }
  bytes->resize(static_cast<size_t>(size) + 1);  // one more, to see a file that grew
  size_t got = 0;
  for (;;) {
    if (got == bytes->size()) {
      if (bytes->size() > maxBytes) break;
      bytes->resize(std::min(maxBytes + 1, bytes->size() + 65536));
    }
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes->size() - got, 1 << 30));
    if (!ReadFile(h, bytes->data() + got, want, &n, nullptr)) {
      const DWORD code = GetLastError();
      CloseHandle(h);
      return Fail(SystemMessage(code), bytes, error);
    }
    if (n == 0) break;
    got += n;
  }
  CloseHandle(h);
  if (got > maxBytes) {
    return Fail("it grew past the " + Size(maxBytes) + " allowed while it was read", bytes, error);
  }
  bytes->resize(got);
  return true;
}

#else

bool ReadInputFile(const std::filesystem::path& file, size_t maxBytes, std::string* bytes,
                   std::string* error) {
  bytes->clear();
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one forever.
  const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return Fail(SystemMessage(errno), bytes, error);
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    const int e = errno;
    close(fd);
    return Fail(SystemMessage(e), bytes, error);
  }
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    return Fail(std::string("it is ") + FileKind(info.st_mode) + ", not a regular file", bytes,
                error);
  }
  if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    close(fd);
    return Fail(TooLarge(static_cast<uint64_t>(info.st_size), maxBytes), bytes, error);
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
      return Fail(SystemMessage(e), bytes, error);
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

#endif

}  // namespace boxedit
