// The sample character's three files: their layouts, the tiles they hold and a pattern list
// whose motions show off every part of the view.
#include "sample/sample_character.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../support/temp_dir.h"
#include "chardata/list_reader.h"
#include "display/pixel_layout.h"
#include "sample_files.h"

namespace boxedit {
namespace {

using testing::MapEntry;
using testing::PicturePixel;
using testing::Sample;
using testing::SheetPixel;

// The table as the editor reads it from motion.lst, which must read without a diagnostic.
const MotionList& Loaded() {
  static const MotionList* list = [] {
    auto* l = new MotionList();
    for (const Diagnostic& d : LoadText(*l, Sample().motionList)) {
      ADD_FAILURE() << FormatDiagnostic(d);
    }
    return l;
  }();
  return *list;
}

TEST(SampleFiles, HaveTheLayoutsTheEditorReads_AndTheSameBytesEveryTime) {
  const std::vector<uint8_t>& f = Sample().tileSheet;
  ASSERT_EQ(f.size(), 14u + 40u + 1024u + 640u * 1440u);
  EXPECT_EQ(Sample().pictures.size(), 153600u);
  const SampleCharacter again = MakeSampleCharacter();
  EXPECT_EQ(again.motionList, Sample().motionList);
  EXPECT_TRUE(again.tileSheet == f && again.pictures == Sample().pictures);
}

// Black, palette index 0, is the key colour and the background of every tile (the sample seen
// in the view checks both); the blits leave out every pixel equal to the key, so no other colour
// used on the sheet may become it in either layout.
TEST(SampleTileSheet, NoColourButTheBackgroundIsTheKey_AndMapsUseOnlyWrittenTiles) {
  const SampleCharacter& s = Sample();
  std::set<uint8_t> used;
  for (int y = 0; y < 720; ++y) {
    for (int x = 0; x < 640; ++x) used.insert(SheetPixel(s, x, y));
  }
  for (uint8_t i : used) {
    const uint8_t* c = &s.tileSheet[54 + 4 * i];
    EXPECT_EQ(RgbToPixel(true, c[2], c[1], c[0]) == 0, i == 0) << "index " << int(i);
    EXPECT_EQ(RgbToPixel(false, c[2], c[1], c[0]) == 0, i == 0) << "index " << int(i);
  }
  ASSERT_GT(s.tileCount, 0);
  for (int p = 0; p < 256; ++p) {
    int tiles = 0;
    for (int i = 0; i < 300; ++i) {
      const uint16_t t = MapEntry(s, p, i / 20, i % 20);
      if (t == 0xFFFF) continue;
      ++tiles;
      EXPECT_LT(t, s.tileCount) << "picture " << p;
    }
    EXPECT_TRUE(p < s.pictureCount ? tiles > 10 : tiles == 0) << "picture " << p;
  }
}

TEST(SampleList, HasEmptySlotsBetweenPatterns) {
  const MotionList& list = Loaded();
  EXPECT_EQ(list.gravity, kSampleGravity);
  int used = 0;
  for (const PatternRecord& r : list.patterns) used += !r.IsEmpty();
  EXPECT_GE(used, 30);
  EXPECT_FALSE(list.patterns[3].IsEmpty());
  for (int i = 4; i <= 9; ++i) EXPECT_TRUE(list.patterns[i].IsEmpty()) << i;
  EXPECT_FALSE(list.patterns[10].IsEmpty());
}

// The jumps rise (vy > 0), chain with to = -1 into a slot that falls until it lands (speed 0),
// so the motion strip draws an arc; the back jump moves left and the forward jump right.
TEST(SampleList, JumpsRiseAndFallAlongAChain) {
  const MotionList& list = Loaded();
  for (const int motion : {6, 7, 8}) {
    int rising = -1, falling = -1, vx = 0;
    for (int i = 10 * motion; list.patterns[i].to == -1; ++i) {
      if (list.patterns[i].vy > 0 && rising < 0) rising = i;
      if (list.patterns[i].speed <= 0 && rising >= 0) falling = i;
      vx += list.patterns[i].vx;
    }
    EXPECT_GE(rising, 0) << "motion " << motion;
    EXPECT_GT(falling, rising) << "motion " << motion;
    EXPECT_EQ(vx < 0, motion == 7) << "motion " << motion;
    EXPECT_EQ(vx > 0, motion == 8) << "motion " << motion;
  }
}

// Attack boxes sit on the fist or foot of the strikes: within the view, in front of the body,
// with the fighter under their middle. The strikes use circo 44, 46 and 53 as well as 0.
TEST(SampleList, AttackBoxesSitOnTheStrikes_WhichUseEveryCirco) {
  std::set<int> motions, circo;
  for (int i = 0; i < kPatternCount; ++i) {
    const PatternRecord& r = Loaded().patterns[i];
    const Box& a = r.attack[0];
    if (r.IsEmpty()) continue;
    circo.insert(r.circo);
    if (a == Box{}) continue;
    motions.insert(Motion(i));
    EXPECT_TRUE(a.x1 > 18 && a.x1 < a.x2 && a.x2 <= 159) << i;
    EXPECT_TRUE(a.y2 >= 0 && a.y2 < a.y1 && a.y1 <= 239) << i;
    // View point (x, y) is picture pixel (161 + x, 239 - y).
    const int cx = 161 + (a.x1 + a.x2) / 2, cy = 239 - (a.y1 + a.y2) / 2;
    EXPECT_NE(PicturePixel(Sample(), r.picture, cx, cy), 0) << "slot " << i;
  }
  EXPECT_EQ(motions, (std::set<int>{25, 26, 27, 29, 35}));
  EXPECT_EQ(circo, (std::set<int>{0, 44, 46, 53}));
}

TEST(WriteSampleCharacter, WritesTheThreeFiles_OrSaysWhyNot) {
  testing::TempDir dir;
  dir.Write("pattern.pat", std::string(200000, 'y'));
  ASSERT_TRUE(WriteSampleCharacter(dir.path(), nullptr));
  const SampleCharacter& s = Sample();
  EXPECT_EQ(dir.Read("motion.lst"), s.motionList);
  EXPECT_EQ(dir.Read("chara.bmp"), std::string(s.tileSheet.begin(), s.tileSheet.end()));
  EXPECT_EQ(dir.Read("pattern.pat"), std::string(s.pictures.begin(), s.pictures.end()));
  std::string error;
  EXPECT_FALSE(WriteSampleCharacter(dir / "motion.lst" / "sample", &error));
  EXPECT_EQ(error.rfind("cannot create " + (dir / "motion.lst" / "sample").string(), 0), 0u);
}

}  // namespace
}  // namespace boxedit
