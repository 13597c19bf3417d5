#include "chardata/bmp_format.h"

#include <bit>
#include <cstdio>

#include "base/little_endian.h"
#include "chardata/bmp.h"

namespace boxedit {

namespace {

constexpr std::array<BmpChannel, 3> kDefault16{{{10, 5}, {5, 5}, {0, 5}}};
constexpr std::array<BmpChannel, 3> kDefault32{{{16, 8}, {8, 8}, {0, 8}}};
constexpr size_t kMaskBytes = 12;  // red, green, blue

bool Fail(std::string reason, std::string* error) {
  if (error != nullptr) *error = std::move(reason);
  return false;
}

std::string CompressionName(uint32_t method) {
  switch (method) {
    case 0:
      return "none";
    case 1:
      return "RLE8";
    case 2:
      return "RLE4";
    case 3:
      return "bit fields";
    case 4:
      return "JPEG";
    case 5:
      return "PNG";
    case 6:
      return "alpha bit fields";
    case 11:
      return "CMYK";
    case 12:
      return "CMYK RLE8";
    case 13:
      return "CMYK RLE4";
    default:
      return "unknown";
  }
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

// A mask must be one run of bits inside the pixel: anything else has no single place to read.
bool ChannelOf(uint32_t mask, int bitCount, const char* name, BmpChannel* channel,
               std::string* error) {
  const uint32_t inPixel = bitCount == 32 ? ~uint32_t{0} : (uint32_t{1} << bitCount) - 1;
  const int shift = std::countr_zero(mask);
  if (mask == 0 || (mask & ~inPixel) != 0 || ((mask >> shift) & ((mask >> shift) + 1)) != 0) {
    return Fail("its " + std::string(name) + " mask " + Hex(mask) +
                    " is not one run of bits inside a " + std::to_string(bitCount) + "-bit pixel",
                error);
  }
  *channel = {shift, std::popcount(mask)};
  return true;
}

bool CheckCompression(const BitmapInfoHeader& info, std::string* error) {
  const uint32_t method = info.biCompression;
  const auto refuse = [&](const std::string& why) {
    return Fail("it is compressed with method " + std::to_string(method) + " (" +
                    CompressionName(method) + ")" + why,
                error);
  };
  if (method > 3) {
    return refuse("; uncompressed, RLE8, RLE4 and bit-field BMPs can be read");
  }
  const int bits = info.biBitCount;
  const bool fits = method == 0 || (method == 1 && bits == 8) || (method == 2 && bits == 4) ||
                    (method == 3 && (bits == 16 || bits == 32));
  if (!fits) return refuse(", which does not go with " + std::to_string(bits) + " bits per pixel");
  if (method != 0 && method != 3 && info.biHeight < 0) {
    return refuse(" and its rows are stored top-down, which a compressed BMP cannot be");
  }
  return true;
}

}  // namespace

bool BmpFormat::Is555() const {
  return bitCount == 16 && channels == kDefault16;
}

bool ReadBmpFormat(std::span<const uint8_t> file, BmpFormat* format, std::string* error) {
  const size_t size = file.size();
  if (size < kBitmapFileHeaderSize + 4u) {
    return Fail("it is " + std::to_string(size) + " bytes, too short for the BMP headers", error);
  }
  const BitmapFileHeader fileHeader = ParseFileHeader(file.first<kBitmapFileHeaderSize>());
  if (fileHeader.bfType != kBitmapMagic) {
    return Fail(
        "it is not a BMP: it starts with " + Hex(file[0]) + " " + Hex(file[1]) + ", not \"BM\"",
        error);
  }
  const uint32_t infoSize = ReadLe32(file.data() + kBitmapFileHeaderSize);
  if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124) {
    return Fail("its info header is " + std::to_string(infoSize) +
                    " bytes; headers of 40, 52, 56, 108 and 124 bytes can be read",
                error);
  }
  if (size < kBitmapFileHeaderSize + infoSize) {
    return Fail("it ends inside its " + std::to_string(infoSize) + "-byte info header", error);
  }
  const BitmapInfoHeader info =
      ParseInfoHeader(file.subspan<kBitmapFileHeaderSize, kBitmapInfoHeaderSize>());
  if (info.biPlanes != 1) {
    return Fail("it has " + std::to_string(info.biPlanes) + " colour planes; 1 can be read", error);
  }
  const int bits = info.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Fail(
        "it has " + std::to_string(bits) + " bits per pixel; 1, 4, 8, 16, 24 and 32 can be read",
        error);
  }
  if (!CheckCompression(info, error)) return false;
  // In 64 bits: the most negative height has no positive 32-bit value.
  const int64_t height = info.biHeight < 0 ? -int64_t{info.biHeight} : int64_t{info.biHeight};
  if (info.biWidth <= 0 || info.biWidth > kMaxBmpSide) {
    return Fail("it is " + std::to_string(info.biWidth) + " pixels wide; 1 to " +
                    std::to_string(kMaxBmpSide) + " can be read",
                error);
  }
  if (height == 0 || height > kMaxBmpSide) {
    return Fail("it is " + std::to_string(info.biHeight) + " pixels high; 1 to " +
                    std::to_string(kMaxBmpSide) + " (either sign) can be read",
                error);
  }

  BmpFormat f;
  f.width = info.biWidth;
  f.height = static_cast<int32_t>(height);
  f.topDown = info.biHeight < 0;
  f.bitCount = bits;
  f.compression = static_cast<BmpCompression>(info.biCompression);
  f.channels = bits == 16 ? kDefault16 : kDefault32;
  f.paletteAt = kBitmapFileHeaderSize + size_t{infoSize};
  if (f.compression == BmpCompression::kBitFields) {
    // A 40-byte header is followed by the masks; the longer headers hold them.
    const size_t masksAt = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
    if (infoSize == kBitmapInfoHeaderSize) {
      f.paletteAt += kMaskBytes;
      if (size < f.paletteAt) return Fail("it ends inside its colour masks", error);
    }
    static constexpr const char* kNames[] = {"red", "green", "blue"};
    for (size_t c = 0; c < 3; ++c) {
      if (!ChannelOf(ReadLe32(file.data() + masksAt + 4 * c), bits, kNames[c], &f.channels[c],
                     error)) {
        return false;
      }
    }
  }
  if (f.Indexed()) {
    const uint32_t most = uint32_t{1} << bits;
    f.paletteEntries = info.biClrUsed == 0 || info.biClrUsed > most ? most : info.biClrUsed;
  }
  f.rowBytes = (static_cast<size_t>(f.width) * static_cast<size_t>(bits) + 31) / 32 * 4;

  // The pixel data may not overlap the headers. Past the end of the file it may lie only when
  // the file was cut short inside the palette, which is read as far as it goes.
  f.pixelsAt = fileHeader.bfOffBits;
  const bool endsInPalette = size < f.paletteAt + size_t{4} * f.paletteEntries;
  if (f.pixelsAt < f.paletteAt) {
    return Fail("its pixel data would start at byte " + std::to_string(f.pixelsAt) +
                    ", inside its headers, which end at byte " + std::to_string(f.paletteAt),
                error);
  }
  if (f.pixelsAt > size && !endsInPalette) {
    return Fail("its pixel data would start at byte " + std::to_string(f.pixelsAt) +
                    ", past the end of the " + std::to_string(size) + "-byte file",
                error);
  }
  *format = f;
  return true;
}

}  // namespace boxedit
