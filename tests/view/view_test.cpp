// The edges of the view on a 5-6-5 back buffer; tests/e2e/golden_frames_test.cpp holds its screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "../support/fake_platform.h"
#include "../support/temp_dir.h"
#include "display/pixel_layout.h"
#include "motion/frame_data.h"
#include "view/box_overlay.h"
#include "view/frame_bar.h"
#include "view/info_panels.h"
#include "view/motion_strip.h"
#include "view/onion_skin.h"
#include "view/picture_bank.h"

namespace boxedit {
namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr uint16_t kBackground = 0xFFFE;  // no pen, tile or glyph below gives this value
constexpr uint16_t kGlyph = 0x8000;       // glyph cell n is kGlyph + n
constexpr uint16_t kRed = 0xF800, kBlue = 0x001F;

Pixels Frame(int x1, int y1, int x2, int y2) {  // the closed outline with these corners
  Pixels out;
  for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) out.insert({{x, y1}, {x, y2}});
  for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) out.insert({{x1, y}, {x2, y}});
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
    for (int i = 0; i < 640 * 480; ++i)
      if (const int c = At(i % 640, i / 640); c != kBackground && (colour < 0 || c == colour))
        out.insert({i % 640, i / 640});
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
    for (int i = 0, c = 0; i < n; ++i)
      c = At(x + 8 * i + 3, y + 7) - kGlyph, out += c >= 0 && c < 600 ? char(0x20 + c) : ' ';
    return out;
  }
  bool HoldsTile(int sx, int sy, int t) const {
    for (int i = 0; i < 256; ++i)
      if (At(sx + i % 16, sy + i / 16) !=
          SheetPixel(16 * (t % 40) + i % 16, 16 * (t / 40) + i / 16))
        return false;
    return true;
  }
  void Slot(int i, int32_t to, int32_t speed, int32_t vx, int32_t vy, int32_t rx = 0) {
    list->patterns[i] = {.to = to, .speed = speed, .vx = vx, .rx = rx, .vy = vy};
  }
  void Strip(int32_t current) { Clear(), DrawMotionStrip(display, *list, current); }

  testing::FakePlatform platform;
  Display display;
  std::unique_ptr<MotionList> list = std::make_unique<MotionList>();
};

// Each outline leaves its second corner undrawn; a flat box or one wholly off the screen: nothing.
TEST_F(View, BoxesAreOutlines_PicturesDrawSheetCells_AndLoadFromAShortFile) {
  const std::tuple<Box, Pixels> cases[] = {
      {{-10, 0, 10, 20}, Frame(151, 240, 171, 220)},
      {{-10, 0, 10, 0}, {}},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {}},
  };
  for (auto [box, expected] : cases) {
    if (!expected.empty()) expected.erase({161 + box.x2, 240 - box.y2});
    Clear(), list->patterns[5].defense[0] = box;
    DrawDefenseBox(display, *list, 5, 0, 0, 0, 255);
    EXPECT_EQ(std::pair(Changed(kBlue), Changed().size()), std::pair(expected, expected.size()));
  }

  // Pictures: columns 0 and 1 and numbers past the sheet's last cell are never drawn. A missing
  // file empties every picture; entries are low byte first and what a short file lacks is no tile.
  auto bank = std::make_unique<PictureBank>();
  testing::TempDir dir;
  EXPECT_EQ(bank->Load(dir / "missing.pat"), 0);  // the draws below find no tile of picture 0
  MakeSheet(bank->tileSheet, 640, 720, 16, 16, SheetPixel);
  auto& tiles = bank->pictures[9].tiles;
  tiles[0][2] = 39, tiles[14][19] = 40, tiles[5][7] = 1799;
  tiles[3][0] = tiles[4][1] = 0, tiles[6][6] = 1800, tiles[7][7] = 65534;
  for (int32_t n : {9, 0, -1, 256}) bank->Draw(display, n);
  EXPECT_TRUE(HoldsTile(32, 1, 39) && HoldsTile(304, 225, 40) && HoldsTile(112, 81, 1799));
  EXPECT_EQ(Changed().size(), 3u * 256u);

  std::string file;
  for (int i = 0; i < 300; ++i) file += "\x34\x12";
  dir.Write("pattern.pat", file + '\x56');
  ASSERT_EQ(bank->Load(dir / "pattern.pat"), 1);
  EXPECT_EQ(std::tuple(bank->pictures[0].tiles[14][19], bank->pictures[1].tiles[0][0],
                       bank->pictures[9].tiles[0][2]),
            std::tuple(0x1234, 0xFF56, kNoTile));
}

TEST_F(View, PanelsShowNamesAndValues_OnionSkinDotsItsBoxes_TheStripFollowsTheWalk) {
  Surface sheet;
  MakeSheet(sheet, 320, 240, 8, 16,
            [](int x, int y) { return uint16_t(kGlyph + y / 16 * 40 + x / 8); });
  const Font font(sheet, display);
  DrawBoxPanel(font, *list, 839, 4);  // the last name, then the first slot past the names
  EXPECT_EQ(TextAt(328, 32, 11) + TextAt(328, 176, 1), "JMP-B-CLASH@");
  Clear(), DrawBoxPanel(font, *list, 840, 1);
  EXPECT_EQ(TextAt(328, 32, 11) + TextAt(376, 80, 1), "SPECIAL    @");
  list->patterns[123] = {.to = 5, .voice = 9, .damage = -18, .flags = 0x9};
  Clear(), DrawAttributePanel(font, *list, 123);
  EXPECT_EQ(TextAt(8, 264, 10) + TextAt(8, 344, 10) + TextAt(192, 280, 10) + TextAt(192, 328, 10),
            "TO      5 VOICE NON DAMEG- 18 FLAG 1001 ");

  // Onion skin: half strength, dotted where x + y is even, no second corner; a stray slot: nothing.
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
  Clear(), DrawOnionSkin(display, *list, 7);
  Pixels defense = dotted(r.defense[0]);
  defense.merge(dotted(r.defense[1]));
  EXPECT_EQ(Changed(0x000F), defense);              // (0, 0, 127)
  EXPECT_EQ(Changed(0x7800), dotted(r.attack[0]));  // (127, 0, 0)
  EXPECT_EQ(Changed().size(), defense.size() + dotted(r.attack[0]).size());
  Clear(), DrawOnionSkin(display, *list, kPatternCount);
  EXPECT_TRUE(Changed().empty());

  // The strip is red only for the current pattern; rx 1 ends the speed; walks are bounded.
  Slot(0, -1, 2, 20, 0), Slot(1, -1, 2, 20, 0), Slot(2, 5, 2, 20, 0);
  Strip(2);  // slot 2 goes to 5: the walk ends before it
  EXPECT_EQ(Changed(kBlue), Frame(416, 312, 421, 312));
  EXPECT_EQ(Changed().size(), 6u);
  Slot(0, -1, 1, 40, 0, /*rx=*/1), Slot(1, -1, 1, 20, 0), Strip(0);
  EXPECT_EQ(Changed(), Frame(416, 312, 418, 312));  // 416 to 418, then 418 to 419

  for (int i = 1290; i < 1300; ++i) Slot(i, -1, 1, 20, 0);
  list->lastPattern = -1, Strip(1299);  // read as a slot 1300's `to` by a walk that went on
  EXPECT_EQ(Changed(), Frame(416, 312, 470, 312));  // slot 1290 + j moves j + 1 pixels
  EXPECT_EQ(Changed(kRed), Frame(461, 312, 470, 312));

  list->gravity = 10;
  // Resting on the ground costs nothing however long; moving ends the walk at kMaxWalkFrames.
  Slot(0, -1, INT32_MAX, 0, 0), Slot(1, -1, 3, 40, 0), Strip(1);
  EXPECT_EQ(Changed(kRed), Frame(416, 312, 421, 312));
  Slot(0, -1, INT32_MAX, 20, 0), Strip(1);
  EXPECT_EQ(std::pair(At(639, 312), Changed(kRed).size()), std::pair(kBlue, size_t{0}));

  list->gravity = 0;
  Slot(0, -1, 1, 0, 100);   // up to row 307, upward speed 100
  Slot(1, -1, 0, 20, -90);  // upward speed 10: it never lands, moving right 1 a frame
  Slot(2, -1, 1, -20 * (kMaxLandingFrames + 1), 100);  // back 4096 and up 5, to (416, 302)
  Strip(0);
  EXPECT_EQ(std::tuple(At(639, 307), At(417, 302), At(416, 302)),
            std::tuple(kBlue, kBlue, kBackground));

  for (auto [gravity, speed, v] :
       {std::tuple(INT32_MIN, 0, INT32_MAX), {INT32_MAX, INT32_MAX, INT32_MIN}}) {
    list->gravity = gravity;
    for (int i = 0; i < kPatternCount; ++i) Slot(i, -1, speed, v, v);
    Strip(0);  // extreme values finish without overflow
    EXPECT_EQ(At(416, 312), kRed);
  }
}

// Every motion of a random character, each drawn from its first slot: one cell a game frame in the
// colours of its frame data, the first pattern framed, 300 cells at most and the rest counted.
TEST_F(View, TheFrameBarShowsTheFrameDataOfEveryMotion) {
  Surface sheet;
  MakeSheet(sheet, 320, 240, 8, 16,
            [](int x, int y) { return uint16_t(kGlyph + y / 16 * 40 + x / 8); });
  const Font font(sheet, display);
  std::mt19937 random(3);
  list->gravity = 10, list->lastPattern = kPatternCount - 1;
  for (PatternRecord& r : list->patterns) {
    r = {.to = random() % 5 ? -1 : 0,
         .speed = std::array{-1, 0, 1, 2, 5, 140}[random() % 6],
         .picture = random() % 4 ? 0 : -1,
         .vy = std::array{0, 0, 60, 100000}[random() % 4]};
    if (random() % 2) r.attack[0] = {0, 10, 5, 0};
  }
  auto pixel = [](Rgb c) { return RgbToPixel(true, c.red, c.green, c.blue); };
  const uint16_t white = pixel({255, 255, 255});
  for (int32_t m = 0; m < kMotionCount; ++m) {
    const std::optional<FrameData> d = ComputeFrameData(*list, m);
    if (!d) continue;
    Clear(), DrawFrameBar(display, font, *list, 10 * m);
    const int64_t total = TimeMotion(*list, m).TotalFrames();
    std::map<uint16_t, int64_t> cells;  // by colour, from the middle row of each cell
    for (int c = 0; c < 300; ++c) ++cells[At(9 + 4 * (c % 150), 418 + 16 * (c / 150))];
    int64_t active = 0;
    for (const ActiveRange& r : d->active) active += r.to - r.from + 1;
    const std::string legend =
        d->neverLands ? "NEVER LANDS"
                      : "STARTUP " + (d->startup ? std::to_string(*d->startup) : "-") +
                            "  ACTIVE " + (active ? ActiveText(*d) : "-") + "  RECOVERY " +
                            (d->recovery ? std::to_string(*d->recovery) : "-") + "  TOTAL " +
                            std::to_string(d->frames);
    EXPECT_EQ(TextAt(8, 392, int(legend.size()) + 1), legend + " ") << m;
    // The first pattern's outline ends one pixel right of its last cell in the first row.
    const int64_t end = 8 + 4 * std::min<int64_t>(TimeMotion(*list, m).patterns[0].frames, 150);
    EXPECT_EQ(std::tuple(At(7, 411), At(end - 1, 411), At(end, 411)),
              std::tuple(white, white, kBackground));
    if (total > 300) {
      EXPECT_EQ(
          std::pair(cells[kBackground], TextAt(8, 440, 14)),
          std::pair(
              int64_t{0},
              (std::string("+") + std::to_string(total - 300) + " FRAMES    ").substr(0, 14)));
    } else if (active == 0) {
      EXPECT_EQ(cells[pixel({96, 96, 160})], total) << m;
    } else {
      EXPECT_EQ(std::tuple(cells[pixel({0, 192, 0})], cells[pixel({224, 0, 0})],
                           cells[pixel({0, 64, 224})]),
                std::tuple(*d->startup - 1, active, total - *d->startup + 1 - active))
          << m;
    }
  }
}

}  // namespace
}  // namespace boxedit
