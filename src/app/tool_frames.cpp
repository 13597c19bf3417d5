// boxtool frames [DIR] [--motion M] [--format text|csv|json|markdown]: the frame data of the
// character's motions, counted by the motion-timing code the editor's playback uses.
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/tool_args.h"
#include "app/tool_commands.h"
#include "app/tool_list.h"
#include "motion/frame_data.h"
#include "motion/pattern_names.h"

namespace boxedit {

namespace {

constexpr const char* kUsage =
    "usage: boxtool frames [DIR] [--motion M] [--format text|csv|json|markdown]\n";

std::string Number(const std::optional<int64_t>& n) {
  return n ? std::to_string(*n) : std::string();
}

std::string GuardText(int32_t guard) {
  const char* name = GuardName(guard);
  return name != nullptr ? name : "";
}

// The figures of a motion as text cells, empty where a figure is; never-landing motions keep
// only their motion, name and run.
struct Row {
  std::string motion, name, first, last, frames, startup, active, recovery, hits;
};

Row MakeRow(const FrameData& d) {
  Row row;
  row.motion = std::to_string(d.motion);
  row.name = MotionName(d.motion);
  row.first = std::to_string(d.first);
  row.last = std::to_string(d.last);
  if (d.neverLands) return row;
  row.frames = std::to_string(d.frames);
  row.startup = Number(d.startup);
  row.active = ActiveText(d);
  row.recovery = Number(d.recovery);
  for (const ActiveRange& r : d.active) {
    if (!row.hits.empty()) row.hits += ", ";
    row.hits += std::to_string(r.damage);
    if (GuardName(r.guard) != nullptr) row.hits += std::string(" ") + GuardName(r.guard);
  }
  return row;
}

// An aligned table: numbers to the right, words to the left, "-" for an empty figure.
void PrintText(const std::vector<FrameData>& data) {
  constexpr int kColumns = 9;
  using Cells = std::array<std::string, kColumns>;
  constexpr std::array<bool, kColumns> kLeft = {false, true, false, false, false,
                                                false, true, false, true};
  std::vector<Cells> rows = {
      {"motion", "name", "first", "last", "frames", "startup", "active", "recovery", "hits"}};
  for (const FrameData& d : data) {
    Row r = MakeRow(d);
    if (d.neverLands) {
      rows.push_back({r.motion, r.name, r.first, r.last, "never lands"});
      continue;
    }
    rows.push_back(
        {r.motion, r.name, r.first, r.last, r.frames, r.startup, r.active, r.recovery, r.hits});
    for (size_t c = 5; c < kColumns; ++c) {
      if (rows.back()[c].empty()) rows.back()[c].assign(1, '-');
    }
  }
  std::array<size_t, kColumns> width{};
  for (const Cells& cells : rows) {
    for (int c = 0; c < kColumns; ++c) {
      // The never-lands note may run past its column: it is the row's last cell.
      if (cells[c] != "never lands") width[c] = std::max(width[c], cells[c].size());
    }
  }
  for (const Cells& cells : rows) {
    std::string line;
    for (int c = 0; c < kColumns; ++c) {
      if (c > 0) line += "  ";
      const std::string pad(width[c] > cells[c].size() ? width[c] - cells[c].size() : 0, ' ');
      line += kLeft[c] || cells[c] == "never lands" ? cells[c] + pad : pad + cells[c];
    }
    line.erase(line.find_last_not_of(' ') + 1);
    std::printf("%s\n", line.c_str());
  }
}

void PrintCsv(const std::vector<FrameData>& data) {
  std::printf("motion,name,first,last,frames,startup,active,recovery,damage,guard\n");
  for (const FrameData& d : data) {
    const Row r = MakeRow(d);
    std::string damage, guard;
    if (!d.neverLands && !d.active.empty()) {
      damage = std::to_string(d.active.front().damage);
      guard = GuardText(d.active.front().guard);
    }
    std::printf("%s,%s,%s,%s,%s,%s,%s,%s,%s,%s\n", r.motion.c_str(), r.name.c_str(),
                r.first.c_str(), r.last.c_str(), r.frames.c_str(), r.startup.c_str(),
                r.active.c_str(), r.recovery.c_str(), damage.c_str(), guard.c_str());
  }
}

// A Markdown table for wikis: the text table's columns, numbers to the right, "-" for an empty
// figure, "never lands" in the frames column of such a motion.
void PrintMarkdown(const std::vector<FrameData>& data) {
  std::printf("| motion | name | first | last | frames | startup | active | recovery | hits |\n");
  std::printf("|---:|---|---:|---:|---:|---:|---|---:|---|\n");
  for (const FrameData& d : data) {
    Row r = MakeRow(d);
    if (d.neverLands) r.frames = "never lands";
    for (std::string* cell : {&r.startup, &r.active, &r.recovery, &r.hits}) {
      if (cell->empty()) *cell = "-";
    }
    std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", r.motion.c_str(),
                r.name.c_str(), r.first.c_str(), r.last.c_str(), r.frames.c_str(),
                r.startup.c_str(), r.active.c_str(), r.recovery.c_str(), r.hits.c_str());
  }
}

nlohmann::ordered_json JsonNumber(const std::optional<int64_t>& n) {
  return n ? nlohmann::ordered_json(*n) : nlohmann::ordered_json();
}

void PrintJson(const std::vector<FrameData>& data) {
  auto all = nlohmann::ordered_json::array();
  for (const FrameData& d : data) {
    nlohmann::ordered_json active, hits;  // null for a motion that never lands
    if (!d.neverLands) {
      active = hits = nlohmann::ordered_json::array();
      for (const ActiveRange& r : d.active) {
        active.push_back({r.from, r.to});
        const std::string guard = GuardText(r.guard);
        nlohmann::ordered_json hit = {{"damage", r.damage}, {"guard", nullptr}};
        if (!guard.empty()) hit["guard"] = guard;
        hits.push_back(hit);
      }
    }
    all.push_back({{"motion", d.motion},
                   {"name", MotionName(d.motion)},
                   {"first", d.first},
                   {"last", d.last},
                   {"frames", JsonNumber(d.neverLands ? std::nullopt : std::optional(d.frames))},
                   {"startup", JsonNumber(d.startup)},
                   {"active", active},
                   {"recovery", JsonNumber(d.recovery)},
                   {"hits", hits}});
  }
  std::printf("%s\n", all.dump(2).c_str());
}

}  // namespace

// Exit 0; 1 when the list has errors (the frame data of what was read is still printed); 2 when
// motion.lst cannot be read or the arguments are wrong.
int RunFrames(const ToolArgs& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--motion", "--format"}, {}, &parsed, &error) || parsed.words.size() > 1) {
    std::fprintf(stderr, "boxtool frames: %s\n%s",
                 error.empty() ? "too many arguments" : error.c_str(), kUsage);
    return 2;
  }
  std::optional<int> onlyMotion;
  if (!MotionOption(parsed, "frames", kUsage, &onlyMotion)) return 2;
  const std::string format = parsed.Option("--format").value_or("text");
  if (format != "text" && format != "csv" && format != "json" && format != "markdown") {
    std::fprintf(stderr, "boxtool frames: no format '%s'\n%s", format.c_str(), kUsage);
    return 2;
  }

  auto list = std::make_unique<MotionList>();
  Diagnostics diagnostics;
  if (!ReadCharacterList(parsed.words.empty() ? "." : parsed.words[0], *list, &diagnostics)) {
    return 2;
  }
  for (const Diagnostic& d : diagnostics) std::fprintf(stderr, "%s\n", FormatDiagnostic(d).c_str());

  std::vector<FrameData> data;
  for (int32_t m = 0; m < kMotionCount; ++m) {
    if ((onlyMotion && m != *onlyMotion) || m * kPatternsPerMotion > list->lastPattern) continue;
    if (std::optional<FrameData> d = ComputeFrameData(*list, m)) data.push_back(*d);
  }
  if (onlyMotion && data.empty()) {
    const int first = *onlyMotion * kPatternsPerMotion;
    std::fprintf(
        stderr, "boxtool frames: motion %d has no frame data: its first slot, pattern %d, %s\n",
        *onlyMotion, first,
        first > list->lastPattern
            ? ("is past the last pattern read (" + std::to_string(list->lastPattern) + ")").c_str()
            : "is empty");
  }
  if (format == "csv") {
    PrintCsv(data);
  } else if (format == "json") {
    PrintJson(data);
  } else if (format == "markdown") {
    PrintMarkdown(data);
  } else {
    PrintText(data);
  }
  return HasErrors(diagnostics) ? 1 : 0;
}

}  // namespace boxedit
