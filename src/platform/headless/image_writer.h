// Frame images of the headless back end: a 16-bit frame written as a 24-bit BMP or an 8-bit RGB
// PNG (our own encoder, stored deflate blocks, no compression library), and a reader of the
// 24-bit BMPs so that tests can check the pixels of a shot.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "display/pixel_layout.h"

namespace boxedit {

// A 16-bit frame as it is presented: rows of pixels `pitchBytes` apart in `layout`.
struct FrameView {
  const uint16_t* pixels = nullptr;
  int pitchBytes = 0;
  int width = 0;
  int height = 0;
  PixelLayout layout = kLayout565;
};

// An 8-bit RGB image, rows top to bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width * height, row by row
  Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The whole file in memory; empty when the frame has no pixels or an impossible pitch.
std::vector<uint8_t> EncodeBmp24(const FrameView& frame);
std::vector<uint8_t> EncodePng(const FrameView& frame);

// CRC-32 (the PNG chunk check) and Adler-32 (the zlib stream check) of `size` bytes.
uint32_t Crc32(const uint8_t* data, size_t size);
uint32_t Adler32(const uint8_t* data, size_t size);

// Writes the frame to `path`, a PNG when its name ends in .png (any case), else a BMP.
// False with the reason in *error when the frame is empty or the file cannot be written.
bool WriteFrameImage(const std::filesystem::path& path, const FrameView& frame, std::string* error);

// Reads an uncompressed bottom-up 24-bit BMP, as EncodeBmp24 writes it. False when the file
// is missing, is not such a BMP, or is shorter than its headers say.
bool ReadBmp24(const std::filesystem::path& path, Image* out);

}  // namespace boxedit
