// Feeds arbitrary bytes to the replay-script parser. A parsed script must hold commands in line
// order with values in their ranges; a refused one must name the script and a line of it in one
// short printable line, leave no commands, and be refused the same way when cut after that
// line, while every line before it parses.
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

// Where each line of the text starts; line N (from 1) starts at starts[N - 1].
NOT_FUZZED std::vector<size_t> LineStarts(std::string_view text) {
  std::vector<size_t> starts{0};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') starts.push_back(i + 1);
  }
  return starts;
}

// Line N without its line break.
NOT_FUZZED std::string_view Line(std::string_view text, const std::vector<size_t>& starts, int n) {
  const size_t begin = starts[n - 1];
  const size_t end = static_cast<size_t>(n) < starts.size() ? starts[n] - 1 : text.size();
  return text.substr(begin, end - begin);
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

// The line named by an error "NAME:LINE: message", checked to be one of the script's.
NOT_FUZZED int CheckedErrorLine(const std::string& error, int lineCount) {
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
  return line;
}

// Reused from one input to the next, so that a parse that does not clear it shows.
std::vector<ReplayCommand> gCommands;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<size_t> starts = LineStarts(text);
  const int lineCount = static_cast<int>(starts.size());

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
  const int line = CheckedErrorLine(error, lineCount);

  // The first bad line decides: the lines before it parse, and the text cut after it fails
  // with the same error.
  std::vector<ReplayCommand> before;
  std::string beforeError;
  if (!ParseReplayScript(text.substr(0, starts[line - 1]), kScriptName, &before, &beforeError)) {
    Fail("the lines before the failing one fail", line);
  }
  const std::string_view through =
      text.substr(0, starts[line - 1] + Line(text, starts, line).size());
  std::vector<ReplayCommand> cut;
  std::string cutError;
  if (ParseReplayScript(through, kScriptName, &cut, &cutError) || cutError != error) {
    Fail("the text cut after the failing line fails otherwise", line);
  }
  return 0;
}
