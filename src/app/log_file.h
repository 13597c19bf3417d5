// The editor's log where nobody sees stderr (a program with a window on Windows): what the editor
// says is kept, and at every flush written whole to the log file through the atomic write, so the
// file is replaced at each start and only when there is something to say.
#pragma once

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>

#include "chardata/atomic_file.h"

namespace boxedit {

class LogFile : public std::ostream {
 public:
  explicit LogFile(std::filesystem::path file) : std::ostream(&buffer_), buffer_(std::move(file)) {}
  std::string text() const { return buffer_.str(); }

 private:
  class Buffer : public std::stringbuf {
   public:
    explicit Buffer(std::filesystem::path file) : file_(std::move(file)) {}

   protected:
    int sync() override {
      const std::string text = str();
      if (text.empty() || text == written_) return 0;
      std::string error;
      // A log that cannot be written must not stop the editor; the status line still shows.
      if (WriteFileAtomically(file_, text, &error)) written_ = text;
      return 0;
    }

   private:
    std::filesystem::path file_;
    std::string written_;
  };

  Buffer buffer_;
};

}  // namespace boxedit
