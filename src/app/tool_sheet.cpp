// boxtool sheet [DIR] OUT.png [--motion M] [--columns N] [--layout 565|555]: a contact sheet of
// the character's patterns (sheet/contact_sheet.h), drawn by the editor's frame code on a
// headless screen.
#include <cctype>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/tool_args.h"
#include "app/tool_commands.h"
#include "app/tool_list.h"
#include "backends/headless/headless_platform.h"
#include "sheet/contact_sheet.h"
#include "shell/editor.h"

namespace boxedit {

namespace {

constexpr const char* kUsage =
    "usage: boxtool sheet [DIR] OUT.png [--motion M] [--columns N] [--layout 565|555]\n";

// Says how far the sheet has got, once a second after its first second.
class Progress {
 public:
  explicit Progress(size_t total) : total_(total) {}
  void Report(size_t done) {
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::seconds(1)) return;
    last_ = now;
    std::fprintf(stderr, "boxtool sheet: %zu of %zu patterns\n", done, total_);
  }

 private:
  size_t total_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point last_ = start_;
};

// Relays the editor's start-up reports on the character's files, as boxtool's own.
void RelayStartUpLog(const std::string& log) {
  std::istringstream lines(log);
  const std::string prefix = "boxedit: ";
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(prefix)) {
      std::fprintf(stderr, "boxtool sheet: %s\n", line.substr(prefix.size()).c_str());
    }
  }
}

}  // namespace

// Exit 0 when the sheet is written; 1 when the list has errors (the sheet of what was read is
// still written), there is no pattern to draw or a file cannot be written; 2 when motion.lst
// cannot be read or the arguments are wrong.
int RunSheet(const ToolArgs& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--motion", "--columns", "--layout"}, {}, &parsed, &error) ||
      parsed.words.empty() || parsed.words.size() > 2) {
    std::fprintf(stderr, "boxtool sheet: %s\n%s",
                 error.empty() ? "give the sheet's file name" : error.c_str(), kUsage);
    return 2;
  }
  const std::filesystem::path dir = parsed.words.size() == 2 ? parsed.words[0] : ".";
  const std::filesystem::path out = parsed.words.back();
  std::string extension = out.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".png") {
    std::fprintf(stderr, "boxtool sheet: the sheet's file name must end in .png: %s\n%s",
                 out.string().c_str(), kUsage);
    return 2;
  }
  std::optional<int> motion;
  if (!MotionOption(parsed, "sheet", kUsage, &motion)) return 2;
  const std::optional<int> columns =
      ParseNumber(parsed.Option("--columns").value_or("8"), 1, kMaxSheetColumns);
  if (!columns) {
    std::fprintf(stderr, "boxtool sheet: the columns must be 1 to %d\n%s", kMaxSheetColumns,
                 kUsage);
    return 2;
  }
  const std::string layout = parsed.Option("--layout").value_or("565");
  if (layout != "565" && layout != "555") {
    std::fprintf(stderr, "boxtool sheet: no layout '%s'\n%s", layout.c_str(), kUsage);
    return 2;
  }

  // The list is read first for its findings and for a clean exit 2 when it cannot be; the
  // editor then starts on the folder as it would on the desktop.
  auto list = std::make_unique<MotionList>();
  Diagnostics diagnostics;
  if (!ReadCharacterList(dir, *list, &diagnostics)) return 2;
  for (const Diagnostic& d : diagnostics) std::fprintf(stderr, "%s\n", FormatDiagnostic(d).c_str());

  HeadlessOptions options;
  options.is565 = layout == "565";
  HeadlessPlatform platform({}, options);
  std::ostringstream log;
  auto editor = std::make_unique<Editor>(platform, dir, log);
  if (StartUp(*editor) != 0) {
    std::fprintf(stderr, "boxtool sheet: %s", log.str().c_str());
    return 1;
  }
  RelayStartUpLog(log.str());

  std::vector<int32_t> patterns;
  for (int32_t p = 0; p <= editor->list.lastPattern && p < kPatternCount; ++p) {
    if (!editor->list.patterns[p].IsEmpty() && (!motion || Motion(p) == *motion)) {
      patterns.push_back(p);
    }
  }
  if (patterns.empty()) {
    std::fprintf(stderr, "boxtool sheet: no pattern to draw; nothing written\n");
    return 1;
  }

  Progress progress(patterns.size());
  if (!WriteContactSheet(
          *editor, patterns, *columns, out, [&progress](size_t done) { progress.Report(done); },
          &error)) {
    std::fprintf(stderr, "boxtool sheet: %s\n", error.c_str());
    return 1;
  }
  return HasErrors(diagnostics) ? 1 : 0;
}

}  // namespace boxedit
