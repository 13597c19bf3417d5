// The files of one character, by name, and the geometry of its tile sheet.
#pragma once

#include <cstdint>

namespace boxedit {

inline constexpr const char* kListFileName = "motion.lst";        // the pattern list, never written
inline constexpr const char* kSavedListFileName = "motion2.lst";  // what S and L write
inline constexpr const char* kTileSheetFileName = "chara.bmp";    // the tiles, any common BMP
inline constexpr const char* kPatternFileName = "pattern.pat";    // the pictures' tile maps
inline constexpr const char* kCharacterFileNames[] = {kListFileName, kTileSheetFileName,
                                                      kPatternFileName};

// The tile sheet: 640x720 pixels of 16x16 tiles, 40 a row, numbered row by row (1800 tiles).
// chara.bmp holds it as its second 640x720 part counted from the bottom: in a 640x1440 picture
// its top half, whichever way up the file stores the rows.
inline constexpr int32_t kTileSize = 16;
inline constexpr int32_t kTileSheetWidth = 640;
inline constexpr int32_t kTileSheetHeight = 720;
inline constexpr int32_t kTileSheetColumns = kTileSheetWidth / kTileSize;
inline constexpr int32_t kTileSheetCells = kTileSheetColumns * (kTileSheetHeight / kTileSize);
inline constexpr int32_t kTileSheetImageIndex = 1;

}  // namespace boxedit
