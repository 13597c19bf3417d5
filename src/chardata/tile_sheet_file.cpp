#include "chardata/tile_sheet_file.h"

#include <algorithm>
#include <span>

#include "chardata/input_file.h"

namespace boxedit {

namespace {

bool Fail(std::string reason, std::string* error) {
  if (error != nullptr) *error = std::move(reason);
  return false;
}

}  // namespace

bool ReadTileSheetBlock(const std::filesystem::path& fileName, int32_t width, int32_t height,
                        int32_t imageIndex, TileSheetBlock* out, std::string* error) {
  if (width <= 0 || height <= 0) return Fail("the sheet has no size", error);
  std::string file;
  if (!ReadInputFile(fileName, kMaxTileSheetBytes, &file, error)) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(file.data());
  size_t at = 0;
  // Takes up to `size` bytes of the file from where the last read stopped.
  auto read = [&](uint8_t* into, size_t size) {
    const size_t got = std::min(size, file.size() - at);
    std::copy_n(bytes + at, got, into);
    at += got;
    return got;
  };

  // A file too short to hold both headers is refused: there is no bit depth to go by.
  std::array<uint8_t, kBitmapFileHeaderSize + kBitmapInfoHeaderSize> headerBytes{};
  if (read(headerBytes.data(), headerBytes.size()) != headerBytes.size()) {
    return Fail("it is too short for the two BMP headers", error);
  }
  out->fileHeader = ParseFileHeader(std::span(headerBytes).first<kBitmapFileHeaderSize>());
  out->infoHeader = ParseInfoHeader(
      std::span(headerBytes).subspan<kBitmapFileHeaderSize, kBitmapInfoHeaderSize>());
  out->infoHeader.biWidth = width;
  out->infoHeader.biHeight = height;

  out->palette.fill(0);
  if (out->infoHeader.biBitCount == 8) {
    read(out->palette.data(), out->palette.size());
    out->bytesPerPixel = 1;
  } else if (out->infoHeader.biBitCount == 16) {
    out->bytesPerPixel = 2;
  } else {
    // No block size is known for any other depth.
    return Fail("it has " + std::to_string(out->infoHeader.biBitCount) +
                    " bits per pixel; 8 and 16 can be read",
                error);
  }

  const size_t blockSize = static_cast<size_t>(width) * static_cast<size_t>(height) *
                           static_cast<size_t>(out->bytesPerPixel);
  out->pixels.assign(blockSize, 0);
  // Block after block into the one buffer until block imageIndex is in it. A read that stops at
  // the end of the file keeps the earlier bytes past the point it reached; every later read
  // would supply nothing, so the loop ends there.
  for (int64_t i = 0; i <= static_cast<int64_t>(imageIndex); ++i) {
    if (read(out->pixels.data(), blockSize) < blockSize) break;
  }
  return true;
}

}  // namespace boxedit
