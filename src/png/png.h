// The PNG format as written for screenshots and contact sheets: an 8-bit RGB image, each row
// filtered against the row above it and compressed by zlib; whole, or a band of rows at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/colour.h"

namespace boxedit {

// How hard deflate works: kSmallest for screens; kFast for images of hundreds of megabytes of
// rows, in well under half the time, their files about 1.7 times as big (png.cpp has figures).
enum class PngCompression { kSmallest, kFast };

// Encodes an image handed over a band of rows at a time, so that an image too big to hold whole
// never is: only the compressed file grows, and it is a small part of the pixels it holds. Rows
// past the first megabyte or so are deflated on other threads while the caller makes more; the
// file's bytes do not depend on how many threads there are.
class PngEncoder {
 public:
  // An encoder of an image of width x height pixels. Sides outside 1..32767 are refused: every
  // AddRows is then false and Finish empty.
  PngEncoder(int width, int height, PngCompression compression = PngCompression::kSmallest);
  ~PngEncoder();
  PngEncoder(const PngEncoder&) = delete;
  PngEncoder& operator=(const PngEncoder&) = delete;

  // Compresses the next whole rows, `width` pixels each, top row first. False when the size was
  // refused, when `pixels` is not a whole number of rows or runs past the last row, or when
  // memory runs out; the encoder is then failed and stays so.
  bool AddRows(std::span<const Rgb> pixels);

  // The whole file, once every row is in; empty when rows are missing, the encoder failed or
  // deflate ran out of memory.
  // The encoder is spent afterwards: it refuses more rows and a second Finish is empty.
  std::vector<uint8_t> Finish();

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;  // null once the encoder has failed or finished
};

// The whole file; empty when the image has no pixels, a side above 32767, fewer or more pixels
// than its sides say, or memory runs out.
std::vector<uint8_t> EncodePng(const RgbImage& image);

}  // namespace boxedit
