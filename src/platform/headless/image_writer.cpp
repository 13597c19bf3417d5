#include "platform/headless/image_writer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace boxedit {
namespace {

// Frames larger than this are refused, which keeps every size of both formats in 32 bits.
constexpr int kMaxSide = 32767;

bool IsDrawable(const FrameView& frame) {
  return frame.pixels != nullptr && frame.width > 0 && frame.height > 0 &&
         frame.width <= kMaxSide && frame.height <= kMaxSide && frame.pitchBytes >= frame.width * 2;
}

Rgb PixelAt(const FrameView& frame, int x, int y) {
  const auto* row = reinterpret_cast<const uint8_t*>(frame.pixels) +
                    static_cast<size_t>(y) * static_cast<size_t>(frame.pitchBytes);
  uint16_t pixel;
  std::memcpy(&pixel, row + static_cast<size_t>(x) * 2, sizeof pixel);
  return PixelToRgb(frame.layout, pixel);
}

void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}
void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t GetLe16(const uint8_t* p) {
  return p[0] | (static_cast<uint32_t>(p[1]) << 8);
}
uint32_t GetLe32(const uint8_t* p) {
  return GetLe16(p) | (GetLe16(p + 2) << 16);
}

// Appends a PNG chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

bool EndsWithPng(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext == ".png";
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

std::vector<uint8_t> EncodeBmp24(const FrameView& frame) {
  std::vector<uint8_t> out;
  if (!IsDrawable(frame)) return out;
  const uint32_t rowBytes = (static_cast<uint32_t>(frame.width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(frame.height);
  constexpr uint32_t kHeaders = 14 + 40;
  out.reserve(kHeaders + imageBytes);
  // File header.
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, kHeaders + imageBytes);
  PutLe32(out, 0);  // two reserved words
  PutLe32(out, kHeaders);
  // Info header: positive height, so rows are stored bottom-up.
  PutLe32(out, 40);
  PutLe32(out, static_cast<uint32_t>(frame.width));
  PutLe32(out, static_cast<uint32_t>(frame.height));
  PutLe16(out, 1);   // planes
  PutLe16(out, 24);  // bits per pixel
  PutLe32(out, 0);   // no compression
  PutLe32(out, imageBytes);
  PutLe32(out, 2835);  // 72 dots per inch, both ways
  PutLe32(out, 2835);
  PutLe32(out, 0);  // no palette
  PutLe32(out, 0);
  for (int y = frame.height - 1; y >= 0; --y) {
    const size_t rowStart = out.size();
    for (int x = 0; x < frame.width; ++x) {
      const Rgb c = PixelAt(frame, x, y);
      out.push_back(c.blue);
      out.push_back(c.green);
      out.push_back(c.red);
    }
    out.resize(rowStart + rowBytes, 0);
  }
  return out;
}

std::vector<uint8_t> EncodePng(const FrameView& frame) {
  std::vector<uint8_t> out;
  if (!IsDrawable(frame)) return out;

  // The raw image: each row is a filter byte (0, none) and its RGB triples.
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(frame.height) * (1 + static_cast<size_t>(frame.width) * 3));
  for (int y = 0; y < frame.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < frame.width; ++x) {
      const Rgb c = PixelAt(frame, x, y);
      raw.push_back(c.red);
      raw.push_back(c.green);
      raw.push_back(c.blue);
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
    PutLe16(zlib, static_cast<uint32_t>(length));
    PutLe16(zlib, static_cast<uint32_t>(~length & 0xFFFF));
    zlib.insert(zlib.end(), raw.begin() + static_cast<ptrdiff_t>(done),
                raw.begin() + static_cast<ptrdiff_t>(done + length));
    done += length;
  } while (done < raw.size());
  PutBe32(zlib, Adler32(raw.data(), raw.size()));

  static constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.assign(std::begin(kSignature), std::end(kSignature));
  std::vector<uint8_t> header;
  PutBe32(header, static_cast<uint32_t>(frame.width));
  PutBe32(header, static_cast<uint32_t>(frame.height));
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

bool WriteFrameImage(const std::filesystem::path& path, const FrameView& frame,
                     std::string* error) {
  const std::vector<uint8_t> bytes = EndsWithPng(path) ? EncodePng(frame) : EncodeBmp24(frame);
  if (bytes.empty()) {
    *error = "cannot write " + path.string() + ": the frame has no pixels";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *error = "cannot write " + path.string() + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int writeErrno = errno;
  // A full disk may only show when the buffered bytes are flushed at close.
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    *error = "cannot write " + path.string() + ": " + std::strerror(written ? errno : writeErrno);
    return false;
  }
  return true;
}

bool ReadBmp24(const std::filesystem::path& path, Image* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t offBits = GetLe32(&bytes[10]);
  const uint32_t infoSize = GetLe32(&bytes[14]);
  const auto width = static_cast<int32_t>(GetLe32(&bytes[18]));
  const auto height = static_cast<int32_t>(GetLe32(&bytes[22]));
  const uint32_t bitCount = GetLe16(&bytes[28]);
  const uint32_t compression = GetLe32(&bytes[30]);
  // Only what EncodeBmp24 writes: uncompressed, 24 bits, rows bottom-up.
  if (infoSize < 40 || bitCount != 24 || compression != 0 || width <= 0 || height <= 0) {
    return false;
  }
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
  if (offBits > bytes.size() || rowBytes * static_cast<uint64_t>(height) > bytes.size() - offBits) {
    return false;
  }
  out->width = width;
  out->height = height;
  out->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = &bytes[offBits + static_cast<size_t>(height - 1 - y) * rowBytes];
    for (int32_t x = 0; x < width; ++x) {
      out->pixels[static_cast<size_t>(y) * width + x] = {row[x * 3 + 2], row[x * 3 + 1],
                                                         row[x * 3]};
    }
  }
  return true;
}

}  // namespace boxedit
