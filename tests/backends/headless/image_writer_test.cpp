#include "backends/headless/image_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../support/bmp_reader.h"
#include "../../support/temp_dir.h"
#include "chardata/bmp.h"
#include "png/png.h"

namespace boxedit {
namespace {

using testing::ReadBmp24;

// A frame whose pixels all differ, with `extra` unused pixels (0xFFFF) at the end of each row.
struct TestFrame {
  int width, height, stride;
  std::vector<uint16_t> pixels;
  TestFrame(int w, int h, int extra) : width(w), height(h), stride(w + extra) {
    pixels.resize(static_cast<size_t>(stride) * h, 0xFFFF);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x)
        pixels[y * stride + x] = static_cast<uint16_t>(x * 2011 + y * 977);
    }
  }
  FrameView View(const PixelLayout& l) const {
    return {pixels.data(), stride * 2, width, height, l};
  }
  Rgb Expected(const PixelLayout& l, int x, int y) const {
    return PixelToRgb(l, pixels[y * stride + x]);
  }
};

TEST(WriteFrameImage, BmpHasPaddedBottomUpRowsThatReadBack_InBothLayouts) {
  testing::TempDir dir;
  const TestFrame frame(3, 2, 2);  // 9 bytes of pixels a row, padded to 12
  for (const PixelLayout* layout : {&kLayout565, &kLayout555}) {
    std::string error;
    ASSERT_TRUE(WriteFrameImage(dir / "f.bmp", frame.View(*layout), &error)) << error;
    const std::string bmp = dir.Read("f.bmp");
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[28], 24);
    // The bottom row comes first, blue first, and ends in 3 bytes of padding.
    EXPECT_EQ(static_cast<uint8_t>(bmp[54]), frame.Expected(*layout, 0, 1).blue);
    EXPECT_EQ(static_cast<uint8_t>(bmp[56]), frame.Expected(*layout, 0, 1).red);
    EXPECT_EQ(bmp.substr(63, 3), std::string(3, '\0'));
    RgbImage image;
    ASSERT_TRUE(ReadBmp24(dir / "f.bmp", &image));
    ASSERT_EQ(std::pair(image.width, image.height), std::pair(3, 2));
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(image.At(x, y), frame.Expected(*layout, x, y));
    }
  }
}

// A name ending in .png, in any case, gets the PNG of the frame's pixels (png/png.h).
TEST(WriteFrameImage, PngHoldsTheEncodedFrame) {
  testing::TempDir dir;
  const TestFrame frame(5, 3, 1);
  std::string error;
  ASSERT_TRUE(WriteFrameImage(dir / "f.PNG", frame.View(kLayout555), &error)) << error;
  const std::vector<uint8_t> png = EncodePng(FrameToImage(frame.View(kLayout555)));
  EXPECT_EQ(dir.Read("f.PNG"), std::string(png.begin(), png.end()));
}

TEST(WriteFrameImage, FailsWithReason_WhenFrameIsEmptyOrFileCannotBeWritten) {
  testing::TempDir dir;
  const TestFrame frame(2, 2, 0);
  std::string error;
  EXPECT_FALSE(WriteFrameImage(dir / "no-dir" / "f.bmp", frame.View(kLayout565), &error));
  EXPECT_EQ(error.rfind("cannot write " + (dir / "no-dir" / "f.bmp").string() + ": ", 0), 0u);
  EXPECT_FALSE(WriteFrameImage(dir / "e.png", FrameView{nullptr, 0, 0, 0, kLayout565}, &error));
  EXPECT_FALSE(dir.Exists("e.png"));
  // A pitch shorter than a row would read past the pixels.
  EXPECT_TRUE(
      EncodeBmp24(FrameToImage(FrameView{frame.pixels.data(), 2, 2, 2, kLayout565})).empty());
  EXPECT_TRUE(EncodePng(FrameToImage(FrameView{frame.pixels.data(), 2, 2, 2, kLayout565})).empty());
}

TEST(ReadBmp24, Refuses_WhenFileIsNotAComplete24BitBmp) {
  testing::TempDir dir;
  const std::vector<uint8_t> bmp = EncodeBmp24(FrameToImage(TestFrame(4, 4, 0).View(kLayout565)));
  std::string bytes(bmp.begin(), bmp.end() - 1);
  dir.Write("truncated.bmp", bytes);
  bytes.push_back('\0');
  bytes[25] = '\xFF';  // a negative height: rows top-down
  dir.Write("topdown.bmp", bytes);
  RgbImage image;
  for (const char* name : {"truncated.bmp", "topdown.bmp", "none.bmp"}) {
    EXPECT_FALSE(ReadBmp24(dir / name, &image)) << name;
  }
}

}  // namespace
}  // namespace boxedit
