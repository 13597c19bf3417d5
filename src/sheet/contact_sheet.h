// A contact sheet: patterns drawn side by side as the editor shows them. Each cell is the view
// of the editor's own frame of a pattern (the top-left 322x242 pixels, drawn by the frame's own
// drawing code, only what reaches them) with the pattern's number and motion name under it in the
// editor's font, on the frame's grey. Rows of cells go to PNG files of at most kSheetRowsPerFile
// rows each.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "shell/editor.h"

namespace boxedit {

inline constexpr int kSheetRowsPerFile = 64;
inline constexpr int kSheetCellWidth = 322;
inline constexpr int kSheetCellHeight = 242;
inline constexpr int kSheetGap = 8;  // grey between cells and around the sheet
// The most columns whose sheet stays within a PNG's sides.
inline constexpr int kMaxSheetColumns = 99;

// OUT.png for the first file, OUT-2.png, OUT-3.png, ... after it.
std::filesystem::path SheetFile(const std::filesystem::path& out, int index);

// Draws `patterns` in that order, `columns` a row, with the started editor, and writes the
// files from `out` on, then removes the files of the names that would follow the last one
// written (left by a longer sheet before), up to the first name that is not a file. `progress`
// (may be empty) hears of each pattern drawn. False with the reason in *error when a file cannot
// be written or removed; files written before it stay.
bool WriteContactSheet(Editor& editor, const std::vector<int32_t>& patterns, int columns,
                       const std::filesystem::path& out,
                       const std::function<void(size_t done)>& progress, std::string* error);

}  // namespace boxedit
