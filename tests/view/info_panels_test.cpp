#include "view/info_panels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "view_fixture.h"

namespace boxedit {
namespace {

using testing::ViewFixture;

class InfoPanelsTest : public ::testing::Test {
 protected:
  void SetUp() override { view.MakeFont(font); }

  ViewFixture view;
  Surface font;
  std::unique_ptr<MotionList> list = std::make_unique<MotionList>();
};

TEST(MotionName, NamesFortyNineMotions_AndEveryOtherNumberIsSpecial) {
  EXPECT_STREQ(MotionName(0), "STAND");
  EXPECT_STREQ(MotionName(8), "JUMP-R");
  EXPECT_STREQ(MotionName(10), "JUMP-FALL");
  EXPECT_STREQ(MotionName(15), "STAND-DEF");
  EXPECT_STREQ(MotionName(23), "JUMP-B-DEF");
  EXPECT_STREQ(MotionName(25), "STAND-S-PUNCH");
  EXPECT_STREQ(MotionName(36), "JUMP-B-KICK");
  EXPECT_STREQ(MotionName(41), "LOSE");
  EXPECT_STREQ(MotionName(70), "STA-FSC");
  EXPECT_STREQ(MotionName(83), "JMP-B-CLASH");
  for (int32_t m : {9, 13, 14, 24, 37, 39, 42, 69, 84, 129, 130, -1, INT32_MIN, INT32_MAX}) {
    EXPECT_STREQ(MotionName(m), "SPECIAL") << m;
  }
  int named = 0;
  for (int32_t m = 0; m < 130; ++m) named += std::string(MotionName(m)) != "SPECIAL";
  EXPECT_EQ(named, 9 + 3 + 9 + 12 + 2 + 14);  // the six named ranges
}

TEST_F(InfoPanelsTest, BoxPanel_ShowsTheMotionNameOfTheCurrentPattern) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "STAND"},         {9, "STAND"},     {95, "SPECIAL"},  {400, "WIN"},
      {839, "JMP-B-CLASH"}, {840, "SPECIAL"}, {1299, "SPECIAL"}};
  for (const auto& [pattern, name] : cases) {
    view.display().backBuffer->Fill(ViewFixture::kBackground);
    DrawBoxPanel(font, *list, pattern, 0);
    EXPECT_EQ(view.TextAt(328, 32, 14), (std::string(name) + "              ").substr(0, 14))
        << pattern;
  }
}

TEST_F(InfoPanelsTest, BoxPanel_ListsBoxCoordinatesInTheirColumns) {
  PatternRecord& r = list->patterns[17];
  r.defense[0] = {-18, 0, 1000, 7};
  r.defense[1] = {-5, 45, 123, -999};
  r.attack[0] = {12345, -1, 60, 2};
  r.defense[2] = {1, 1, 1, 1};  // boxes that cannot be selected are not listed
  DrawBoxPanel(font, *list, 17, 0);

  EXPECT_EQ(view.TextAt(328, 64, 8), "DEFENSE ");
  EXPECT_EQ(view.TextAt(336, 80, 4), "- 18");
  EXPECT_EQ(view.TextAt(336, 96, 4), "   0");
  EXPECT_EQ(view.TextAt(336, 112, 4), "   0");  // 1000 shows its last three digits
  EXPECT_EQ(view.TextAt(336, 128, 4), "   7");
  EXPECT_EQ(view.TextAt(384, 80, 4), "-  5");
  EXPECT_EQ(view.TextAt(384, 96, 4), "  45");
  EXPECT_EQ(view.TextAt(384, 112, 4), " 123");
  EXPECT_EQ(view.TextAt(384, 128, 4), "-999");
  EXPECT_EQ(view.TextAt(328, 160, 7), "ATTACK ");
  EXPECT_EQ(view.TextAt(336, 176, 4), " 345");
  EXPECT_EQ(view.TextAt(336, 192, 4), "-  1");
  EXPECT_EQ(view.TextAt(336, 208, 4), "  60");
  EXPECT_EQ(view.TextAt(336, 224, 4), "   2");
  EXPECT_EQ(view.TextAt(432, 80, 4), "    ");
}

TEST_F(InfoPanelsTest, BoxPanel_PutsTheMarkerLeftOfTheSelectedColumn) {
  const int32_t markerCell = '@' - 0x20;
  const std::tuple<int32_t, int32_t, int32_t> cases[] = {{0, 328, 80}, {1, 376, 80}, {4, 328, 176}};
  for (const auto& [selected, x, y] : cases) {
    view.display().backBuffer->Fill(ViewFixture::kBackground);
    DrawBoxPanel(font, *list, 0, selected);
    int markers = 0;
    for (int32_t my : {80, 176}) {
      for (int32_t mx : {328, 376}) markers += view.CellAt(mx, my) == markerCell;
    }
    EXPECT_EQ(view.CellAt(x, y), markerCell) << selected;
    EXPECT_EQ(markers, 1) << selected;
  }
}

TEST_F(InfoPanelsTest, AttributePanel_ShowsEveryLabelAndValueInItsPlace) {
  PatternRecord& r = list->patterns[123];
  r.to = -1;
  r.speed = 7;
  r.picture = 255;
  r.depth = 0;
  r.circo = 46;
  r.voice = 9;
  r.vx = -20;
  r.rx = 1;
  r.vy = 1000;
  r.ry = 12345;
  r.extra = 555;  // not shown
  r.clash = 8;
  r.guard = 3;
  r.damage = -18;
  r.hitTo = 400;
  r.hitI = 99;
  r.flags = 0x9;  // bits 8 and 1
  DrawAttributePanel(font, *list, 123);

  const struct {
    int32_t x, y;
    const char* text;
  } rows[] = {
      {8, 248, "NUMBE 123"},   {8, 264, "TO   -  1"},   {8, 280, "SPEED   7"},
      {8, 296, "PICTU 255"},   {8, 312, "DEPTH   0"},   {8, 328, "CIRCO  46"},
      {8, 344, "VOICE NON"},   {104, 248, "VX   - 20"}, {104, 264, "RX      1"},
      {104, 280, "VY      0"}, {104, 296, "RY    345"}, {192, 248, "CLASH JMP"},
      {192, 264, "GUARD THR"}, {192, 280, "DAMEG- 18"}, {192, 296, "HITTO 400"},
      {192, 312, "HIT-I  99"}, {192, 328, "FLAG 1001"},
  };
  for (const auto& row : rows) {
    const std::string want = row.text;
    EXPECT_EQ(view.TextAt(row.x, row.y, static_cast<int>(want.size()) + 1), want + " ")
        << row.x << "," << row.y;
  }
  // Nothing else: the panel stays within (8, 248) .. (263, 359).
  for (const auto& [x, y] : view.Changed()) {
    ASSERT_TRUE(x >= 8 && x < 264 && y >= 248 && y < 360) << x << "," << y;
  }
}

TEST_F(InfoPanelsTest, AttributePanel_ShowsWordsForVoiceClashAndGuard) {
  const std::pair<int32_t, const char*> clashes[] = {
      {-1, "NON"}, {0, "SMA"}, {1, "BIG"}, {8, "JMP"}, {2, "   "}, {9, "   "}, {-2, "   "}};
  const std::pair<int32_t, const char*> guards[] = {{0, "STA"}, {1, "JMP"}, {2, "SIT"}, {3, "THR"},
                                                    {9, "NON"}, {4, "   "}, {-1, "   "}};
  for (size_t i = 0; i < std::size(clashes); ++i) {
    view.display().backBuffer->Fill(ViewFixture::kBackground);
    PatternRecord& r = list->patterns[0];
    r.clash = clashes[i].first;
    r.guard = guards[i].first;
    r.voice = static_cast<int32_t>(i) - 3;  // never 9: shown as a number
    DrawAttributePanel(font, *list, 0);
    EXPECT_EQ(view.TextAt(232, 248, 4), std::string(" ") + clashes[i].second) << r.clash;
    EXPECT_EQ(view.TextAt(232, 264, 4), std::string(" ") + guards[i].second) << r.guard;
    const std::string voice =
        r.voice < 0 ? "-  " + std::to_string(-r.voice) : "   " + std::to_string(r.voice);
    EXPECT_EQ(view.TextAt(48, 344, 4), voice);
  }
}

TEST_F(InfoPanelsTest, AttributePanel_ShowsEachFlagBitAsADigit) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0x0, "0000"}, {0x8, "1000"}, {0x4, "0100"},  {0x2, "0010"},
      {0x1, "0001"}, {0xF, "1111"}, {0xF0, "0000"}, {0xFFFFFFF6, "0110"}};
  for (const auto& [flags, digits] : cases) {
    view.display().backBuffer->Fill(ViewFixture::kBackground);
    list->patterns[0].flags = flags;
    DrawAttributePanel(font, *list, 0);
    EXPECT_EQ(view.TextAt(224, 328, 6), std::string(" ") + digits + " ") << flags;
  }
}

TEST_F(InfoPanelsTest, Panels_DrawNothing_ForAPatternOutsideTheTable) {
  for (int32_t pattern : {-1, 1300, INT32_MIN, INT32_MAX}) {
    DrawBoxPanel(font, *list, pattern, 0);
    DrawAttributePanel(font, *list, pattern);
  }
  EXPECT_TRUE(view.Changed().empty());
}

}  // namespace
}  // namespace boxedit
