#include "backends/headless/image_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../support/bmp_reader.h"
#include "../../support/temp_dir.h"
#include "png/png.h"

namespace boxedit {
namespace {

// A 3x2 frame whose pixels all differ, in rows of 5 ending in 2 pixels of padding.
const std::vector<uint16_t> kPixels = {0x0000, 0x07DB, 0x0FB6, 0xFFFF, 0xFFFF,
                                       0x03D1, 0x0BAC, 0x1387, 0xFFFF, 0xFFFF};

const auto View = [](const PixelLayout& l) { return FrameView{kPixels.data(), 10, 3, 2, l}; };

TEST(WriteFrameImage, BmpHasPaddedBottomUpRows_PngTheEncodedFrame_InBothLayouts) {
  testing::TempDir dir;
  for (const PixelLayout* layout : {&kLayout565, &kLayout555}) {
    std::string error;
    ASSERT_TRUE(WriteFrameImage(dir / "f.bmp", View(*layout), &error)) << error;
    const std::string bmp = dir.Read("f.bmp");
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);                 // 9 bytes of pixels a row, padded to 12
    EXPECT_EQ(bmp.substr(63, 3), std::string(3, '\0'));  // the bottom row's padding
    RgbImage image;
    ASSERT_TRUE(testing::ReadBmp24(dir / "f.bmp", &image));
    ASSERT_EQ(std::pair(image.width, image.height), std::pair(3, 2));
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(image.pixels[i], PixelToRgb(*layout, kPixels[i / 3 * 5 + i % 3])) << i;
    ASSERT_TRUE(WriteFrameImage(dir / "f.PNG", View(*layout), &error)) << error;
    const std::vector<uint8_t> png = EncodePng(FrameToImage(View(*layout)));
    EXPECT_EQ(dir.Read("f.PNG"), std::string(png.begin(), png.end()));
  }
}

TEST(WriteFrameImage, FailsWithReason_WhenFrameIsEmptyOrFileCannotBeWritten) {
  testing::TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteFrameImage(dir / "no-dir" / "f.bmp", View(kLayout565), &error));
  EXPECT_EQ(error.rfind("cannot write " + (dir / "no-dir" / "f.bmp").string() + ": ", 0), 0u);
  EXPECT_FALSE(WriteFrameImage(dir / "e.png", FrameView{nullptr, 0, 0, 0, kLayout565}, &error));
  EXPECT_FALSE(dir.Exists("e.png"));
  // A pitch shorter than a row would read past the pixels.
  EXPECT_TRUE(FrameToImage(FrameView{kPixels.data(), 5, 3, 2, kLayout565}).pixels.empty());
}

}  // namespace
}  // namespace boxedit
