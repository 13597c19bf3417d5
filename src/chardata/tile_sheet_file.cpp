#include "chardata/tile_sheet_file.h"

#include <cstdio>
#include <memory>
#include <new>
#include <span>

namespace boxedit {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ReadTileSheetBlock(const std::filesystem::path& fileName, int32_t width, int32_t height,
                        int32_t imageIndex, TileSheetBlock* out) {
  if (width <= 0 || height <= 0) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return false;

  // A file too short to hold both headers is refused: there is no bit depth to go by.
  std::array<uint8_t, kBitmapFileHeaderSize + kBitmapInfoHeaderSize> headerBytes{};
  if (std::fread(headerBytes.data(), 1, headerBytes.size(), file.get()) != headerBytes.size()) {
    return false;
  }
  out->fileHeader = ParseFileHeader(std::span(headerBytes).first<kBitmapFileHeaderSize>());
  out->infoHeader = ParseInfoHeader(
      std::span(headerBytes).subspan<kBitmapFileHeaderSize, kBitmapInfoHeaderSize>());
  out->infoHeader.biWidth = width;
  out->infoHeader.biHeight = height;

  out->palette.fill(0);
  if (out->infoHeader.biBitCount == 8) {
    std::fread(out->palette.data(), 1, out->palette.size(), file.get());
    if (std::ferror(file.get())) return false;
    out->bytesPerPixel = 1;
  } else if (out->infoHeader.biBitCount == 16) {
    out->bytesPerPixel = 2;
  } else {
    return false;  // no block size is known for any other depth
  }

  const size_t blockSize = static_cast<size_t>(width) * static_cast<size_t>(height) *
                           static_cast<size_t>(out->bytesPerPixel);
  try {
    out->pixels.assign(blockSize, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  // Block after block into the one buffer until block imageIndex is in it. A read that stops at
  // the end of the file keeps the earlier bytes past the point it reached; every later read
  // would supply nothing, so the loop ends there.
  for (int64_t i = 0; i <= static_cast<int64_t>(imageIndex); ++i) {
    const size_t got = std::fread(out->pixels.data(), 1, blockSize, file.get());
    if (std::ferror(file.get())) return false;
    if (got < blockSize) break;
  }
  return true;
}

}  // namespace boxedit
