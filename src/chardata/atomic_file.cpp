#include "chardata/atomic_file.h"

#include <chrono>
#include <string>
#include <system_error>

#include "chardata/input_file.h"
#include "chardata/system_message.h"

#if defined(_WIN32)
#include <windows.h>

#include <cstdint>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#endif

namespace boxedit {

namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)

bool Fail(const std::string& step, DWORD code, std::string* error) {
  if (error != nullptr) *error = step + ": " + SystemMessage(code);
  return false;
}

bool WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 30));
    if (!WriteFile(h, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A new file NAME.boxedit-tmp-XXXXXX beside `target`, the six characters drawn until the name is
// free.
HANDLE CreateTemporary(const fs::path& target, fs::path* temp) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static uint64_t state = GetTickCount64() ^ (uint64_t{GetCurrentProcessId()} << 32);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      suffix += kChars[(state >> 33) % (sizeof kChars - 1)];
    }
    *temp = target;
    *temp += std::string(kTemporarySuffix) + suffix;
    const HANDLE h = CreateFileW(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

#else

bool Fail(const std::string& step, int errorNumber, std::string* error) {
  if (error != nullptr) *error = step + ": " + SystemMessage(errorNumber);
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

// Makes a completed rename survive a power cut. Some file systems cannot sync a folder; the
// rename has happened all the same, so that is not a failure of the write.
void SyncFolder(const fs::path& file) {
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

#endif

// The file a write to `file` must replace: `file` itself, or the end of its chain of symbolic
// links (relative links are taken from the folder of the link).
fs::path ReplacedFile(const fs::path& file) {
  fs::path target = file;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) return target;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return target;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

// Removes the temporary files of earlier writes of `file` that were cut off (a killed save) and
// are old enough that no writer can still be working on them.
void RemoveStaleTemporaries(const fs::path& file) {
  const std::string prefix = file.filename().string() + std::string(kTemporarySuffix);
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  std::error_code ec;
  const auto cutoff =
      fs::file_time_type::clock::now() - std::chrono::minutes(kStaleTemporaryMinutes);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::error_code statError;
    if (!it->is_regular_file(statError) || it->last_write_time(statError) > cutoff) continue;
    fs::remove(it->path(), statError);
  }
}

}  // namespace

#if defined(_WIN32)

// Why `target` must not be replaced (empty when it may be): a folder or a device, or a file
// marked read-only.
std::string Unreplaceable(const fs::path& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return "";
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "it is a folder, not a file";
  if (attributes & FILE_ATTRIBUTE_READONLY) return "it is marked read-only: not replaced";
  const HANDLE h = CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "";
  const DWORD type = GetFileType(h);
  CloseHandle(h);
  return type == FILE_TYPE_DISK ? "" : "it is a device, not a file";
}

bool WriteFileAtomically(const fs::path& file, std::string_view bytes, std::string* error) {
  const fs::path target = ReplacedFile(file);
  if (const std::string why = Unreplaceable(target); !why.empty()) {
    if (error != nullptr) *error = why;
    return false;
  }
  RemoveStaleTemporaries(target);
  fs::path temp;
  const HANDLE h = CreateTemporary(target, &temp);
  if (h == INVALID_HANDLE_VALUE)
    return Fail("cannot create a temporary file", GetLastError(), error);
  bool ok = WriteAll(h, bytes) || Fail("cannot write", GetLastError(), error);
  ok = ok && (FlushFileBuffers(h) || Fail("cannot flush to disk", GetLastError(), error));
  if (!CloseHandle(h) && ok) ok = Fail("cannot close", GetLastError(), error);
  // A plain rename does not replace an existing file here; this does, and returns only once the
  // new name is on the disk.
  ok = ok && (MoveFileExW(temp.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
              Fail("cannot replace " + target.filename().string(), GetLastError(), error));
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

#else

bool WriteFileAtomically(const fs::path& file, std::string_view bytes, std::string* error) {
  const fs::path target = ReplacedFile(file);
  RemoveStaleTemporaries(target);

  // What exists there is replaced only when it is a file that is not marked read-only: a device,
  // a FIFO or a folder renamed over would be lost (and so would /dev/null for everyone).
  mode_t mode = NewFileMode();
  struct stat existing {};
  if (stat(target.c_str(), &existing) == 0) {
    const char* refused = !S_ISREG(existing.st_mode)       ? FileKind(existing.st_mode)
                          : (existing.st_mode & 0222) == 0 ? "marked read-only"
                                                           : nullptr;
    if (refused != nullptr) {
      if (error != nullptr) {
        *error =
            std::string("it is ") + refused +
            (S_ISREG(existing.st_mode) ? " (no write permission): not replaced" : ", not a file");
      }
      return false;
    }
    mode = existing.st_mode & 07777;
  }

  std::string temp = target.string() + std::string(kTemporarySuffix) + "XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return Fail("cannot create a temporary file", errno, error);
  // mkstemp makes the file private (0600); the result gets the mode chosen above.
  bool ok = fchmod(fd, mode) == 0 || Fail("cannot set permissions", errno, error);
  ok = ok && (WriteAll(fd, bytes) || Fail("cannot write", errno, error));
  ok = ok && (fsync(fd) == 0 || Fail("cannot flush to disk", errno, error));
  if (close(fd) != 0 && ok) ok = Fail("cannot close", errno, error);
  ok = ok && (std::rename(temp.c_str(), target.c_str()) == 0 ||
              Fail("cannot replace " + target.filename().string(), errno, error));
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

#endif

}  // namespace boxedit
