#include "platform/headless/image_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "chardata/bmp.h"
#include "chardata/png.h"

namespace boxedit {
namespace {

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

uint32_t Be32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
  return v;
}
uint32_t Le16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8;
}
uint32_t Crc(const std::string& b, size_t at, size_t n) {
  return Crc32(reinterpret_cast<const uint8_t*>(b.data()) + at, n);
}

TEST(Checksums, MatchStandardCheckValues) {
  EXPECT_EQ(Crc("123456789", 0, 9), 0xCBF43926u);
  EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>("Wikipedia"), 9), 0x11E60398u);
}

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

// The PNG's chunks, each CRC checked, and its zlib stream of stored blocks unpacked with its
// headers and Adler-32 checked, give back the frame's rows behind filter bytes of 0.
TEST(WriteFrameImage, PngHasValidChunksAndPixels_WhenDataNeedsSeveralStoredBlocks) {
  testing::TempDir dir;
  const TestFrame frame(200, 120, 1);  // 120 rows of 1 + 600 bytes: more than one block holds
  std::string error;
  ASSERT_TRUE(WriteFrameImage(dir / "f.PNG", frame.View(kLayout555), &error)) << error;
  const std::string png = dir.Read("f.PNG");
  ASSERT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
  std::string types, ihdr, z;
  for (size_t at = 8; at < png.size(); at += 12 + Be32(png, at)) {
    const uint32_t length = Be32(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    EXPECT_EQ(Be32(png, at + 8 + length), Crc(png, at + 4, 4 + length));
    types += png.substr(at + 4, 4);
    (types.size() == 4 ? ihdr : z) += png.substr(at + 8, length);
  }
  ASSERT_EQ(types, "IHDRIDATIEND");
  ASSERT_GE(z.size(), 6u);
  EXPECT_EQ(ihdr, std::string("\0\0\0\xC8\0\0\0\x78\x08\x02\0\0\0", 13));  // 8-bit RGB
  EXPECT_EQ(z[0] & 0x0F, 8);                                               // deflate
  EXPECT_EQ((Be32(z, 0) >> 16) % 31, 0u);                                  // header check bits
  std::string raw;
  int blocks = 0;
  size_t at = 2;
  for (bool last = false; !last; ++blocks) {
    ASSERT_LE(at + 5, z.size());
    last = (z[at] & 1) != 0;
    EXPECT_EQ(z[at] & 6, 0);  // stored
    const uint32_t length = Le16(z, at + 1);
    EXPECT_EQ(length ^ 0xFFFF, Le16(z, at + 3));
    ASSERT_LE(at + 5 + length, z.size());
    raw += z.substr(at + 5, length);
    at += 5 + length;
  }
  EXPECT_EQ(blocks, 2);
  ASSERT_EQ(at + 4, z.size());
  EXPECT_EQ(Be32(z, at), Adler32(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()));
  std::string rows;  // each row: filter byte 0, then red, green, blue
  for (int y = 0; y < 120; ++y) {
    rows += '\0';
    for (int x = 0; x < 200; ++x) {
      const Rgb c = frame.Expected(kLayout555, x, y);
      rows += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    }
  }
  EXPECT_TRUE(raw == rows);
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
