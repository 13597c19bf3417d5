#include "chardata/png.h"

#include <algorithm>
#include <array>

#include "base/little_endian.h"

namespace boxedit {

namespace {

constexpr int kMaxSide = 32767;

// Appends a PNG chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  AppendBe32(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  AppendBe32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size) {
  // The reflected polynomial of CRC-32, one table of 256 remainders built on first use.
  static const std::array<uint32_t, 256> kTable = [] {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    return table;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const uint8_t* data, size_t size) {
  constexpr uint32_t kModulus = 65521;
  uint32_t a = 1, b = 0;
  for (size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
  std::vector<uint8_t> out;
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxSide || image.height > kMaxSide ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
    return out;
  }

  // The raw image: each row is a filter byte (0, none) and its RGB triples.
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(image.height) * (1 + static_cast<size_t>(image.width) * 3));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.At(x, y);
      raw.insert(raw.end(), {c.red, c.green, c.blue});
    }
  }

  // A zlib stream of stored deflate blocks: each holds up to 65535 bytes after a header byte
  // (the last-block bit, type 00) and the block length with its complement.
  constexpr size_t kMaxStored = 65535;
  std::vector<uint8_t> zlib{0x78, 0x01};  // deflate, 32K window, no dictionary, check bits
  size_t done = 0;
  do {
    const size_t length = std::min(kMaxStored, raw.size() - done);
    const bool last = done + length == raw.size();
    zlib.push_back(last ? 1 : 0);
    AppendLe16(zlib, static_cast<uint32_t>(length));
    AppendLe16(zlib, static_cast<uint32_t>(~length & 0xFFFF));
    zlib.insert(zlib.end(), raw.begin() + static_cast<ptrdiff_t>(done),
                raw.begin() + static_cast<ptrdiff_t>(done + length));
    done += length;
  } while (done < raw.size());
  AppendBe32(zlib, Adler32(raw.data(), raw.size()));

  static constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.assign(std::begin(kSignature), std::end(kSignature));
  std::vector<uint8_t> header;
  AppendBe32(header, static_cast<uint32_t>(image.width));
  AppendBe32(header, static_cast<uint32_t>(image.height));
  header.push_back(8);  // bits per channel
  header.push_back(2);  // colour type: RGB
  header.push_back(0);  // compression: deflate
  header.push_back(0);  // filter method 0
  header.push_back(0);  // no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace boxedit
