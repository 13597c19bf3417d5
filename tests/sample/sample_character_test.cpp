// The sample character's three files: their layouts, the pictures they hold and a pattern list
// whose motions show off every part of the view.
#include "sample/sample_character.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>

#include "../support/temp_dir.h"
#include "chardata/list_reader.h"
#include "display/pixel_layout.h"
#include "sample_files.h"
#include "view/info_panels.h"

namespace boxedit {
namespace {

using testing::MapEntry;
using testing::PicturePixel;
using testing::Sample;
using testing::SheetPixel;
using testing::TempDir;

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

bool IsZero(const Box& b) {
  return b == Box{};
}

// The table as the editor reads it from motion.lst.
const MotionList& Loaded() {
  static const MotionList* list = [] {
    auto* l = new MotionList();
    const Diagnostics problems = LoadText(*l, Sample().motionList);
    for (const Diagnostic& d : problems) ADD_FAILURE() << FormatDiagnostic(d);
    return l;
  }();
  return *list;
}

std::vector<int> UsedSlots() {
  std::vector<int> out;
  for (int i = 0; i < kPatternCount; ++i) {
    if (!Loaded().patterns[i].IsEmpty()) out.push_back(i);
  }
  return out;
}

TEST(SampleFiles, HaveTheSizesTheEditorReads) {
  EXPECT_EQ(Sample().tileSheet.size(), 14u + 40u + 1024u + 640u * 1440u);
  EXPECT_EQ(Sample().pictures.size(), 153600u);
  EXPECT_GT(Sample().pictureCount, 10);
  EXPECT_GT(Sample().tileCount, 0);
  EXPECT_LT(Sample().tileCount, 1800);
}

TEST(SampleFiles, AreTheSameOnEveryBuild) {
  const SampleCharacter again = MakeSampleCharacter();
  EXPECT_EQ(again.motionList, Sample().motionList);
  EXPECT_TRUE(again.tileSheet == Sample().tileSheet);
  EXPECT_TRUE(again.pictures == Sample().pictures);
}

TEST(SampleTileSheet, HeaderDescribesAn8Bit640x1440Bitmap) {
  const std::vector<uint8_t>& f = Sample().tileSheet;
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  EXPECT_EQ(U32(f, 2), f.size());
  EXPECT_EQ(U32(f, 10), 1078u);
  EXPECT_EQ(U32(f, 14), 40u);
  EXPECT_EQ(U32(f, 18), 640u);
  EXPECT_EQ(U32(f, 22), 1440u);
  EXPECT_EQ(f[28], 8);
  EXPECT_EQ(U32(f, 30), 0u);
  EXPECT_EQ(U32(f, 46), 256u);
}

// Black at index 0 is the key colour of the list header. The tile loader compares the palette
// index with the key pixel, and blits leave out every pixel equal to it, so no other colour of
// the fighter may turn into that pixel in either layout.
TEST(SampleTileSheet, OnlyTheBackgroundIndexBecomesTheKeyPixel) {
  const std::vector<uint8_t>& f = Sample().tileSheet;
  EXPECT_EQ(f[54], 0);
  EXPECT_EQ(f[55], 0);
  EXPECT_EQ(f[56], 0);
  std::set<uint8_t> used;
  for (int y = 0; y < 720; ++y) {
    for (int x = 0; x < 640; ++x) used.insert(SheetPixel(Sample(), x, y));
  }
  EXPECT_TRUE(used.count(0));
  EXPECT_GE(used.size(), 8u) << "skin, clothes, hair, outline and their shades";
  for (uint8_t i : used) {
    if (i == 0) continue;
    const int r = f[54 + 4 * i + 2], g = f[54 + 4 * i + 1], b = f[54 + 4 * i];
    EXPECT_NE(RgbToPixel(true, r, g, b), 0) << "index " << int(i);
    EXPECT_NE(RgbToPixel(false, r, g, b), 0) << "index " << int(i);
  }
}

TEST(SampleTileSheet, TilesAreDistinctAndNeverBlank_AndTheRestIsBackground) {
  const SampleCharacter& s = Sample();
  std::set<std::vector<uint8_t>> seen;
  for (int t = 0; t < 1800; ++t) {
    std::vector<uint8_t> tile;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x)
        tile.push_back(SheetPixel(s, 16 * (t % 40) + x, 16 * (t / 40) + y));
    }
    const bool blank = std::all_of(tile.begin(), tile.end(), [](uint8_t p) { return p == 0; });
    if (t < s.tileCount) {
      EXPECT_FALSE(blank) << "tile " << t;
      EXPECT_TRUE(seen.insert(tile).second) << "tile " << t << " is stored twice";
    } else {
      ASSERT_TRUE(blank) << "cell " << t << " lies past the tiles written";
    }
  }
  // The first block of the pixel data, which the loader reads and drops, is background.
  EXPECT_TRUE(std::all_of(s.tileSheet.begin() + 1078, s.tileSheet.begin() + 1078 + 460800,
                          [](uint8_t p) { return p == 0; }));
}

TEST(SamplePictures, UseOnlyWrittenTiles_InTheVisibleColumns) {
  const SampleCharacter& s = Sample();
  for (int p = 0; p < 256; ++p) {
    int tiles = 0;
    for (int r = 0; r < 15; ++r) {
      for (int c = 0; c < 20; ++c) {
        const uint16_t t = MapEntry(s, p, r, c);
        if (t == 0xFFFF) continue;
        ++tiles;
        EXPECT_LT(t, s.tileCount) << "picture " << p;
        EXPECT_LT(t, 1800) << "picture " << p;
        EXPECT_GE(c, 2) << "picture " << p << ": map columns 0 and 1 are never drawn";
      }
    }
    if (p < s.pictureCount) {
      EXPECT_GT(tiles, 10) << "picture " << p;
    } else {
      EXPECT_EQ(tiles, 0) << "picture " << p;
    }
  }
}

// Picture pixel (x, y) lands on screen (x, y + 1), and the view's origin is screen (161, 240):
// a standing fighter has its feet on the bottom row, around the axis column.
TEST(SamplePictures, StandingFighterHasItsFeetOnTheGroundAroundTheAxis) {
  const SampleCharacter& s = Sample();
  const int picture = Loaded().patterns[0].picture;
  int left = 320, right = -1, top = 240;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      if (PicturePixel(s, picture, x, y) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
    }
  }
  bool onGround = false;
  for (int x = 0; x < 320; ++x) onGround |= PicturePixel(s, picture, x, 239) != 0;
  EXPECT_TRUE(onGround);
  EXPECT_LT(left, 161 - 10);
  EXPECT_GT(right, 161 + 10);
  EXPECT_LT(right - left, 120);
  EXPECT_LT(top, 239 - 100) << "the fighter is at least 100 pixels tall";
}

TEST(SampleList, LoadsWithoutProblems_WithBlackAsKeyAndAPositiveGravity) {
  const std::string& text = Sample().motionList;
  EXPECT_EQ(text.rfind("SAMPLE\n  0   0   0  10\nFIGHTER\n", 0), 0u) << text.substr(0, 40);
  EXPECT_EQ(Loaded().gravity, 10);

  TempDir dir;
  ASSERT_TRUE(WriteSampleCharacter(dir.path(), nullptr));
  EXPECT_EQ(ReadKeyColour(dir.path(), true), 0);
  EXPECT_EQ(ReadKeyColour(dir.path(), false), 0);
}

TEST(SampleList, ReadsBackAsTheTableItWasWrittenFrom) {
  const std::unique_ptr<MotionList> made = SampleMotionList();
  const MotionList& read = Loaded();
  EXPECT_EQ(read.lastPattern, made->lastPattern);
  for (int i = 0; i < kPatternCount; ++i) {
    const PatternRecord& a = made->patterns[i];
    const PatternRecord& b = read.patterns[i];
    ASSERT_EQ(a.IsEmpty(), b.IsEmpty()) << i;
    if (a.IsEmpty()) continue;
    EXPECT_EQ(std::tie(a.to, a.speed, a.picture, a.depth, a.circo, a.voice, a.vx, a.rx, a.vy, a.ry,
                       a.extra, a.clash, a.guard, a.damage, a.hitTo, a.hitI, a.flags),
              std::tie(b.to, b.speed, b.picture, b.depth, b.circo, b.voice, b.vx, b.rx, b.vy, b.ry,
                       b.extra, b.clash, b.guard, b.damage, b.hitTo, b.hitI, b.flags))
        << "slot " << i;
    EXPECT_EQ(a.defense, b.defense) << "slot " << i;
    EXPECT_EQ(a.attack, b.attack) << "slot " << i;
    EXPECT_STREQ(a.comment.data(), b.comment.data()) << "slot " << i;
  }
}

TEST(SampleList, EverySlotShowsAPictureOfTheFighter_InANamedMotion) {
  for (int i : UsedSlots()) {
    const PatternRecord& r = Loaded().patterns[i];
    EXPECT_GE(r.picture, 0);
    EXPECT_LT(r.picture, Sample().pictureCount) << "slot " << i;
    EXPECT_STRNE(MotionName(Motion(i)), "SPECIAL") << "slot " << i;
  }
  EXPECT_GE(UsedSlots().size(), 30u);
}

TEST(SampleList, HasEmptySlotsBetweenPatterns) {
  const MotionList& list = Loaded();
  EXPECT_FALSE(list.patterns[3].IsEmpty());
  for (int i = 4; i <= 9; ++i) EXPECT_TRUE(list.patterns[i].IsEmpty()) << i;
  EXPECT_FALSE(list.patterns[10].IsEmpty());
  EXPECT_TRUE(list.patterns[40].IsEmpty());  // motion 4 is not used at all
}

// Motion runs continue while `to` is -1 and end at a slot that names the next pattern.
TEST(SampleList, MotionRunsEndOnSlotsThatNameAPattern) {
  for (int i : UsedSlots()) {
    const PatternRecord& r = Loaded().patterns[i];
    if (r.to == -1) {
      EXPECT_FALSE(Loaded().patterns[i + 1].IsEmpty()) << "slot " << i << " runs into nothing";
    } else {
      ASSERT_GE(r.to, 0) << i;
      EXPECT_FALSE(Loaded().patterns[r.to].IsEmpty()) << "slot " << i << " goes to " << r.to;
    }
  }
}

// The jumps rise (vy > 0), chain with to = -1 into a slot that falls until it lands (speed 0)
// so the motion strip draws an arc; the forward jump also moves right and the back jump left.
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
    if (motion == 7) {
      EXPECT_LE(vx, -20);
    }
    if (motion == 8) {
      EXPECT_GE(vx, 20);
    }
  }
  EXPECT_GT(list.patterns[20].vx, 0) << "WALK-R walks right";
  EXPECT_LT(list.patterns[10].vx, 0) << "WALK-L walks left";
}

TEST(SampleList, DefenseBoxesCoverTheBodyAndHead) {
  for (int i : UsedSlots()) {
    const PatternRecord& r = Loaded().patterns[i];
    const Box& body = r.defense[0];
    const Box& head = r.defense[1];
    EXPECT_EQ(body.x1, -18) << i;
    EXPECT_EQ(body.x2, 18) << i;
    EXPECT_GE(body.y2, 0) << i;
    EXPECT_GT(body.y1, body.y2 + 40) << i;
    EXPECT_LE(body.y1, 239) << i;
    EXPECT_LT(head.x1, head.x2) << i;
    EXPECT_GT(head.y1, head.y2) << i;
    EXPECT_LE(head.y1, body.y1 + 2) << i;
    EXPECT_GE(head.y2, body.y2) << i;
  }
}

// Attack boxes sit on the fist or foot of the punches and kicks: the middle of each box shows
// the fighter, the box lies within the view, and only attack motions have one.
TEST(SampleList, AttackBoxesSitOnTheStrikingFistOrFoot) {
  std::set<int> motionsWithAttack;
  for (int i : UsedSlots()) {
    const PatternRecord& r = Loaded().patterns[i];
    const Box& a = r.attack[0];
    if (IsZero(a)) continue;
    motionsWithAttack.insert(Motion(i));
    EXPECT_LT(a.x1, a.x2) << i;
    EXPECT_GT(a.y1, a.y2) << i;
    EXPECT_GE(a.x1, -160) << i;
    EXPECT_LE(a.x2, 159) << i;
    EXPECT_GE(a.y2, 0) << i;
    EXPECT_LE(a.y1, 239) << i;
    // View point (x, y) is picture pixel (161 + x, 239 - y).
    const int cx = 161 + (a.x1 + a.x2) / 2, cy = 239 - (a.y1 + a.y2) / 2;
    EXPECT_NE(PicturePixel(Sample(), r.picture, cx, cy), 0) << "slot " << i;
    // The fist or foot reaches out in front of the body.
    EXPECT_GT(a.x1, 18) << i;
  }
  EXPECT_EQ(motionsWithAttack, (std::set<int>{25, 26, 27, 29, 35}));
}

TEST(SampleList, ValuesVarySoEveryPanelShowsSomething) {
  std::set<int32_t> circo, guard, clash, voice, depth, ry, hitI;
  std::set<uint32_t> flags;
  for (int i : UsedSlots()) {
    const PatternRecord& r = Loaded().patterns[i];
    circo.insert(r.circo);
    guard.insert(r.guard);
    clash.insert(r.clash);
    voice.insert(r.voice);
    flags.insert(r.flags);
    depth.insert(r.depth);
    ry.insert(r.ry);
    hitI.insert(r.hitI);
  }
  for (int c : {44, 46, 53}) EXPECT_TRUE(circo.count(c)) << "circo " << c;
  EXPECT_EQ(guard, (std::set<int32_t>{0, 1, 2, 3, 9}));
  EXPECT_EQ(clash, (std::set<int32_t>{-1, 0, 1, 8}));
  EXPECT_TRUE(voice.count(9));
  EXPECT_GE(voice.size(), 3u);
  EXPECT_GE(flags.size(), 6u);
  uint32_t allFlags = 0;
  for (uint32_t f : flags) allFlags |= f;
  EXPECT_EQ(allFlags, 15u);
  EXPECT_GE(depth.size(), 2u);
  EXPECT_GE(ry.size(), 2u);
  EXPECT_GE(hitI.size(), 3u);
}

TEST(WriteSampleCharacter, CreatesTheFolderAndWritesTheThreeFiles) {
  TempDir dir;
  const std::filesystem::path target = dir / "nested/sample";
  std::string error;
  ASSERT_TRUE(WriteSampleCharacter(target, &error)) << error;
  auto read = [&](const char* name) {
    std::ifstream in(target / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const SampleCharacter& s = Sample();
  EXPECT_EQ(read("motion.lst"), s.motionList);
  EXPECT_EQ(read("chara.bmp"), std::string(s.tileSheet.begin(), s.tileSheet.end()));
  EXPECT_EQ(read("pattern.pat"), std::string(s.pictures.begin(), s.pictures.end()));
}

TEST(WriteSampleCharacter, ReplacesEarlierFilesWhole) {
  TempDir dir;
  dir.Write("motion.lst", std::string(100000, 'x'));
  dir.Write("pattern.pat", std::string(200000, 'y'));
  ASSERT_TRUE(WriteSampleCharacter(dir.path(), nullptr));
  EXPECT_EQ(dir.Read("motion.lst"), Sample().motionList);
  EXPECT_EQ(dir.Read("pattern.pat").size(), 153600u);
}

TEST(WriteSampleCharacter, FailsWithTheReason_WhenTheFolderCannotBeMade) {
  TempDir dir;
  dir.Write("file", "not a folder");
  std::string error;
  EXPECT_FALSE(WriteSampleCharacter(dir / "file/sample", &error));
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
  EXPECT_NE(error.find("file/sample"), std::string::npos) << error;
  EXPECT_FALSE(WriteSampleCharacter(dir / "file", &error));
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

TEST(WriteSampleCharacter, FailsWithTheReason_WhenAFileCannotBeWritten) {
  TempDir dir;
  std::filesystem::create_directory(dir / "chara.bmp");
  std::string error;
  EXPECT_FALSE(WriteSampleCharacter(dir.path(), &error));
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
  EXPECT_NE(error.find("chara.bmp"), std::string::npos) << error;
}

}  // namespace
}  // namespace boxedit
