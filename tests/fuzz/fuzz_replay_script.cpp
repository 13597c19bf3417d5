// Feeds arbitrary bytes to the replay-script parser. A parsed script must hold commands in line
// order with values in their ranges; a refused one must name the script and a line of it in one
// short printable line, and leave no commands.
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

constexpr std::string_view kScriptName = "fuzz.txt";
// Far above the longest message the parser gives, which quotes at most two cut words.
constexpr size_t kLongestMessage = 1024;
// What *error holds before each parse; a success must leave it so.
constexpr std::string_view kUntouched = "untouched";

// The checks stay out of the coverage the fuzzer steers by: they are no part of what is fuzzed.
#define NOT_FUZZED __attribute__((no_sanitize("coverage")))

[[noreturn]] void Fail(const char* what, int line) {
  std::fprintf(stderr, "replay script: %s (line %d)\n", what, line);
  std::abort();
}

NOT_FUZZED void CheckCommand(const ReplayCommand& c) {
  switch (c.op) {
    case ReplayOp::kKey:
      if (c.value > 255) Fail("key code above 255", c.line);
      if ((c.held & ~(kHeldControl | kHeldShift | kHeldMenu)) != 0) {
        Fail("a modifier other than Ctrl, Shift and Alt", c.line);
      }
      break;
    case ReplayOp::kFrame:
      if (c.value < 1 || c.value > kMaxReplayFrames) Fail("frame count out of range", c.line);
      break;
    default:
      break;
  }
}

// The line named by an error "NAME:LINE: message" must be one of the script's.
NOT_FUZZED void CheckError(const std::string& error, int lineCount) {
  const std::string prefix = std::string(kScriptName) + ":";
  if (error.compare(0, prefix.size(), prefix) != 0) Fail("error without the script name", -1);
  size_t pos = prefix.size();
  int line = 0;
  while (pos < error.size() && error[pos] >= '0' && error[pos] <= '9' && line <= lineCount) {
    line = line * 10 + (error[pos++] - '0');
  }
  if (line < 1 || line > lineCount) Fail("error line outside the script", line);
  if (error.compare(pos, 2, ": ") != 0 || error.size() == pos + 2) Fail("error format", line);
  // Words of the script are cut and their control bytes escaped in messages: a message is one
  // short printable line whatever the script holds.
  if (error.size() - pos - 2 > kLongestMessage) Fail("message not shortened", line);
  for (const char c : error) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) Fail("control byte in the error", line);
  }
}

// Reused from one input to the next, so that a parse that does not clear it shows.
std::vector<ReplayCommand> gCommands;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int lineCount = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));

  std::string error(kUntouched);
  if (ParseReplayScript(text, kScriptName, &gCommands, &error)) {
    if (error != kUntouched) Fail("error set on success", -1);
    int previous = 0;
    for (const ReplayCommand& c : gCommands) {
      if (c.line <= previous || c.line > lineCount) Fail("command line out of order", c.line);
      previous = c.line;
      CheckCommand(c);
    }
    return 0;
  }

  if (!gCommands.empty()) Fail("commands left after a failure", -1);
  CheckError(error, lineCount);
  return 0;
}
