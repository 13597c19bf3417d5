#include "png/png.h"

#include <zlib.h>

#include <iterator>
#include <new>

#include "base/little_endian.h"

namespace boxedit {

namespace {

constexpr int kMaxSide = 32767;

// How rows are filtered and compressed. Every row is filtered "up" (each byte minus the one
// above it): screens and contact sheets repeat the row above in their flat backgrounds, vertical
// lines, text and tile columns, which up turns into runs of zeros, at one subtraction a byte.
// Deflate's output at level 6 for scripts/screenshot's 640x480 replay shot / the sheet of
// bench/png_bench.cpp (2648x17288): no filter 8447 / 1403952 bytes, sub 9608 / 1599287, up
// 8092 / 879738, paeth 8246 / 951171, and the usual adaptive choice (per row, the filter whose
// bytes have the least sum of absolute values) 8237 / 968376 in over three times the time.
// Level 9 makes the sheet 1% smaller in three times the time.
//
// scripts/windows-test compares the shots of the Linux and Windows editions byte for byte: both
// link zlib built from the same source, and every parameter is fixed here, none left to a default.
constexpr uint8_t kFilterUp = 2;
constexpr int kLevel = 6;
constexpr int kWindowBits = 15;  // a 32 KiB window, in a zlib wrapper
constexpr int kMemLevel = 8;

// The compressed stream goes into IDAT chunks of this many bytes, the last one shorter.
constexpr uInt kIdatBytes = 1 << 16;

// Appends a PNG chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const uint8_t* data, size_t size) {
  AppendBe32(out, static_cast<uint32_t>(size));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
  if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));  // a null `data` resets a CRC
  AppendBe32(out, static_cast<uint32_t>(crc));
}

}  // namespace

struct PngEncoder::Stream {
  z_stream zlib{};
  bool zlibOpen = false;
  int width = 0, height = 0, rowsDone = 0;
  std::vector<uint8_t> above;       // the last row's bytes; zero above the top row
  std::vector<uint8_t> filtered;    // the filter type, then the row's bytes filtered
  std::vector<uint8_t> compressed;  // deflate's output not yet in a chunk
  std::vector<uint8_t> file;

  ~Stream() {
    if (zlibOpen) deflateEnd(&zlib);
  }

  // Moves what deflate has written into an IDAT chunk and gives it the whole buffer again.
  void PutIdat() {
    const size_t size = compressed.size() - zlib.avail_out;
    if (size > 0) PutChunk(file, "IDAT", compressed.data(), size);
    zlib.next_out = compressed.data();
    zlib.avail_out = static_cast<uInt>(compressed.size());
  }

  bool CompressRow(std::span<const Rgb> row) {
    for (size_t x = 0; x < row.size(); ++x) {
      const uint8_t bytes[3] = {row[x].red, row[x].green, row[x].blue};
      for (size_t c = 0; c < 3; ++c) {
        uint8_t& up = above[3 * x + c];
        filtered[1 + 3 * x + c] = static_cast<uint8_t>(bytes[c] - up);
        up = bytes[c];
      }
    }
    zlib.next_in = filtered.data();
    zlib.avail_in = static_cast<uInt>(filtered.size());
    while (zlib.avail_in > 0) {
      if (deflate(&zlib, Z_NO_FLUSH) != Z_OK) return false;
      if (zlib.avail_out == 0) PutIdat();
    }
    ++rowsDone;
    return true;
  }
};

PngEncoder::PngEncoder(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
  auto stream = std::make_unique<Stream>();
  Stream& s = *stream;
  if (deflateInit2(&s.zlib, kLevel, Z_DEFLATED, kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return;
  }
  s.zlibOpen = true;
  s.width = width;
  s.height = height;
  const size_t rowBytes = 3 * static_cast<size_t>(width);
  s.above.assign(rowBytes, 0);
  s.filtered.assign(1 + rowBytes, 0);
  s.filtered[0] = kFilterUp;
  s.compressed.resize(kIdatBytes);
  s.zlib.next_out = s.compressed.data();
  s.zlib.avail_out = kIdatBytes;

  static constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  s.file.assign(std::begin(kSignature), std::end(kSignature));
  std::vector<uint8_t> header;
  AppendBe32(header, static_cast<uint32_t>(width));
  AppendBe32(header, static_cast<uint32_t>(height));
  header.push_back(8);  // bits per channel
  header.push_back(2);  // colour type: RGB
  header.push_back(0);  // compression: deflate
  header.push_back(0);  // filter method 0
  header.push_back(0);  // no interlace
  PutChunk(s.file, "IHDR", header.data(), header.size());
  stream_ = std::move(stream);
}

PngEncoder::~PngEncoder() = default;

bool PngEncoder::AddRows(std::span<const Rgb> pixels) {
  if (!stream_) return false;
  Stream& s = *stream_;
  const size_t width = static_cast<size_t>(s.width);
  bool ok = pixels.size() % width == 0 &&
            pixels.size() / width <= static_cast<size_t>(s.height - s.rowsDone);
  try {
    for (size_t at = 0; ok && at < pixels.size(); at += width) {
      ok = s.CompressRow(pixels.subspan(at, width));
    }
  } catch (const std::bad_alloc&) {  // the file outgrew memory
    ok = false;
  }
  if (!ok) stream_.reset();
  return ok;
}

std::vector<uint8_t> PngEncoder::Finish() {
  const std::unique_ptr<Stream> stream = std::move(stream_);
  if (!stream || stream->rowsDone != stream->height) return {};
  Stream& s = *stream;
  try {
    for (;;) {
      const int result = deflate(&s.zlib, Z_FINISH);
      if (result != Z_OK && result != Z_STREAM_END) return {};
      if (result == Z_STREAM_END || s.zlib.avail_out == 0) s.PutIdat();
      if (result == Z_STREAM_END) break;
    }
    PutChunk(s.file, "IEND", nullptr, 0);
  } catch (const std::bad_alloc&) {
    return {};
  }
  return std::move(s.file);
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
  PngEncoder encoder(image.width, image.height);
  if (!encoder.AddRows(image.pixels)) return {};
  return encoder.Finish();
}

}  // namespace boxedit
