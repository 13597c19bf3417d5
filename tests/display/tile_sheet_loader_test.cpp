#include "display/tile_sheet_loader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../support/bmp_writer.h"
#include "../support/temp_dir.h"
#include "display/pixel_layout.h"
#include "display_fixture.h"

namespace boxedit {
namespace {

TEST(TileSheetLoader, EveryKindOfPixelIsConvertedIntoTheLayout_AndTheKeyKept) {
  // Colour (x * 16, y * 16, 255 - x * 16) at index x + 16 * y, loaded into a 16x8 sheet.
  testing::Picture p{16, 16};
  for (int i = 0; i < 256; ++i) {
    p.palette[i] = Rgb(uint8_t(i % 16 * 16), uint8_t(i / 16 * 16), uint8_t(255 - i % 16 * 16));
    p.indices.push_back(uint8_t(i));
    p.colours.push_back(p.palette[i]);
  }
  testing::TempDir dir;
  const testing::BmpForm forms[] = {{"8-bit", 8}, {"16-bit 5-5-5", 16}, {"24-bit", 24}};
  for (bool is565 : {true, false}) {
    for (const auto& form : forms) {
      SCOPED_TRACE(::testing::Message() << form.name << (is565 ? " in 5-6-5" : " in 5-5-5"));
      testing::OpenDisplay d(is565);
      auto sheet = std::make_unique<Surface>();
      ASSERT_TRUE(sheet->Create(d.display, 16, 8));
      const testing::Bytes bytes = WriteBmp(form, p);
      dir.Write("chara.bmp", std::string(bytes.begin(), bytes.end()));
      ASSERT_TRUE(LoadTileSheet(*sheet, is565, dir / "chara.bmp", 0x1234));
      EXPECT_EQ(std::pair(sheet->hasColourKey, int(sheet->colourKey)), std::pair(1, 0x1234));
      for (int i = 0; i < 16 * 8; ++i) {
        const Rgb c = p.ColourAt(i % 16, i / 16);  // 5-5-5 truncates them as RgbToPixel does
        ASSERT_EQ(sheet->surface->At(i % 16, i / 16), RgbToPixel(is565, c.red, c.green, c.blue))
            << i;
      }
    }
  }
  // A negative key is none; a file that cannot be used leaves the sheet as it was.
  testing::OpenDisplay d;
  Surface sheet;
  std::string error;
  EXPECT_FALSE(LoadTileSheet(sheet, true, dir / "chara.bmp", 5, &error));
  EXPECT_EQ(error, "there is no surface to load it into");
  sheet.Create(d.display, 16, 8);
  ASSERT_TRUE(LoadTileSheet(sheet, true, dir / "chara.bmp", -1));
  EXPECT_EQ(sheet.hasColourKey, 0);
  sheet.surface->Fill(0x4321);
  EXPECT_FALSE(LoadTileSheet(sheet, true, dir / "missing.bmp", 5));
  EXPECT_EQ(std::pair(int(sheet.surface->At(0, 0)), sheet.hasColourKey), std::pair(0x4321, 0));
}

}  // namespace
}  // namespace boxedit
