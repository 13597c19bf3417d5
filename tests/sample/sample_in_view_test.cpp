// The sample character as the editor shows it: its files go through the real tile-sheet loader
// and picture bank, in both screen layouts.
#include <gtest/gtest.h>

#include <memory>

#include "../support/fake_platform.h"
#include "../support/temp_dir.h"
#include "chardata/list_reader.h"
#include "display/display_device.h"
#include "display/pixel_layout.h"
#include "display/tile_sheet_loader.h"
#include "sample/sample_character.h"
#include "sample_files.h"
#include "view/picture_bank.h"

namespace boxedit {
namespace {

using testing::Sample;

class SampleInView : public ::testing::TestWithParam<bool> {
 protected:
  void TearDown() override {
    bank->Release();
    ReleaseDisplay(display);
  }
  uint16_t Rgb(int r, int g, int b) const {
    return static_cast<uint16_t>(RgbToPixel(display.is565, r, g, b));
  }

  testing::FakePlatform platform{GetParam()};
  Display display;
  testing::TempDir dir;
  std::unique_ptr<PictureBank> bank = std::make_unique<PictureBank>();
};

// Every picture lands on the screen pixel for pixel: the fighter's colours where it is drawn,
// the grey background through the key colour around it.
TEST_P(SampleInView, PicturesShowTheFighterThroughTheKeyColour) {
  ASSERT_EQ(InitDisplay(display, platform), 1);
  ASSERT_EQ(display.is565, GetParam());
  ASSERT_TRUE(WriteSampleCharacter(dir.path(), nullptr));
  Surface& sheet = bank->tileSheet;
  ASSERT_EQ(sheet.Create(display, 640, 720), 1);
  sheet.SetCells(16, 16);
  ReadHeader header;
  auto list = std::make_unique<MotionList>();
  EXPECT_TRUE(Load(*list, dir.path(), &header).empty());
  const std::optional<KeyColour> key = header.keyColour();
  ASSERT_TRUE(key);
  const int32_t keyPixel = RgbToPixel(display.is565, key->red, key->green, key->blue);
  ASSERT_EQ(LoadTileSheet(sheet, display.is565, dir / "chara.bmp", keyPixel), 1);
  ASSERT_EQ(bank->Load(dir / "pattern.pat"), 1);

  const std::vector<uint8_t>& bmp = Sample().tileSheet;
  const uint16_t grey = Rgb(128, 128, 128);
  for (int p = 0; p < Sample().pictureCount; ++p) {
    ASSERT_EQ(ClearBackBuffer(display, 128, 128, 128), 1);
    bank->Draw(display, p);
    int fighter = 0, mismatches = 0;
    for (int y = 1; y <= 240; ++y) {
      for (int x = 32; x < 320; ++x) {
        const uint8_t i = testing::PicturePixel(Sample(), p, x, y - 1);
        const uint16_t expected =
            i == 0 ? grey : Rgb(bmp[54 + 4 * i + 2], bmp[54 + 4 * i + 1], bmp[54 + 4 * i]);
        fighter += i != 0;
        mismatches += display.backBuffer->At(x, y) != expected;
      }
    }
    EXPECT_EQ(mismatches, 0) << "picture " << p;
    EXPECT_GT(fighter, 2000) << "picture " << p;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SampleInView, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "565" : "555"; });

}  // namespace
}  // namespace boxedit
