// The PNG format as written for screenshots: an 8-bit RGB image in one zlib stream of stored
// deflate blocks (no compression).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/colour.h"

namespace boxedit {

// The whole file; empty when the image has no pixels or a side above 32767.
std::vector<uint8_t> EncodePng(const RgbImage& image);

// CRC-32 (the PNG chunk check) and Adler-32 (the zlib stream check) of `size` bytes.
uint32_t Crc32(const uint8_t* data, size_t size);
uint32_t Adler32(const uint8_t* data, size_t size);

}  // namespace boxedit
