// Feeds arbitrary bytes to the replay-script parser. A parsed script holds commands in line order
// with values in their ranges; a refused one leaves no commands and names a line of the script
// in one short printable line.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "backends/headless/replay_script.h"

namespace {

using namespace boxedit;

[[noreturn]] void Fail(const char* what, int line) {
  std::fprintf(stderr, "replay script: %s (line %d)\n", what, line);
  std::abort();
}

// Reused from one input to the next, so that a parse that does not clear it shows.
std::vector<ReplayCommand> gCommands;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  std::string error;
  if (ParseReplayScript(text, "fuzz.txt", &gCommands, &error)) {
    int previous = 0;
    for (const ReplayCommand& c : gCommands) {
      if (c.line <= previous || c.line > lines) Fail("command line out of order", c.line);
      previous = c.line;
      const bool key = c.op == ReplayOp::kKey, frame = c.op == ReplayOp::kFrame;
      if (key && (c.value > 255 || (c.held & ~(kHeldControl | kHeldShift | kHeldMenu)) != 0))
        Fail("key code or modifier out of range", c.line);
      if (frame && (c.value < 1 || c.value > kMaxReplayFrames)) Fail("frame count", c.line);
    }
    return 0;
  }
  if (!gCommands.empty()) Fail("commands left after a failure", -1);
  // "fuzz.txt:LINE: message": a line of the script, and a message of printable bytes that
  // quotes at most two cut words.
  const int line = std::atoi(error.c_str() + std::min<size_t>(error.size(), 9));
  if (error.rfind("fuzz.txt:", 0) != 0 || line < 1 || line > lines) Fail("error's line", line);
  if (error.size() > 1024) Fail("message not shortened", line);
  for (const char c : error) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) Fail("control byte in the error", line);
  }
  return 0;
}
