// A full pattern list of 1300 slots with varied values, as a large character's would be.
#pragma once

#include <cstdio>
#include <memory>

#include "chardata/list_writer.h"
#include "chardata/pattern_table.h"

namespace boxedit {

inline const ListHeader kHeader{"BENCH", {0, 255, 0, 3}, "END"};

// Every slot filled; each motion's tenth slot goes back to its first, and one pattern in seven
// lasts until the character is back on the ground. Pictures cycle through 0..pictures-1.
inline std::unique_ptr<MotionList> FullTable(int pictures = 256) {
  auto list = std::make_unique<MotionList>();
  list->gravity = kHeader.numbers[3];
  for (int i = 0; i < kPatternCount; ++i) {
    PatternRecord& r = list->patterns[i];
    r.to = i % 10 == 9 ? i - 9 : -1;
    r.speed = i % 7;
    r.picture = i % pictures;
    r.circo = i % 60;
    r.voice = 9;
    r.vx = (i * 13) % 200 - 100;
    r.vy = (i * 7) % 120;
    r.clash = i % 3 - 1;
    r.guard = i % 4;
    r.damage = i % 50;
    r.hitTo = -1;
    r.flags = static_cast<uint32_t>(i % 16);
    r.defense[0] = {-18, 72 + i % 40, 18, 0};
    r.defense[1] = {-(i % 255), i % 511, i % 200, i % 100};
    r.attack[0] = {i % 255, 200 - i % 100, 255 - i % 50, 10};
    std::snprintf(r.comment.data(), kCommentSize, "MOTION%d-%d", i / 10, i % 10);
  }
  list->lastPattern = kPatternCount - 1;
  return list;
}

}  // namespace boxedit
