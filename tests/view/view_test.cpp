// The view on a 5-6-5 back buffer, pixel by pixel: border and boxes, pictures, panels and the
// motion strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "../support/fake_platform.h"
#include "../support/temp_dir.h"
#include "view/box_overlay.h"
#include "view/info_panels.h"
#include "view/motion_strip.h"
#include "view/onion_skin.h"
#include "view/picture_bank.h"

namespace boxedit {
namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr uint16_t kBackground = 0xFFFE;  // no pen, tile or glyph below gives this value
constexpr uint16_t kGlyph = 0x8000;       // glyph cell n is kGlyph + n
constexpr uint16_t kWhite = 0xFFFF, kRed = 0xF800, kBlue = 0x001F;

// The closed outline of the rectangle with corners (x1, y1) and (x2, y2).
Pixels Frame(int x1, int y1, int x2, int y2) {
  Pixels out;
  for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
    out.insert({x, y1}), out.insert({x, y2});
  for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
    out.insert({x1, y}), out.insert({x2, y});
  return out;
}

uint16_t SheetPixel(int x, int y) {  // tile sheet pixels differ between neighbours
  return static_cast<uint16_t>(1 + (x + 640 * y) % 60000);
}

class View : public ::testing::Test {
 protected:
  View() {
    EXPECT_EQ(InitDisplay(display, platform), 1);
    Clear();
  }
  void Clear() { display.backBuffer->Fill(kBackground); }
  uint16_t At(int x, int y) const { return display.backBuffer->At(x, y); }
  // The pixels no longer background, or those of one colour.
  Pixels Changed(int colour = -1) const {
    Pixels out;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if (At(x, y) != kBackground && (colour < 0 || At(x, y) == colour)) out.insert({x, y});
    return out;
  }
  void MakeSheet(Surface& s, int w, int h, int cellW, int cellH, uint16_t (*pixel)(int, int)) {
    ASSERT_EQ(s.Create(display, w, h), 1);
    s.SetCells(cellW, cellH);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) s.surface->Row(y)[x] = pixel(x, y);
  }
  // The characters of the n cells of a font drawn by MakeSheet with cell n as kGlyph + n.
  std::string TextAt(int x, int y, int n) const {
    std::string out;
    for (int i = 0; i < n; ++i, x += 8) {
      const int cell = At(x + 3, y + 7) - kGlyph;
      out += cell >= 0 && cell < 600 ? char(0x20 + cell) : ' ';
    }
    return out;
  }
  // Whether the 16x16 block at screen (sx, sy) holds tile t of the sheet.
  bool HoldsTile(int sx, int sy, int t) const {
    for (int i = 0; i < 256; ++i) {
      const int x = i % 16, y = i / 16;
      if (At(sx + x, sy + y) != SheetPixel(16 * (t % 40) + x, 16 * (t / 40) + y)) return false;
    }
    return true;
  }
  void Slot(int i, int32_t to, int32_t speed, int32_t vx, int32_t vy, int32_t rx = 0) {
    list->patterns[i] = {.to = to, .speed = speed, .vx = vx, .rx = rx, .vy = vy};
  }
  void Strip(int32_t current) {
    Clear();
    DrawMotionStrip(display, *list, current);
  }

  testing::FakePlatform platform;
  Display display;
  std::unique_ptr<MotionList> list = std::make_unique<MotionList>();
};

// The border (with the axis) and each box leave their second corner undrawn; a flat box or one
// wholly off the screen draws nothing.
TEST_F(View, BorderAndBoxesAreOutlines_EachLeavingItsSecondCornerUndrawn) {
  DrawViewBorder(display);
  EXPECT_EQ(std::tuple(At(0, 0), At(161, 120), At(321, 241)),
            std::tuple(kWhite, kWhite, kBackground));
  const std::tuple<Box, Pixels> cases[] = {
      {{-10, 0, 10, 20}, Frame(151, 240, 171, 220)},
      {{10, 20, -10, 0}, Frame(171, 220, 151, 240)},
      {{0, 0, 0, 0}, {}},
      {{-10, 0, 10, 0}, {}},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {}},
  };
  for (auto [box, expected] : cases) {
    if (!expected.empty()) expected.erase({161 + box.x2, 240 - box.y2});
    Clear();
    list->patterns[5].defense[0] = box;
    DrawDefenseBox(display, *list, 5, 0, 0, 0, 255);
    EXPECT_EQ(Changed(kBlue), expected) << box.x1;
    EXPECT_EQ(Changed().size(), expected.size());
  }
}

// Columns 0 and 1 and numbers past the sheet's last cell are never drawn.
TEST_F(View, PicturesDrawSheetCellsAtTheirMapPlaces_AndLoadFromAShortFile) {
  auto bank = std::make_unique<PictureBank>();
  MakeSheet(bank->tileSheet, 640, 720, 16, 16, SheetPixel);
  for (auto& picture : bank->pictures)
    for (auto& row : picture.tiles) row.fill(kNoTile);
  auto& tiles = bank->pictures[9].tiles;
  tiles[0][2] = 39, tiles[14][19] = 40, tiles[5][7] = 1799;
  tiles[3][0] = tiles[4][1] = 0, tiles[6][6] = 1800, tiles[7][7] = 65534;
  for (int32_t n : {9, 0, -1, 256, INT32_MIN}) bank->Draw(display, n);
  EXPECT_TRUE(HoldsTile(32, 1, 39) && HoldsTile(304, 225, 40) && HoldsTile(112, 81, 1799));
  EXPECT_EQ(Changed().size(), 3u * 256u);

  // Entries low byte first; what the file does not hold is no tile, and a missing file
  // empties every picture.
  std::string file;
  for (int i = 0; i < 300; ++i) file += "\x34\x12";
  testing::TempDir dir;
  dir.Write("pattern.pat", file + '\x56');
  ASSERT_EQ(bank->Load(dir / "pattern.pat"), 1);
  EXPECT_EQ(std::tuple(bank->pictures[0].tiles[14][19], bank->pictures[1].tiles[0][0],
                       bank->pictures[1].tiles[0][1]),
            std::tuple(0x1234, 0xFF56, kNoTile));
  EXPECT_EQ(bank->Load(dir / "missing.pat"), 0);
  EXPECT_EQ(bank->pictures[0].tiles[14][19], kNoTile);
}

TEST_F(View, PanelsShowNamesMarkerValuesWordsAndFlagDigits) {
  Surface sheet;
  MakeSheet(sheet, 320, 240, 8, 16,
            [](int x, int y) { return uint16_t(kGlyph + y / 16 * 40 + x / 8); });
  const Font font(sheet, display);
  const std::tuple<int32_t, const char*, int32_t, int, int> cases[] = {
      {95, "SPECIAL    ", 1, 376, 80},
      {839, "JMP-B-CLASH", 4, 328, 176},
      {840, "SPECIAL    ", 0, 328, 80}};
  for (auto [pattern, name, selected, x, y] : cases) {
    Clear();
    DrawBoxPanel(font, *list, pattern, selected);
    EXPECT_EQ(TextAt(328, 32, 11) + TextAt(x, y, 1), std::string(name) + "@") << pattern;
  }
  Clear();
  list->patterns[0].defense[0] = {-18, 0, 1000, 7};
  DrawBoxPanel(font, *list, 0, 0);
  EXPECT_EQ(TextAt(336, 80, 4) + TextAt(336, 96, 4) + TextAt(336, 112, 4), "- 18   0   0");

  list->patterns[123] = {
      .to = 5, .speed = 7, .voice = 9, .vx = -20, .clash = 2, .guard = 3, .damage = -18};
  for (auto [flags, digits] : {std::pair(0x9u, "1001"), {0x4u, "0100"}, {0xF0u, "0000"}}) {
    Clear();
    list->patterns[123].flags = flags;
    DrawAttributePanel(font, *list, 123);
    EXPECT_EQ(TextAt(192, 328, 10), std::string("FLAG ") + digits + " ");
  }
  const std::tuple<int, int, const char*> rows[] = {
      {8, 248, "NUMBE 123 "},   {8, 264, "TO      5 "},   {8, 280, "SPEED   7 "},
      {8, 344, "VOICE NON "},   {104, 248, "VX   - 20 "}, {192, 248, "CLASH     "},
      {192, 264, "GUARD THR "}, {192, 280, "DAMEG- 18 "}};
  for (auto [x, y, text] : rows) EXPECT_EQ(TextAt(x, y, 10), text);
}

// The previous pattern's defense boxes 0 and 1 and attack box 0 at half strength, dotted where
// x + y is even, each without its second corner; a flat box and a slot outside the table: nothing.
TEST_F(View, OnionSkinDotsDefenseBoxes0And1AndAttackBox0) {
  const auto dotted = [](const Box& b) {
    const std::pair end(161 + b.x2, 240 - b.y2);
    Pixels out;
    for (const auto& p : Frame(161 + b.x1, 240 - b.y1, end.first, end.second))
      if ((p.first + p.second) % 2 == 0 && p != end) out.insert(p);
    return out;
  };
  PatternRecord& r = list->patterns[7];
  r.defense = {Box{-10, 10, 10, 0}, {30, 20, 20, 30}, {-60, 10, -50, 20}};
  r.attack = {Box{-30, 60, -20, 40}, {40, 60, 50, 70}};
  DrawOnionSkin(display, *list, 7);
  Pixels defense = dotted(r.defense[0]);
  defense.merge(dotted(r.defense[1]));
  EXPECT_EQ(Changed(0x000F), defense);              // (0, 0, 127)
  EXPECT_EQ(Changed(0x7800), dotted(r.attack[0]));  // (127, 0, 0)
  EXPECT_EQ(Changed().size(), defense.size() + dotted(r.attack[0]).size());
  Clear();
  r.defense[0] = {-10, 10, -10, 0};
  r.defense[1] = r.attack[0] = {};
  DrawOnionSkin(display, *list, 7);
  DrawOnionSkin(display, *list, kPatternCount);
  EXPECT_TRUE(Changed().empty());
}

TEST_F(View, StripCarriesTheLandingSpeedIntoTheNextPattern_AndSpeed0OnTheGroundIsOneFrame) {
  Slot(20, -1, 3, 40, 0);
  Strip(20);
  EXPECT_EQ(Changed(kRed), Frame(416, 312, 421, 312));  // to 418, 420 and 422, that end left out
  EXPECT_EQ(Changed().size(), 6u);
  // vy 100, gravity 10: it lands at x 437 after 21 frames leaving upward speed -110; the next
  // pattern's 200 make 90, which lifts it 4 pixels (from 0, 10).
  list->gravity = 10;
  Slot(0, -1, 0, 20, 100);
  Slot(1, -1, 2, 0, 200);
  Strip(0);
  EXPECT_EQ(std::tuple(At(436, 307), At(437, 312), At(438, 308), At(439, 304)),
            std::tuple(kRed, kBlue, kBlue, kBackground));
  // Speed 0 on the ground: one segment, leaving upward speed -10.
  Slot(0, -1, 0, 40, 0);
  Slot(1, -1, 2, 0, 20);  // -10 + 20 = 10 lifts it nothing; from 0 it would rise a pixel
  Strip(0);
  EXPECT_EQ(Changed(kRed), Frame(416, 312, 417, 312));
  EXPECT_EQ(Changed(kBlue), Frame(418, 312, 421, 312));
  EXPECT_EQ(Changed().size(), 6u);
}

TEST_F(View, StripIsRedOnlyForTheCurrentPattern_Rx1EndsTheSpeed_TheWalkEndsAt1299) {
  Slot(0, -1, 2, 20, 0);
  Slot(1, -1, 2, 20, 0);
  Slot(2, 5, 2, 20, 0);
  for (int32_t current : {2, 5, 9}) {
    Strip(current);
    EXPECT_EQ(Changed(kBlue), Frame(416, 312, 421, 312)) << current;
    EXPECT_EQ(Changed().size(), 6u);
  }
  Strip(1);
  EXPECT_EQ(Changed(kRed), Frame(418, 312, 421, 312));
  EXPECT_EQ(Changed(kBlue), Frame(416, 312, 417, 312));

  Slot(0, -1, 1, 40, 0, /*rx=*/1);
  Slot(1, -1, 1, 20, 0);
  Strip(0);
  EXPECT_EQ(Changed(), Frame(416, 312, 418, 312));  // 416 to 418, then 418 to 419
  Slot(0, -1, 1, 40, 0, /*rx=*/2);
  Strip(0);
  EXPECT_EQ(Changed(), Frame(416, 312, 420, 312));  // 416 to 418, then 418 to 421

  for (int i = 1290; i < 1300; ++i) Slot(i, -1, 1, 20, 0);
  list->lastPattern = -1;  // read as a slot 1300's `to` by a walk that went on
  Strip(1299);
  EXPECT_EQ(Changed(), Frame(416, 312, 470, 312));  // slot 1290 + j moves j + 1 pixels
  EXPECT_EQ(Changed(kRed), Frame(461, 312, 470, 312));
}

TEST_F(View, StripWalksAreBounded) {
  list->gravity = 10;
  Slot(0, -1, 5000, 20, 0);         // 5000 frames of one pixel along the ground, to x 5416
  Slot(1, -1, 1, -20 * 5001, 100);  // back to (416, 307)
  Strip(1);
  EXPECT_EQ(At(639, 312), kBlue);
  EXPECT_EQ(std::tuple(At(417, 307), At(416, 307)), std::tuple(kRed, kBackground));

  // A pattern at rest on the ground costs nothing however long it lasts; a moving one ends the
  // walk after kMaxWalkFrames frames.
  Slot(0, -1, INT32_MAX, 0, 0);
  Slot(1, -1, 3, 40, 0);
  Strip(1);
  EXPECT_EQ(Changed(kRed), Frame(416, 312, 421, 312));
  Slot(0, -1, INT32_MAX, 20, 0);
  Strip(1);
  EXPECT_EQ(At(639, 312), kBlue);
  EXPECT_TRUE(Changed(kRed).empty());

  list->gravity = 0;
  Slot(0, -1, 1, 0, 100);   // up to row 307, upward speed 100
  Slot(1, -1, 0, 20, -90);  // upward speed 10: it never lands, moving right 1 a frame
  Slot(2, -1, 1, -20 * (kMaxLandingFrames + 1), 100);  // back 4096 and up 5, to (416, 302)
  Strip(0);
  EXPECT_EQ(At(639, 307), kBlue);
  EXPECT_EQ(std::tuple(At(417, 302), At(416, 302)), std::tuple(kBlue, kBackground));

  for (auto [gravity, speed, v] :
       {std::tuple(INT32_MIN, 0, INT32_MAX), {INT32_MAX, INT32_MAX, INT32_MIN}}) {
    list->gravity = gravity;
    for (int i = 0; i < kPatternCount; ++i) Slot(i, -1, speed, v, v);
    Strip(0);  // extreme values finish without overflow
    EXPECT_EQ(At(416, 312), kRed);
  }
}

}  // namespace
}  // namespace boxedit
