// Building motion.lst texts and inspecting tables in the character-data tests.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chardata/diagnostics.h"
#include "chardata/list_reader.h"
#include "chardata/pattern_table.h"

namespace boxedit::testing {

// A header of six words over three lines: key colour (0, 255, 0), gravity 3.
inline constexpr std::string_view kHeader = "CHARA\n0 255 0 3\nEND\n";

// The 22 words of a plausible record for `index`, to be changed one by one by a test.
inline std::vector<std::string> RecordWords(int index) {
  return {std::to_string(index),
          "-1",
          "4",
          "7",
          "0",
          "3",
          "9",
          "40",
          "0",
          "0",
          "0",
          "0",
          "-1",
          "U",
          "0",
          "-1",
          "0",
          "1010",
          "112048012000",
          "11E02801900A",
          "01403C03402C",
          "A1"};
}

// The words joined by blanks, with a line end.
inline std::string Line(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& w : words) line += (line.empty() ? "" : " ") + w;
  return line + "\n";
}

inline std::string RecordLine(int index) {
  return Line(RecordWords(index));
}

// A table on the heap (it is too large for a test's stack frame under the sanitizers).
inline std::unique_ptr<MotionList> NewTable() {
  return std::make_unique<MotionList>();
}

inline std::unique_ptr<MotionList> LoadNew(std::string_view text, Diagnostics* diagnostics) {
  auto list = NewTable();
  *diagnostics = LoadText(*list, text);
  return list;
}

// Every field of a record in one line of text, so that a mismatch shows where it lies.
inline std::string Describe(const PatternRecord& r) {
  char text[1024];
  int n = std::snprintf(text, sizeof text,
                        "to=%d speed=%d pic=%d depth=%d circo=%d voice=%d vx=%d rx=%d vy=%d ry=%d "
                        "extra=%d clash=%d guard=%d dmg=%d hitTo=%d hitI=%d flags=%u",
                        r.to, r.speed, r.picture, r.depth, r.circo, r.voice, r.vx, r.rx, r.vy, r.ry,
                        r.extra, r.clash, r.guard, r.damage, r.hitTo, r.hitI, r.flags);
  for (const auto* group : {&r.defense, &r.attack}) {
    for (const Box& b : *group) {
      n += std::snprintf(text + n, sizeof text - n, " (%d,%d,%d,%d)", b.x1, b.y1, b.x2, b.y2);
    }
  }
  std::snprintf(text + n, sizeof text - n, " comment=%.*s", kCommentSize, r.comment.data());
  return text;
}

inline std::vector<std::string> Formatted(const Diagnostics& diagnostics) {
  std::vector<std::string> lines;
  for (const Diagnostic& d : diagnostics) lines.push_back(FormatDiagnostic(d));
  return lines;
}

}  // namespace boxedit::testing
