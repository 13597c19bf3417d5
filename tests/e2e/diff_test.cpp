// End-to-end: boxtool diff on the sample and on copies of it with every field changed once.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "chardata/field_ranges.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

class DiffTest : public testing::BoxtoolFolder {};

// Each field, box coordinate and header word changed once, each in a slot of its own, and one
// slot emptied: the diff names every change with both values, in slot order.
TEST_F(DiffTest, NamesEveryChangedFieldWithBothValues) {
  ASSERT_EQ(Boxtool("make-sample ."), 0);
  EXPECT_EQ(std::pair(Boxtool("diff . motion.lst"), dir_.Read("out.txt")),
            std::pair(0, std::string()));
  auto list = std::make_unique<MotionList>();
  ReadHeader header;
  ASSERT_TRUE(LoadText(*list, dir_.Read("motion.lst"), nullptr, &header).empty());
  const char* names[] = {"to",    "speed", "picture", "depth", "circo", "voice",  "vx",
                         "rx",    "vy",    "ry",      "clash", "guard", "damage", "hit_to",
                         "hit_i", "flags", "x1",      "y1",    "x2",    "y2"};
  std::string expected = "header first word: " + header.words.firstWord +
                         " -> NEW\ngravity: " + std::to_string(header.words.numbers[3]) + " -> 3\n";
  std::vector<int> slots;  // the slots the sample fills, but 0
  for (int i = 1; i <= list->lastPattern; ++i)
    if (!list->patterns[i].IsEmpty()) slots.push_back(i);
  size_t n = 0;
  auto line = [&](const std::string& what, int64_t from, int64_t to) {
    expected += std::to_string(slots[n++]) + " " + what + ": " + std::to_string(from) + " -> " +
                std::to_string(to) + "\n";
  };
  for (int f = 0; f < 16; ++f) {
    PatternRecord& r = list->patterns[slots[n]];
    const int32_t from = AttributeValue(r, Field(f)), to = f == 11 ? (from == 0 ? 1 : 0) : from + 1;
    SetAttribute(r, Field(f), to), line(names[f], from, to);
  }
  int32_t& extra = list->patterns[slots[n]].extra;
  line("extra", std::exchange(extra, 7), 7);
  for (int b = 0; b < 12; ++b) {
    PatternRecord& r = list->patterns[slots[n]];
    Box& box = b < 4 ? r.defense[0] : b < 8 ? r.defense[1] : r.attack[0];
    const char* group = b < 4 ? "defense 0 " : b < 8 ? "defense 1 " : "attack 0 ";
    line(group + std::string(names[16 + b % 4]),
         std::exchange(CoordinateOf(box, Field(16 + b % 4)), 100 + b), 100 + b);
  }
  char* comment = list->patterns[slots[n]].comment.data();
  expected += std::to_string(slots[n++]) + " comment: " + comment + " -> renamed\n";
  std::strcpy(comment, "renamed");
  list->patterns[slots[n]].picture = -1, expected += std::to_string(slots[n]) + ": only in a\n";
  header.words.firstWord = "NEW", header.words.numbers[3] = 3;
  dir_.Write("b.lst", FormatList(*list, header.words, SaveLayout::kS));
  EXPECT_EQ(Boxtool("diff motion.lst b.lst"), 1);
  EXPECT_EQ(dir_.Read("out.txt"), expected);

  // A replay that types y1 of each of pattern 0's boxes (the 18th field): those three changes.
  std::string tabs;
  for (int i = 0; i < 18; ++i) tabs += "key Tab\n";
  ASSERT_EQ(Replay("key F2\n" + tabs + "type 150\nkey F1\ntype 140\nkey F5\ntype 55\nkey S\n"), 0);
  EXPECT_EQ(Boxtool("diff motion.lst motion2.lst"), 1);
  EXPECT_EQ(dir_.Read("out.txt"),
            "0 defense 0 y1: 131 -> 140\n0 defense 1 y1: 131 -> 150\n0 attack 0 y1: 0 -> 55\n");
  EXPECT_EQ(Boxtool("diff motion.lst missing.lst"), 2);
}

}  // namespace
}  // namespace boxedit
