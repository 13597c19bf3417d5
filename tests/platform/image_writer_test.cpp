#include "platform/headless/image_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../support/temp_dir.h"

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

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) |
         b[at + 3];
}

std::vector<uint8_t> ReadBytes(const testing::TempDir& dir, const char* name) {
  const std::string s = dir.Read(name);
  return {s.begin(), s.end()};
}

// Splits a PNG into (type, data) chunks, checking the signature and every chunk's CRC.
std::vector<std::pair<std::string, std::vector<uint8_t>>> PngChunks(
    const std::vector<uint8_t>& png) {
  static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::pair<std::string, std::vector<uint8_t>>> chunks;
  EXPECT_TRUE(png.size() >= 8 && std::memcmp(png.data(), kSignature, 8) == 0);
  size_t at = 8;
  while (at + 12 <= png.size() && at + 12 + Be32(png, at) <= png.size()) {
    const uint32_t length = Be32(png, at);
    EXPECT_EQ(Be32(png, at + 8 + length), Crc32(png.data() + at + 4, 4 + length));
    chunks.emplace_back(std::string(png.begin() + at + 4, png.begin() + at + 8),
                        std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length));
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  return chunks;
}

// Inflates a zlib stream of stored blocks, checking its headers and Adler-32.
std::vector<uint8_t> InflateStored(const std::vector<uint8_t>& z, int* blocks) {
  std::vector<uint8_t> out;
  EXPECT_EQ(z[0] & 0x0F, 8);               // deflate
  EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0);  // header check bits
  size_t at = 2;
  for (bool last = false; !last; ++*blocks) {
    EXPECT_LE(at + 5, z.size());
    if (at + 5 > z.size()) return out;
    last = (z[at] & 1) != 0;
    EXPECT_EQ(z[at] & 6, 0);  // stored
    const uint32_t length = z[at + 1] | (uint32_t{z[at + 2]} << 8);
    EXPECT_EQ(length ^ 0xFFFF, z[at + 3] | (uint32_t{z[at + 4]} << 8));
    at += 5;
    EXPECT_LE(at + length, z.size());
    if (at + length > z.size()) return out;
    out.insert(out.end(), z.begin() + at, z.begin() + at + length);
    at += length;
  }
  EXPECT_EQ(at + 4, z.size());
  if (at + 4 == z.size()) {
    EXPECT_EQ(Be32(z, at), Adler32(out.data(), out.size()));
  }
  return out;
}

TEST(Checksums, MatchStandardCheckValues) {
  const std::string digits = "123456789", word = "Wikipedia";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(digits.data()), 9), 0xCBF43926u);
  EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>(word.data()), 9), 0x11E60398u);
  EXPECT_EQ(Adler32(nullptr, 0), 1u);
}

TEST(WriteFrameImage, BmpHasPaddedBottomUpRowsThatReadBack_InBothLayouts) {
  testing::TempDir dir;
  const TestFrame frame(3, 2, 2);  // 9 bytes of pixels a row, padded to 12
  for (const PixelLayout* layout : {&kLayout565, &kLayout555}) {
    std::string error;
    ASSERT_TRUE(WriteFrameImage(dir / "f.bmp", frame.View(*layout), &error)) << error;
    const auto bmp = ReadBytes(dir, "f.bmp");
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[28], 24);
    // The first stored row is the bottom one, blue first; the row ends in 3 zero bytes.
    const Rgb bottomLeft = frame.Expected(*layout, 0, 1);
    EXPECT_EQ(bmp[54], bottomLeft.blue);
    EXPECT_EQ(bmp[56], bottomLeft.red);
    EXPECT_EQ(bmp[63] | bmp[64] | bmp[65], 0);
    Image image;
    ASSERT_TRUE(ReadBmp24(dir / "f.bmp", &image));
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(image.At(x, y), frame.Expected(*layout, x, y));
    }
  }
}

TEST(WriteFrameImage, PngHasValidChunksAndPixels_WhenDataNeedsSeveralStoredBlocks) {
  testing::TempDir dir;
  const TestFrame frame(200, 120, 1);  // 120 rows of 1 + 600 bytes: more than one block holds
  std::string error;
  ASSERT_TRUE(WriteFrameImage(dir / "f.PNG", frame.View(kLayout555), &error)) << error;
  const auto chunks = PngChunks(ReadBytes(dir, "f.PNG"));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].first + chunks[1].first + chunks[2].first, "IHDRIDATIEND");
  const std::vector<uint8_t> ihdr{0, 0, 0, 200, 0, 0, 0, 120, 8, 2, 0, 0, 0};
  EXPECT_EQ(chunks[0].second, ihdr);  // 8-bit RGB, deflate, no interlace
  int blocks = 0;
  const auto raw = InflateStored(chunks[1].second, &blocks);
  EXPECT_EQ(blocks, 2);
  ASSERT_EQ(raw.size(), 120u * 601);
  for (int y = 0; y < 120; ++y) {
    ASSERT_EQ(raw[y * 601], 0) << "filter of row " << y;
    for (int x = 0; x < 200; ++x) {
      const uint8_t* p = &raw[y * 601 + 1 + x * 3];
      ASSERT_EQ((Rgb{p[0], p[1], p[2]}), frame.Expected(kLayout555, x, y)) << x << "," << y;
    }
  }
}

TEST(WriteFrameImage, FailsWithReason_WhenFrameIsEmptyOrFileCannotBeWritten) {
  testing::TempDir dir;
  const TestFrame frame(2, 2, 0);
  std::string error;
  EXPECT_FALSE(WriteFrameImage(dir / "no-dir" / "f.bmp", frame.View(kLayout565), &error));
  EXPECT_EQ(error.rfind("cannot write " + (dir / "no-dir" / "f.bmp").string() + ": ", 0), 0u);
  error.clear();
  EXPECT_FALSE(WriteFrameImage(dir / "e.png", FrameView{nullptr, 0, 0, 0, kLayout565}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(dir.Exists("e.png"));
  // A pitch shorter than a row would read past the pixels.
  EXPECT_TRUE(EncodeBmp24(FrameView{frame.pixels.data(), 2, 2, 2, kLayout565}).empty());
  EXPECT_TRUE(EncodePng(FrameView{frame.pixels.data(), 2, 2, 2, kLayout565}).empty());
}

TEST(ReadBmp24, Refuses_WhenFileIsNotAComplete24BitBmp) {
  testing::TempDir dir;
  const TestFrame frame(4, 4, 0);
  auto bmp = EncodeBmp24(frame.View(kLayout565));  // 54 + 4 rows of 12 bytes
  auto write = [&](const char* name, std::vector<uint8_t> b) {
    dir.Write(name, std::string(b.begin(), b.end()));
  };
  write("whole.bmp", bmp);
  write("truncated.bmp", std::vector<uint8_t>(bmp.begin(), bmp.end() - 1));
  auto eightBit = bmp;
  eightBit[28] = 8;
  write("eight.bmp", eightBit);
  auto huge = bmp;
  huge[21] = 0x7F;  // width 0x7F000004
  write("huge.bmp", huge);
  auto topDown = bmp;
  topDown[25] = 0xFF;  // a negative height
  write("topdown.bmp", topDown);
  Image image;
  EXPECT_TRUE(ReadBmp24(dir / "whole.bmp", &image));
  for (const char* name : {"truncated.bmp", "eight.bmp", "huge.bmp", "topdown.bmp", "none.bmp"}) {
    EXPECT_FALSE(ReadBmp24(dir / name, &image)) << name;
  }
}

}  // namespace
}  // namespace boxedit
