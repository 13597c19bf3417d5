// Encoding a PNG the size of the largest contact sheet, 2648 x 17288, handed to the encoder one
// row of cells at a time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

#include "base/little_endian.h"
#include "chardata/bmp.h"
#include "chardata/character_files.h"
#include "chardata/pattern_file.h"
#include "png/png.h"
#include "sample/sample_character.h"

namespace boxedit {
namespace {

constexpr int kSheetWidth = 2648, kSheetHeight = 17288;
constexpr int kColumns = 8, kColumnPitch = kSheetWidth / kColumns;
constexpr int kViewWidth = 320, kViewHeight = 240;  // a cell is a view in a one-pixel frame
constexpr int kBandHeight = kViewHeight + 2 + 5;    // a row of cells and the gap below it
// Bands made, repeated down the sheet: the same band comes back megabytes later, far beyond
// what deflate can refer back to, so the repeats compress no better than new bands would.
constexpr int kBandKinds = 6;
constexpr Rgb kGrey{128, 128, 128}, kWhite{255, 255, 255}, kBlue{0, 0, 255};

// Bands of a sheet of the sample character's pictures: grey, each cell a framed view with a
// picture's tiles, the axis and a box outline.
std::vector<std::vector<Rgb>> SheetBands() {
  const SampleCharacter sample = MakeSampleCharacter();
  IndexedImage tiles;
  Palette palette;
  if (!DecodeIndexedDib(std::span(sample.tileSheet).subspan(kBitmapFileHeaderSize), &tiles,
                        &palette)) {
    std::abort();
  }
  std::vector<std::vector<Rgb>> bands(
      kBandKinds, std::vector<Rgb>(static_cast<size_t>(kSheetWidth) * kBandHeight, kGrey));
  int picture = 0;
  for (std::vector<Rgb>& band : bands) {
    for (int column = 0; column < kColumns; ++column) {
      // (x, y) inside the frame; the frame itself is at -1 and the view's width or height.
      const auto put = [&](int x, int y, Rgb c) {
        band[static_cast<size_t>(y + 1) * kSheetWidth + column * kColumnPitch + x + 1] = c;
      };
      for (int x = -1; x <= kViewWidth; ++x) put(x, -1, kWhite), put(x, kViewHeight, kWhite);
      for (int y = -1; y <= kViewHeight; ++y) put(-1, y, kWhite), put(kViewWidth, y, kWhite);
      for (int y = 0; y < kViewHeight; ++y) {
        for (int x = 0; x < kViewWidth; ++x) {
          const size_t entry =
              (static_cast<size_t>(picture) * kPictureRows + y / kTileSize) * kPictureColumns +
              x / kTileSize;
          const uint16_t tile = ReadLe16(&sample.pictures[2 * entry]);
          if (tile == kNoTile) continue;
          const uint8_t index = tiles.at(tile % kTileSheetColumns * kTileSize + x % kTileSize,
                                         tile / kTileSheetColumns * kTileSize + y % kTileSize);
          if (index != 0) put(x, y, palette[index]);  // index 0 is the key colour
        }
      }
      for (int y = 0; y < kViewHeight; ++y) put(161, y, kWhite);
      for (int x = 140; x <= 182; ++x) put(x, 90, kBlue), put(x, 239, kBlue);
      for (int y = 90; y <= 239; ++y) put(140, y, kBlue), put(182, y, kBlue);
      picture = (picture + 1) % sample.pictureCount;
    }
  }
  return bands;
}

// fast:0 as screens are compressed, fast:1 as contact sheets are.
void BM_EncodeSheetPng(benchmark::State& state) {
  const PngCompression compression =
      state.range(0) != 0 ? PngCompression::kFast : PngCompression::kSmallest;
  const std::vector<std::vector<Rgb>> bands = SheetBands();
  size_t fileBytes = 0;
  for (auto _ : state) {
    PngEncoder encoder(kSheetWidth, kSheetHeight, compression);
    for (int y = 0; y < kSheetHeight; y += kBandHeight) {
      const size_t rows = static_cast<size_t>(std::min(kBandHeight, kSheetHeight - y));
      const std::vector<Rgb>& band = bands[y / kBandHeight % kBandKinds];
      if (!encoder.AddRows(std::span(band).first(rows * kSheetWidth))) {
        state.SkipWithError("the encoder refused a band");
        return;
      }
    }
    fileBytes = encoder.Finish().size();
  }
  state.counters["file_bytes"] = static_cast<double>(fileBytes);
}
BENCHMARK(BM_EncodeSheetPng)->ArgName("fast")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace boxedit
