#include "chardata/bmp_decode.h"

#include <algorithm>

#include "base/little_endian.h"

namespace boxedit {

namespace {

// A channel of `bits` bits as an 8-bit component: wider channels keep their top 8 bits,
// narrower ones repeat their bits downwards so that all ones stays all ones.
uint8_t Widen(uint32_t value, int bits) {
  if (bits >= 8) return static_cast<uint8_t>(value >> (bits - 8));
  uint32_t wide = 0;
  int filled = 0;
  for (; filled < 8; filled += bits) wide = (wide << bits) | value;
  return static_cast<uint8_t>(wide >> (filled - 8));
}

Rgb FromChannels(uint32_t pixel, const std::array<BmpChannel, 3>& channels) {
  uint8_t c[3];
  for (size_t i = 0; i < 3; ++i) {
    const uint64_t mask = (uint64_t{1} << channels[i].bits) - 1;
    c[i] = Widen(static_cast<uint32_t>((pixel >> channels[i].shift) & mask), channels[i].bits);
  }
  return {c[0], c[1], c[2]};
}

// Where the decoded pixels go: the output row of every file row (-1 for none) and the columns
// kept. Every write is checked against both, so no stream can write outside.
class Target {
 public:
  Target(const BmpFormat& format, std::span<const int32_t> rows, int32_t columns, BmpPixels* out)
      : format_(format),
        out_(out),
        slots_(static_cast<size_t>(format.height), -1),
        is555_(format.Is555()) {
    columns_ = std::clamp(columns, 0, format.width);
    for (size_t i = rows.size(); i-- > 0;) {
      if (rows[i] >= 0 && rows[i] < format.height) slots_[rows[i]] = static_cast<int32_t>(i);
    }
  }

  int32_t columns() const { return columns_; }
  // The output row of a file row, or -1.
  int32_t Slot(int64_t fileRow) const {
    return fileRow >= 0 && fileRow < format_.height ? slots_[static_cast<size_t>(fileRow)] : -1;
  }
  void PutIndex(int32_t slot, int64_t x, uint8_t index) {
    if (slot >= 0 && x >= 0 && x < columns_) out_->indices[out_->Offset(int32_t(x), slot)] = index;
  }

  // Decodes one stored row, zero-padded to its full length, into output row `slot`.
  void PutStoredRow(int32_t slot, const uint8_t* row) {
    const int bits = format_.bitCount;
    for (int32_t x = 0; x < columns_; ++x) {
      const size_t at = out_->Offset(x, slot);
      if (bits <= 8) {
        const size_t bit = static_cast<size_t>(x) * bits;
        const int shift = 8 - bits - static_cast<int>(bit % 8);
        out_->indices[at] = static_cast<uint8_t>((row[bit / 8] >> shift) & ((1 << bits) - 1));
      } else if (bits == 16) {
        const uint16_t v = ReadLe16(row + 2 * x);
        if (is555_) {
          out_->raw555[at] = v;
        } else {
          out_->rgb[at] = FromChannels(v, format_.channels);
        }
      } else if (bits == 24) {
        out_->rgb[at] = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
      } else {
        out_->rgb[at] = FromChannels(ReadLe32(row + 4 * x), format_.channels);
      }
    }
  }

 private:
  const BmpFormat& format_;
  BmpPixels* out_;
  std::vector<int32_t> slots_;
  bool is555_;
  int32_t columns_ = 0;
};

std::string MissingRows(int64_t first, int64_t last, int32_t height) {
  if (first == 0 && last == height - 1)
    return "all " + std::to_string(height) + " rows are missing";
  return "rows " + std::to_string(first) + " to " + std::to_string(last) + " of " +
         std::to_string(height) + " (counted from the bottom) are missing or cut short";
}

// Uncompressed rows; returns the warning for a file cut short, or "".
std::string DecodeStoredRows(std::span<const uint8_t> file, const BmpFormat& f, Target& target) {
  const uint64_t size = file.size();
  std::vector<uint8_t> row(f.rowBytes);
  for (int32_t fileRow = 0; fileRow < f.height; ++fileRow) {
    const int32_t slot = target.Slot(fileRow);
    if (slot < 0) continue;
    const uint64_t stored = f.topDown ? f.height - 1 - fileRow : fileRow;
    const uint64_t start = f.pixelsAt + stored * f.rowBytes;
    const size_t held =
        start < size ? static_cast<size_t>(std::min<uint64_t>(f.rowBytes, size - start)) : 0;
    std::fill(std::copy_n(file.data() + (held > 0 ? start : 0), held, row.begin()), row.end(), 0);
    target.PutStoredRow(slot, row.data());
  }
  // A row is whole when its pixels are there; the last row's padding may be left out.
  const uint64_t pixelBytes = (uint64_t{static_cast<uint32_t>(f.width)} * f.bitCount + 7) / 8;
  const uint64_t whole = size < f.pixelsAt + pixelBytes
                             ? 0
                             : std::min<uint64_t>((size - f.pixelsAt - pixelBytes) / f.rowBytes + 1,
                                                  static_cast<uint64_t>(f.height));
  if (whole == static_cast<uint64_t>(f.height)) return "";
  const std::string where = size <= f.pixelsAt ? "the file ends before its pixel data: "
                                               : "the file ends inside the pixel data: ";
  const auto missing = static_cast<int64_t>(f.height - whole);
  return where + (f.topDown ? MissingRows(0, missing - 1, f.height)
                            : MissingRows(f.height - missing, f.height - 1, f.height));
}

// An RLE8 or RLE4 stream: runs of one value (RLE4: two alternating), literal runs padded to
// 16 bits, and escapes for the end of a row, the end of the picture and a jump. Rows go upwards
// from the bottom one. Returns the warning for a stream cut off by the end of the file, or "".
std::string DecodeRle(std::span<const uint8_t> file, const BmpFormat& f, Target& target) {
  const bool four = f.compression == BmpCompression::kRle4;
  const size_t end = file.size();
  auto index = [four](uint8_t byte, int i) -> uint8_t {
    return four ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte;
  };
  size_t at = std::min(f.pixelsAt, end);
  int64_t x = 0, y = 0;  // x stops at the width: runs past it are cut
  while (y < f.height) {
    if (end - at < 2) break;
    const uint8_t count = file[at], value = file[at + 1];
    at += 2;
    const int32_t slot = target.Slot(y);
    if (count > 0) {
      for (int i = 0; i < count && x < f.width; ++i, ++x) target.PutIndex(slot, x, index(value, i));
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return "";
    } else if (value == 2) {
      if (end - at < 2) break;
      x = std::min<int64_t>(x + file[at], f.width);
      y += file[at + 1];
      at += 2;
    } else {
      const size_t bytes = four ? (value + 1) / 2 : value;
      for (int i = 0; i < value && x < f.width; ++i, ++x) {
        const size_t byteAt = at + (four ? i / 2 : i);
        if (byteAt >= end) break;
        target.PutIndex(slot, x, index(file[byteAt], i));
      }
      if (end - at < bytes) break;
      at += std::min(bytes + bytes % 2, end - at);
    }
  }
  if (y >= f.height) return "";
  return "the file ends inside the pixel data: " + MissingRows(y, f.height - 1, f.height);
}

}  // namespace

void DecodeBmpRows(std::span<const uint8_t> file, const BmpFormat& format,
                   std::span<const int32_t> rows, int32_t columns, BmpPixels* out,
                   std::string* warning) {
  *out = BmpPixels{};
  out->width = std::max(columns, 0);
  out->height = static_cast<int32_t>(rows.size());
  out->kind = format.Indexed() ? BmpPixelKind::kIndexed
              : format.Is555() ? BmpPixelKind::kRgb555
                               : BmpPixelKind::kRgb;
  const size_t count = static_cast<size_t>(out->width) * rows.size();
  if (out->kind == BmpPixelKind::kIndexed) out->indices.assign(count, 0);
  if (out->kind == BmpPixelKind::kRgb555) out->raw555.assign(count, 0);
  if (out->kind == BmpPixelKind::kRgb) out->rgb.assign(count, Rgb{});

  std::string problem;
  uint32_t held = 0;  // whole palette entries in the file
  if (format.paletteAt < file.size()) {
    held = static_cast<uint32_t>(
        std::min<size_t>(format.paletteEntries, (file.size() - format.paletteAt) / 4));
  }
  for (uint32_t i = 0; i < held; ++i) {
    const uint8_t* entry = file.data() + format.paletteAt + size_t{4} * i;
    out->palette[i] = Rgb{entry[2], entry[1], entry[0]};
  }
  Target target(format, rows, columns, out);
  if (held < format.paletteEntries) {
    // Then there are no pixels either: every index stays 0.
    problem = "the file ends inside the palette: " + std::to_string(held) + " of " +
              std::to_string(format.paletteEntries) +
              " colours are there (the rest are black) and none of the pixels";
  } else if (format.compression == BmpCompression::kRle8 ||
             format.compression == BmpCompression::kRle4) {
    problem = DecodeRle(file, format, target);
  } else {
    problem = DecodeStoredRows(file, format, target);
  }

  if (!problem.empty() && warning != nullptr) *warning = std::move(problem);
}

}  // namespace boxedit
