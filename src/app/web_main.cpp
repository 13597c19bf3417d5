// boxedit in a web page (Emscripten): no main, but a run that the page starts on a folder of its
// file system (the bundled sample, or files the user chose), and starts anew on another
// character or after Esc closed the editor.
#include <emscripten.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "backends/web/web_platform.h"
#include "chardata/character_files.h"
#include "shell/editor.h"

// A line of the editor's log, for the page's panel beside the canvas.
EM_JS(void, boxedit_page_log, (const char* line),
      { (Module['boxeditLog'] || console.log)(UTF8ToString(line)); });

namespace boxedit {
namespace {

// The editor's log stream, handed to the page a line at a time: start-up's problems with the
// character's files and what each save did.
class PageLog : public std::streambuf {
 public:
  ~PageLog() override {
    if (!line_.empty()) boxedit_page_log(line_.c_str());
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (c == '\n') {
      boxedit_page_log(line_.c_str());
      line_.clear();
    } else {
      line_ += traits_type::to_char_type(c);
    }
    return c;
  }

 private:
  std::string line_;
};

// The editor of the run in progress, which the page asks about unsaved edits.
const Editor* runningEditor = nullptr;

}  // namespace
}  // namespace boxedit

extern "C" {

// Runs the editor on the character in `dir` until it closes; 0, or the status of a start-up that
// failed. The page calls it asynchronously: the run sleeps between frames (WebPlatform::Idle).
EMSCRIPTEN_KEEPALIVE int boxedit_page_run(const char* dir) {
  using namespace boxedit;
  // Emscripten starts a program with a umask of 0777, under which the save's new motion2.lst
  // would have no permissions at all and the page could not read it back to offer it: a
  // desktop session's umask instead.
  umask(022);
  PageLog buffer;
  std::ostream log(&buffer);
  const std::filesystem::path folder = dir != nullptr ? dir : ".";
  WebPlatform platform;
  platform.OfferWhenReplaced(folder / kSavedListFileName);
  // RunEditor's start-up and loop, with the editor kept where the page can reach it.
  auto editor = std::make_unique<Editor>(platform, folder, log);
  editor->absentFileNote = "not among the files opened: no pictures will show";
  if (const int status = StartUp(*editor); status != 0) return status;
  runningEditor = editor.get();
  RunMainLoop(*editor);
  runningEditor = nullptr;
  return 0;
}

// 1 while the running editor holds box changes that no save has written.
EMSCRIPTEN_KEEPALIVE int boxedit_page_unsaved() {
  return boxedit::runningEditor != nullptr && boxedit::runningEditor->Unsaved() ? 1 : 0;
}

}  // extern "C"
