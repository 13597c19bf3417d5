#include "chardata/tile_sheet_file.h"

#include <algorithm>
#include <span>

#include "chardata/character_files.h"
#include "chardata/input_file.h"

namespace boxedit {

std::vector<int32_t> TileSheetRows(int32_t imageHeight, int32_t sheetHeight) {
  std::vector<int32_t> rows(static_cast<size_t>(std::max(sheetHeight, 0)), -1);
  if (sheetHeight <= 0) return rows;
  for (int32_t y = 0; y < sheetHeight; ++y) {
    const int64_t inPart = sheetHeight - 1 - y;
    if (inPart >= imageHeight) continue;
    // The highest part that holds this row: no higher than the sheet's, nor past the picture.
    const int64_t part =
        std::min<int64_t>(kTileSheetImageIndex, (imageHeight - 1 - inPart) / sheetHeight);
    rows[static_cast<size_t>(y)] = static_cast<int32_t>(part * sheetHeight + inPart);
  }
  return rows;
}

bool ReadTileSheet(const std::filesystem::path& fileName, int32_t width, int32_t height,
                   BmpPixels* out, std::string* error, std::string* warning) {
  if (width <= 0 || height <= 0) {
    if (error != nullptr) *error = "the sheet has no size";
    return false;
  }
  std::string file;
  if (!ReadInputFile(fileName, kMaxTileSheetBytes, &file, error)) return false;
  const std::span bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  BmpFormat format;
  if (!ReadBmpFormat(bytes, &format, error)) return false;
  DecodeBmpRows(bytes, format, TileSheetRows(format.height, height), width, out, warning);
  return true;
}

}  // namespace boxedit
