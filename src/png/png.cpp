#include "png/png.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <iterator>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

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
// PngCompression::kSmallest is level 6. kFast is level 3, for contact sheets, whose rows run to
// hundreds of megabytes. `boxtool sheet` of a full 1300-slot list (bench/tools_bench.cpp's
// character) writes, by level, files of / in processor seconds of the whole command, drawing
// included: 6: 2.61 MB / 1.3 s, 5: 2.79 / 1.25, 4: 2.99 / 1.25, 3: 4.50 / 0.7, 2: 4.76 / 0.76,
// 1: 5.10 / 0.75. From level 4 on deflate weighs a second match at every byte, which is the time.
//
// scripts/windows-test compares the shots of the Linux and Windows editions byte for byte: both
// link zlib built from the same source, and every parameter is fixed here, none left to a default.
constexpr uint8_t kFilterUp = 2;
constexpr int kSmallestLevel = 6;
constexpr int kFastLevel = 3;
constexpr int kWindowBits = 15;  // a 32 KiB window
constexpr int kMemLevel = 8;

// A big image's filtered rows are deflated in pieces of whole rows, about this many bytes each,
// on as many threads as the machine has processors (kMostThreads at most) while the caller
// makes the next rows. Each
// piece is a raw deflate stream of its own, primed with the window of bytes before it and ended
// on a byte boundary (a sync flush), so the pieces joined make one zlib stream, nearly as small
// as one deflate of the whole. Where the pieces start depends on the image's size alone, so the
// file is the same bytes however many threads made it. An image of one piece (a 640x480 shot)
// is deflated on the caller's thread, as one stream.
constexpr size_t kPieceBytes = size_t{1} << 20;
constexpr unsigned kMostThreads = 8;
constexpr size_t kWindowSize = size_t{1} << kWindowBits;

// The compressed stream goes into IDAT chunks of this many bytes, the last one shorter.
constexpr size_t kIdatBytes = size_t{1} << 16;

static_assert(sizeof(Rgb) == 3, "a row of Rgb is the row's bytes");

// Appends a PNG chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const uint8_t* data, size_t size) {
  AppendBe32(out, static_cast<uint32_t>(size));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
  if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));  // a null `data` resets a CRC
  AppendBe32(out, static_cast<uint32_t>(crc));
}

// out = row - up, byte by byte. In blocks of 16 bytes through local copies, which the compiler
// turns into vector instructions without having to prove that the rows do not overlap.
void FilterUp(const uint8_t* row, const uint8_t* up, uint8_t* out, size_t n) {
  constexpr size_t kBlock = 16;
  size_t i = 0;
  for (; i + kBlock <= n; i += kBlock) {
    uint8_t a[kBlock], b[kBlock];
    std::memcpy(a, row + i, kBlock);
    std::memcpy(b, up + i, kBlock);
    for (size_t k = 0; k < kBlock; ++k) a[k] = static_cast<uint8_t>(a[k] - b[k]);
    std::memcpy(out + i, a, kBlock);
  }
  for (; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - up[i]);
}

// Filtered rows and what deflate makes of them.
struct Piece {
  std::vector<uint8_t> input;       // each row's filter type and filtered bytes, then room
  size_t inputBytes = 0;            // how much of `input` is rows
  std::vector<uint8_t> dictionary;  // the filtered bytes just before the rows, a window at most
  bool last = false;                // ends the stream; the others end on a sync flush
  uLong adler = 0;                  // of the rows, for the zlib stream's check value
  std::vector<uint8_t> output;      // raw deflate
  bool ok = false;
};

// Deflates pieces one after another with one zlib state and one output buffer, so that each
// piece costs no new memory but its output.
class Deflater {
 public:
  explicit Deflater(int level) : level_(level) {}
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  ~Deflater() {
    if (open_) deflateEnd(&zlib_);
  }

  // The piece's rows into its output. Never throws: a failure leaves ok false.
  void Compress(Piece& piece) {
    piece.ok = false;
    if (open_) {
      if (deflateReset(&zlib_) != Z_OK) return;
    } else {
      if (deflateInit2(&zlib_, level_, Z_DEFLATED, -kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) !=
          Z_OK) {
        return;
      }
      open_ = true;
    }
    try {
      bool ok = piece.dictionary.empty() ||
                deflateSetDictionary(&zlib_, piece.dictionary.data(),
                                     static_cast<uInt>(piece.dictionary.size())) == Z_OK;
      const int flush = piece.last ? Z_FINISH : Z_SYNC_FLUSH;
      const size_t bound = deflateBound(&zlib_, static_cast<uLong>(piece.inputBytes));
      buffer_.resize(std::max(buffer_.size(), bound + 64));
      zlib_.next_in = piece.input.data();
      zlib_.avail_in = static_cast<uInt>(piece.inputBytes);
      size_t used = 0;
      while (ok) {
        zlib_.next_out = buffer_.data() + used;
        zlib_.avail_out = static_cast<uInt>(buffer_.size() - used);
        const int result = deflate(&zlib_, flush);
        used = buffer_.size() - zlib_.avail_out;
        ok = result == Z_OK || result == Z_STREAM_END || result == Z_BUF_ERROR;
        // Done once the last piece's stream has ended, or a sync flush has left output room.
        if (result == Z_STREAM_END || (!piece.last && zlib_.avail_in == 0 && zlib_.avail_out > 0)) {
          break;
        }
        if (ok) buffer_.resize(2 * buffer_.size());
      }
      piece.output.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(used));
      piece.adler =
          adler32(adler32(0, nullptr, 0), piece.input.data(), static_cast<uInt>(piece.inputBytes));
      std::vector<uint8_t>().swap(piece.dictionary);
      piece.ok = ok;
    } catch (const std::bad_alloc&) {
      piece.ok = false;
    }
  }

 private:
  int level_;
  z_stream zlib_{};
  bool open_ = false;
  std::vector<uint8_t> buffer_;
};

// The two bytes that open a zlib stream of deflate with a 32 KiB window; the level's class is
// written as zlib itself writes it.
std::array<uint8_t, 2> ZlibHeader(int level) {
  const unsigned levelClass = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  unsigned header = (0x08u | ((kWindowBits - 8) << 4)) << 8 | levelClass << 6;
  header += 31 - header % 31;
  return {static_cast<uint8_t>(header >> 8), static_cast<uint8_t>(header)};
}

}  // namespace

struct PngEncoder::Stream {
  explicit Stream(int deflateLevel) : level(deflateLevel), ownDeflater(deflateLevel) {}

  const int level;
  int width = 0, height = 0, rowsDone = 0;
  size_t rowBytes = 0;
  int rowsPerPiece = 1;
  std::vector<uint8_t> above;  // the last row's bytes; zero above the top row
  std::unique_ptr<Piece> filling;
  std::vector<uint8_t> nextDictionary;
  std::vector<std::unique_ptr<Piece>> pieces;  // every piece handed on, in stream order
  std::vector<uint8_t> file;

  // The threads that deflate handed-on pieces, started with the first one.
  std::vector<std::thread> threads;
  bool threadsTried = false;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<Piece*> waiting;               // handed on, not yet taken by a thread
  std::vector<std::vector<uint8_t>> spare;  // buffers of deflated pieces
  Deflater ownDeflater;                     // used on the caller's thread
  bool closing = false;

  ~Stream() { StopThreads(/*discard=*/true); }

  void StartThreads() {
    threadsTried = true;
    const unsigned count = std::min(std::thread::hardware_concurrency(), kMostThreads);
    if (count < 2) return;  // one processor: the caller deflates each piece itself
    threads.reserve(count);
    try {
      for (unsigned i = 0; i < count; ++i) threads.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {  // fewer threads, or none: the pieces wait the same
    }
  }

  void Work() {
    Deflater deflater(level);
    for (;;) {
      Piece* piece = nullptr;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return closing || !waiting.empty(); });
        if (waiting.empty()) return;
        piece = waiting.front();
        waiting.pop_front();
      }
      changed.notify_all();  // room for another piece
      Deflate(deflater, *piece);
    }
  }

  // Deflates a piece and keeps its buffer of rows for a later piece: a new buffer would cost its
  // pages' first touch again.
  void Deflate(Deflater& deflater, Piece& piece) {
    deflater.Compress(piece);
    std::lock_guard lock(mutex);
    try {
      spare.push_back(std::move(piece.input));
    } catch (const std::bad_alloc&) {  // not kept, then
    }
  }

  // Waits for the threads to deflate what they were handed (or, with discard, only what they
  // have begun) and ends them.
  void StopThreads(bool discard) {
    {
      std::lock_guard lock(mutex);
      closing = true;
      if (discard) waiting.clear();
    }
    changed.notify_all();
    for (std::thread& t : threads) t.join();
    threads.clear();
  }

  void HandOn(std::unique_ptr<Piece> piece) {
    Piece* p = piece.get();
    pieces.push_back(std::move(piece));
    if (!threadsTried) StartThreads();
    if (threads.empty()) {
      Deflate(ownDeflater, *p);
      return;
    }
    // No more pieces waiting than threads: rows are held only until a thread is free for them.
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return waiting.size() < threads.size(); });
    waiting.push_back(p);
    lock.unlock();
    changed.notify_all();
  }

  // Filters a row against the row above it (`up`) into the piece being filled.
  void AddRow(const uint8_t* row, const uint8_t* up) {
    if (!filling) {
      filling = std::make_unique<Piece>();
      {
        std::lock_guard lock(mutex);
        if (!spare.empty()) {
          filling->input = std::move(spare.back());
          spare.pop_back();
        }
      }
      filling->input.resize(static_cast<size_t>(std::min(rowsPerPiece, height)) * (1 + rowBytes));
      filling->dictionary = std::move(nextDictionary);
    }
    Piece& piece = *filling;
    uint8_t* filtered = piece.input.data() + piece.inputBytes;
    filtered[0] = kFilterUp;
    FilterUp(row, up, filtered + 1, rowBytes);
    piece.inputBytes += 1 + rowBytes;
    ++rowsDone;
    if (rowsDone % rowsPerPiece == 0 && rowsDone < height) {
      const uint8_t* end = piece.input.data() + piece.inputBytes;
      nextDictionary.assign(end - std::min(piece.inputBytes, kWindowSize), end);
      HandOn(std::move(filling));
    }
  }

  // The zlib stream of every piece, in IDAT chunks. False when a piece failed.
  bool PutIdats() {
    std::vector<uint8_t> zlib;
    const std::array<uint8_t, 2> header = ZlibHeader(level);
    zlib.assign(header.begin(), header.end());
    uLong adler = adler32(0, nullptr, 0);
    for (const std::unique_ptr<Piece>& piece : pieces) {
      if (!piece->ok) return false;
      zlib.insert(zlib.end(), piece->output.begin(), piece->output.end());
      adler = adler32_combine(adler, piece->adler, static_cast<z_off_t>(piece->inputBytes));
      std::vector<uint8_t>().swap(piece->output);
    }
    AppendBe32(zlib, static_cast<uint32_t>(adler));
    for (size_t at = 0; at < zlib.size(); at += kIdatBytes) {
      PutChunk(file, "IDAT", zlib.data() + at, std::min(kIdatBytes, zlib.size() - at));
    }
    return true;
  }
};

PngEncoder::PngEncoder(int width, int height, PngCompression compression) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
  auto stream =
      std::make_unique<Stream>(compression == PngCompression::kFast ? kFastLevel : kSmallestLevel);
  Stream& s = *stream;
  s.width = width;
  s.height = height;
  s.rowBytes = 3 * static_cast<size_t>(width);
  s.rowsPerPiece = static_cast<int>(std::max<size_t>(1, kPieceBytes / (1 + s.rowBytes)));
  s.above.assign(s.rowBytes, 0);

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
    const auto* bytes = reinterpret_cast<const uint8_t*>(pixels.data());
    const uint8_t* up = s.above.data();
    for (size_t at = 0; ok && at < pixels.size(); at += width) {
      s.AddRow(bytes + 3 * at, up);
      up = bytes + 3 * at;
    }
    if (ok && !pixels.empty()) std::memcpy(s.above.data(), up, s.rowBytes);
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
    // The last piece is deflated here while the threads finish theirs.
    Piece& last = *s.filling;
    last.last = true;
    s.pieces.push_back(std::move(s.filling));
    s.ownDeflater.Compress(last);
    s.StopThreads(/*discard=*/false);
    if (!s.PutIdats()) return {};
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
