// A fresh directory under the system's temporary folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace boxedit::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device r;
    for (int attempt = 0; attempt < 100; ++attempt) {  // a name taken already: another one
      path_ = std::filesystem::temp_directory_path() /
              ("boxedit-test-" + std::to_string(r()) + "-" + std::to_string(r()));
      if (std::error_code ec; std::filesystem::create_directory(path_, ec)) return;
    }
    throw std::runtime_error("cannot make a temporary folder");
  }
  ~TempDir() {
    std::error_code ec;  // a test may have taken the owner's rights away
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
  void Write(std::string_view name, std::string_view bytes) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size()));
  }
  std::string Read(std::string_view name) const {  // empty when the file is missing
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  bool Exists(std::string_view name) const { return std::filesystem::exists(path_ / name); }

 private:
  std::filesystem::path path_;
};

}  // namespace boxedit::testing
