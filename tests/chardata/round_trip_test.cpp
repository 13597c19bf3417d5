// Randomly filled tables written in either layout read back to the same slots.
#include <gtest/gtest.h>

#include <random>

#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "list_text.h"

namespace boxedit {
namespace {

using testing::Describe;

class RandomTable {
 public:
  explicit RandomTable(uint32_t seed) : rng_(seed) {}

  // A table with about a third of its slots filled, some of them above lastPattern.
  std::unique_ptr<MotionList> Make() {
    auto list = testing::NewTable();
    list->ResetSlots();
    list->lastPattern = Int(0, kPatternCount - 1);
    for (PatternRecord& r : list->patterns) {
      if (Int(0, 2) != 0) continue;
      for (int32_t* f : {&r.to, &r.speed, &r.depth, &r.circo, &r.voice, &r.vx, &r.rx, &r.vy, &r.ry,
                         &r.extra, &r.clash, &r.damage, &r.hitTo, &r.hitI}) {
        *f = Value();
      }
      r.picture = Int(0, 1) ? Int(0, 255) : Int(0, INT32_MAX);
      r.guard = std::array{0, 1, 2, 3, 9}[Int(0, 4)];
      r.flags = static_cast<uint32_t>(Int(0, 15));
      for (Box* b : {&r.defense[0], &r.defense[1], &r.attack[0]}) {
        *b = {Int(-255, 255), Int(0, 511), Int(-255, 255), Int(0, 511)};
      }
      const int size = Int(1, kCommentSize - 1);
      for (int k = 0; k < size; ++k) r.comment[k] = static_cast<char>(Int('!', '~'));
    }
    return list;
  }

 private:
  int32_t Int(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(rng_);
  }
  // Small values most of the time, so that the minimum widths matter, and any value sometimes.
  int32_t Value() { return Int(0, 3) ? Int(-12, 120) : Int(INT32_MIN, INT32_MAX); }

  std::mt19937 rng_;
};

TEST(RoundTrip, SavedSlotsReadBackEqualInBothLayouts) {
  const ListHeader header{"HEAD", {1, 2, 3, -40}, "TAIL"};
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    auto original = RandomTable(seed).Make();
    for (SaveLayout layout : {SaveLayout::kS, SaveLayout::kL}) {
      auto back = testing::NewTable();
      const Diagnostics d = LoadText(*back, FormatList(*original, header, layout));
      ASSERT_TRUE(d.empty()) << FormatDiagnostic(d[0]);
      EXPECT_EQ(back->gravity, -40);
      int highestSaved = 0;
      for (int i = 0; i < kPatternCount; ++i) {
        const PatternRecord& o = original->patterns[i];
        const PatternRecord& b = back->patterns[i];
        if (i <= original->lastPattern && !o.IsEmpty()) {
          ASSERT_EQ(Describe(b), Describe(o)) << "seed " << seed << " slot " << i;
          highestSaved = i;
        } else {
          // Empty slots stay empty and slots above lastPattern are not carried over.
          ASSERT_TRUE(b.IsEmpty()) << "seed " << seed << " slot " << i;
        }
      }
      EXPECT_EQ(back->lastPattern, highestSaved);
    }
  }
}

}  // namespace
}  // namespace boxedit
