// The sample character as the editor shows it: its files go through the real tile-sheet
// loader, picture bank and motion strip.
#include <gtest/gtest.h>

#include <memory>

#include "../support/fake_platform.h"
#include "../support/temp_dir.h"
#include "chardata/list_reader.h"
#include "display/display_device.h"
#include "display/pixel_layout.h"
#include "sample/sample_character.h"
#include "sample_files.h"
#include "view/motion_strip.h"
#include "view/picture_bank.h"

namespace boxedit {
namespace {

using testing::FakePlatform;
using testing::PicturePixel;
using testing::Sample;
using testing::TempDir;

class SampleInView : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    ASSERT_EQ(InitDisplay(display, platform), 1);
    DetectPixelFormat(display);
    ASSERT_EQ(display.is565, GetParam());
    ASSERT_TRUE(WriteSampleCharacter(dir.path(), nullptr));
    Surface& sheet = bank->TileSheet();
    ASSERT_EQ(sheet.Create(display, 640, 720, 2), 1);
    sheet.SetCells(16, 16);
    const int32_t key = ReadKeyColour(dir.path(), display.is565);
    ASSERT_EQ(sheet.LoadTileSheet(dir / "chara.bmp", key, 256, 256, 256, 1), 1);
    ASSERT_EQ(bank->Load(dir / "pattern.pat"), 1);
    ASSERT_TRUE(Load(*list, dir.path()).empty());
  }
  void TearDown() override {
    bank->Release();
    ReleaseDisplay(display);
  }

  uint16_t Rgb(int r, int g, int b) const {
    return static_cast<uint16_t>(RgbToPixel(display.is565, r, g, b));
  }
  uint16_t At(int x, int y) const { return display.backBuffer->At(x, y); }

  FakePlatform platform{GetParam()};
  Display display;
  TempDir dir;
  std::unique_ptr<PictureBank> bank = std::make_unique<PictureBank>();
  std::unique_ptr<MotionList> list = std::make_unique<MotionList>();
};

// Every picture lands on the screen pixel for pixel: the fighter's colours where it is drawn,
// the grey background through its transparent parts.
TEST_P(SampleInView, PicturesShowTheFighterThroughTheKeyColour) {
  const std::vector<uint8_t>& bmp = Sample().tileSheet;
  const uint16_t grey = Rgb(128, 128, 128);
  for (int p = 0; p < Sample().pictureCount; ++p) {
    ASSERT_EQ(ClearBackBuffer(display, 128, 128, 128), 1);
    bank->Draw(p);
    int fighter = 0, mismatches = 0;
    for (int y = 1; y <= 240; ++y) {
      for (int x = 32; x < 320; ++x) {
        const uint8_t index = PicturePixel(Sample(), p, x, y - 1);
        const uint16_t expected =
            index == 0 ? grey
                       : Rgb(bmp[54 + 4 * index + 2], bmp[54 + 4 * index + 1], bmp[54 + 4 * index]);
        fighter += index != 0;
        mismatches += At(x, y) != expected;
      }
    }
    EXPECT_EQ(mismatches, 0) << "picture " << p;
    EXPECT_GT(fighter, 2000) << "picture " << p;
    EXPECT_EQ(At(0, 0), grey);
  }
}

// The jumps' strips leave the ground line and come back; the forward jump travels right.
TEST_P(SampleInView, JumpStripsArc) {
  for (const int pattern : {61, 81}) {
    ASSERT_EQ(ClearBackBuffer(display, 128, 128, 128), 1);
    DrawMotionStrip(display, *list, pattern);
    const uint16_t grey = Rgb(128, 128, 128);
    int top = kStripGroundY, left = kScreenWidth, right = -1;
    for (int y = 0; y < kScreenHeight; ++y) {
      for (int x = 0; x < kScreenWidth; ++x) {
        if (At(x, y) == grey) continue;
        top = std::min(top, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    EXPECT_LT(top, kStripGroundY - 40) << "pattern " << pattern;
    if (pattern == 81) {
      EXPECT_GT(right, kStripStartX + 60);
    }
    if (pattern == 61) {
      EXPECT_EQ(right, left) << "the straight jump goes up and down in place";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SampleInView, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "565" : "555"; });

}  // namespace
}  // namespace boxedit
