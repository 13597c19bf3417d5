// Build-machine paths as a test sees them: under Wine the root folder is drive Z:.
#pragma once

#include <filesystem>
#include <string>

namespace boxedit::testing {

inline std::filesystem::path HostPath(std::string path) {
#if defined(_WIN32)
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
#endif
  return std::filesystem::path(path).make_preferred();
}

// Skips, saying so, on Windows a test that needs what only POSIX has (FIFOs, modes, limits).
#if defined(_WIN32)
#define BOXEDIT_POSIX_ONLY(what) GTEST_SKIP() << "POSIX only: " << what
#else
#define BOXEDIT_POSIX_ONLY(what) static_cast<void>(0)
#endif

}  // namespace boxedit::testing
