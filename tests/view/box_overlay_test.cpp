#include "view/box_overlay.h"

#include <gtest/gtest.h>

#include <memory>

#include "view_fixture.h"

namespace boxedit {
namespace {

using testing::PixelSet;
using testing::ViewFixture;

class BoxOverlayTest : public ::testing::Test {
 protected:
  // Draws defense box 0 of pattern 5 holding `box`, in blue.
  PixelSet DrawDefense(const Box& box) {
    list->patterns[5].defense[0] = box;
    DrawDefenseBox(view.display(), *list, 5, 0, 0, 0, 255);
    return view.Changed();
  }

  ViewFixture view;
  std::unique_ptr<MotionList> list = std::make_unique<MotionList>();
};

// Rows y1 and y2 from column x1 to x2 - 1, columns x1 and x2 from row y1 to y2 - 1: the outline
// of an ordered rectangle without its bottom-right corner.
PixelSet Outline(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  PixelSet out;
  for (int32_t x = x1; x < x2; ++x) out.insert({x, y1}), out.insert({x, y2});
  for (int32_t y = y1; y < y2; ++y) out.insert({x1, y}), out.insert({x2, y});
  return out;
}

TEST_F(BoxOverlayTest, ViewBorder_DrawsFrameAndAxisInWhite_LeavingCorner321x241) {
  DrawViewBorder(view.display());
  PixelSet expected = Outline(0, 0, 321, 241);
  for (int32_t y = 0; y <= 240; ++y) expected.insert({161, y});
  EXPECT_EQ(view.Changed(), expected);
  EXPECT_EQ(expected.size(), 1363u);
  EXPECT_FALSE(view.Drawn(321, 241));
  for (const auto& [x, y] : expected) ASSERT_EQ(view.At(x, y), 0xFFFF) << x << "," << y;
}

TEST_F(BoxOverlayTest, Box_MapsViewCoordinatesToScreenCorners) {
  // Screen corners (151, 240) and (171, 220); the corner (171, 220) stays undrawn.
  const PixelSet drawn = DrawDefense({-10, 0, 10, 20});
  PixelSet expected = Outline(151, 220, 171, 240);
  expected.insert({171, 240});
  expected.erase({171, 220});
  EXPECT_EQ(drawn, expected);
  for (const auto& [x, y] : drawn) ASSERT_EQ(view.At(x, y), view.Pen(0, 0, 255));
}

TEST_F(BoxOverlayTest, Box_UsesCornersAsStored_OnlyTheUndrawnCornerDiffers) {
  const PixelSet ordered = DrawDefense({-10, 0, 10, 20});
  view.display().backBuffer->Fill(ViewFixture::kBackground);
  const PixelSet reversed = DrawDefense({10, 20, -10, 0});

  PixelSet onlyOrdered, onlyReversed;
  for (const auto& p : ordered) {
    if (!reversed.contains(p)) onlyOrdered.insert(p);
  }
  for (const auto& p : reversed) {
    if (!ordered.contains(p)) onlyReversed.insert(p);
  }
  EXPECT_EQ(onlyOrdered, (PixelSet{{151, 240}}));
  EXPECT_EQ(onlyReversed, (PixelSet{{171, 220}}));
}

TEST_F(BoxOverlayTest, Box_DrawsNothing_WhenWidthOrHeightIsZero) {
  EXPECT_TRUE(DrawDefense({0, 0, 0, 0}).empty());
  EXPECT_TRUE(DrawDefense({-10, 0, 10, 0}).empty());
  EXPECT_TRUE(DrawDefense({5, -3, 5, 40}).empty());
}

TEST_F(BoxOverlayTest, Box_DrawsNothing_ForBoxOrPatternOutsideTheTable) {
  for (auto& r : list->patterns) r.defense.fill({-10, 0, 10, 20}), r.attack.fill({-10, 0, 10, 20});
  for (int box : {-1, 4, 100}) {
    DrawDefenseBox(view.display(), *list, 0, box, 255, 0, 0);
    DrawAttackBox(view.display(), *list, 0, box, 255, 0, 0);
  }
  for (int32_t pattern : {-1, 1300, INT32_MIN, INT32_MAX}) {
    DrawDefenseBox(view.display(), *list, pattern, 0, 255, 0, 0);
    DrawAttackBox(view.display(), *list, pattern, 0, 255, 0, 0);
  }
  EXPECT_TRUE(view.Changed().empty());
  DrawAttackBox(view.display(), *list, 1299, 3, 255, 0, 0);
  EXPECT_FALSE(view.Changed().empty());
}

TEST_F(BoxOverlayTest, Box_KeepsScreenPixelsExact_WhenCornersAreExtreme) {
  // One corner at the end of the 32-bit range: the visible part is two columns from row 0 down
  // to row 245 and the bottom edge on row 245.
  const PixelSet drawn = DrawDefense({-10, -5, 10, INT32_MAX});
  PixelSet expected;
  for (int32_t y = 0; y <= 245; ++y) expected.insert({151, y}), expected.insert({171, y});
  for (int32_t x = 151; x < 171; ++x) expected.insert({x, 245});
  EXPECT_EQ(drawn, expected);

  view.display().backBuffer->Fill(ViewFixture::kBackground);
  EXPECT_TRUE(DrawDefense({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}).empty());
}

TEST_F(BoxOverlayTest, Colours_FollowCirco) {
  for (int32_t circo : {44, 46, 53}) {
    EXPECT_EQ(ColoursForCirco(circo).defense, (Rgb{0, 255, 0})) << circo;
    EXPECT_EQ(ColoursForCirco(circo).attack, (Rgb{255, 0, 255})) << circo;
  }
  for (int32_t circo : {0, 45, 47, 52, 54, -44}) {
    EXPECT_EQ(ColoursForCirco(circo).defense, (Rgb{0, 0, 255})) << circo;
    EXPECT_EQ(ColoursForCirco(circo).attack, (Rgb{255, 0, 0})) << circo;
  }
}

TEST_F(BoxOverlayTest, Boxes_TakeTheirGroupColour_ForCirco46And45) {
  for (int32_t circo : {46, 45}) {
    view.display().backBuffer->Fill(ViewFixture::kBackground);
    PatternRecord& r = list->patterns[12];
    r.circo = circo;
    r.defense[1] = {-50, 0, -40, 10};  // screen x 111..121
    r.attack[0] = {30, 100, 60, 120};  // screen x 191..221
    const BoxColours colours = ColoursForCirco(r.circo);
    for (int box = 0; box < 4; ++box) {
      DrawDefenseBox(view.display(), *list, 12, box, colours.defense.red, colours.defense.green,
                     colours.defense.blue);
    }
    for (int box = 0; box < 4; ++box) {
      DrawAttackBox(view.display(), *list, 12, box, colours.attack.red, colours.attack.green,
                    colours.attack.blue);
    }
    const bool green = circo == 46;
    EXPECT_EQ(view.At(111, 240), green ? view.Pen(0, 255, 0) : view.Pen(0, 0, 255));
    EXPECT_EQ(view.At(191, 140), green ? view.Pen(255, 0, 255) : view.Pen(255, 0, 0));
    EXPECT_EQ(view.Changed().size(), Outline(0, 0, 10, 10).size() + Outline(0, 0, 30, 20).size());
  }
}

TEST(BoxOverlay, DrawsNothingAndDoesNotFail_WithoutABackBuffer) {
  Display display;  // no back buffer: no device context to draw with
  auto list = std::make_unique<MotionList>();
  list->patterns[0].defense[0] = {-10, 0, 10, 20};
  DrawViewBorder(display);
  DrawDefenseBox(display, *list, 0, 0, 0, 0, 255);
  DrawAttackBox(display, *list, 0, 0, 255, 0, 0);
  EXPECT_EQ(display.backBuffer, nullptr);
}

}  // namespace
}  // namespace boxedit
