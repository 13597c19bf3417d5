#include "display/bitmap_headers.h"

namespace boxedit {

namespace {

// Reads little-endian values from a byte span at a running offset.
class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint16_t U16() {
    const uint16_t v = static_cast<uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
    at_ += 2;
    return v;
  }
  uint32_t U32() {
    const uint32_t v = static_cast<uint32_t>(bytes_[at_]) |
                       (static_cast<uint32_t>(bytes_[at_ + 1]) << 8) |
                       (static_cast<uint32_t>(bytes_[at_ + 2]) << 16) |
                       (static_cast<uint32_t>(bytes_[at_ + 3]) << 24);
    at_ += 4;
    return v;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

BitmapFileHeader ParseFileHeader(std::span<const uint8_t, kBitmapFileHeaderSize> bytes) {
  LittleEndianReader in(bytes);
  BitmapFileHeader h;
  h.bfType = in.U16();
  h.bfSize = in.U32();
  h.bfReserved1 = in.U16();
  h.bfReserved2 = in.U16();
  h.bfOffBits = in.U32();
  return h;
}

BitmapInfoHeader ParseInfoHeader(std::span<const uint8_t, kBitmapInfoHeaderSize> bytes) {
  LittleEndianReader in(bytes);
  BitmapInfoHeader h;
  h.biSize = in.U32();
  h.biWidth = in.I32();
  h.biHeight = in.I32();
  h.biPlanes = in.U16();
  h.biBitCount = in.U16();
  h.biCompression = in.U32();
  h.biSizeImage = in.U32();
  h.biXPelsPerMeter = in.I32();
  h.biYPelsPerMeter = in.I32();
  h.biClrUsed = in.U32();
  h.biClrImportant = in.U32();
  return h;
}

void AppendFileHeader(std::vector<uint8_t>& out, const BitmapFileHeader& h) {
  Put16(out, h.bfType);
  Put32(out, h.bfSize);
  Put16(out, h.bfReserved1);
  Put16(out, h.bfReserved2);
  Put32(out, h.bfOffBits);
}

void AppendInfoHeader(std::vector<uint8_t>& out, const BitmapInfoHeader& h) {
  Put32(out, h.biSize);
  Put32(out, static_cast<uint32_t>(h.biWidth));
  Put32(out, static_cast<uint32_t>(h.biHeight));
  Put16(out, h.biPlanes);
  Put16(out, h.biBitCount);
  Put32(out, h.biCompression);
  Put32(out, h.biSizeImage);
  Put32(out, static_cast<uint32_t>(h.biXPelsPerMeter));
  Put32(out, static_cast<uint32_t>(h.biYPelsPerMeter));
  Put32(out, h.biClrUsed);
  Put32(out, h.biClrImportant);
}

}  // namespace boxedit
