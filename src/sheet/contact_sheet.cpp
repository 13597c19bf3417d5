#include "sheet/contact_sheet.h"

#include <algorithm>

#include "base/screen_layout.h"
#include "chardata/atomic_file.h"
#include "display/font.h"
#include "display/pixel_layout.h"
#include "motion/pattern_names.h"
#include "png/png.h"
#include "resources/font_sheet.h"

namespace boxedit {

namespace {

static_assert(kSheetCellWidth == kViewBorderRight + 1 && kSheetCellHeight == kViewBorderBottom + 1);
constexpr int kLabelGap = 4;  // between a cell and its label
constexpr int kBlockHeight = kSheetCellHeight + kLabelGap + kGlyphHeight;
constexpr int kPitchX = kSheetCellWidth + kSheetGap;
constexpr int kPitchY = kBlockHeight + kSheetGap;
static_assert(kSheetGap + kMaxSheetColumns * kPitchX <= 32767 &&
              kSheetGap + kSheetRowsPerFile * kPitchY <= 32767);

// Draws cells on the editor's back buffer and copies them into bands of the sheet.
class CellPainter {
 public:
  explicit CellPainter(Editor& editor)
      : e_(editor),
        layout_(LayoutOf(editor.display.is565)),
        font_(editor.pool.font, editor.display) {
    ClearBackBuffer(e_.display, 128, 128, 128);
    background_ = PixelToRgb(layout_, e_.display.backBuffer->At(0, 0));
  }
  Rgb background() const { return background_; }

  // Pattern p's cell and label with their top-left corner at (x, 0) of the band.
  void Paint(int32_t p, RgbImage& band, int x) {
    e_.state.currentPattern = p;
    e_.state.selectedBox = 0;
    ComposeFrame(e_);
    Copy(band, x, 0, kSheetCellHeight);
    ClearBackBuffer(e_.display, 128, 128, 128);
    const std::string label = std::to_string(p) + " " + MotionName(Motion(p));
    font_.DrawString(0, 0, label.c_str());
    Copy(band, x, kSheetCellHeight + kLabelGap, kGlyphHeight);
  }

 private:
  // The back buffer's top-left kSheetCellWidth x rows pixels into the band at (x, y).
  void Copy(RgbImage& band, int x, int y, int rows) {
    for (int r = 0; r < rows; ++r) {
      const uint16_t* source = e_.display.backBuffer->Row(r);
      Rgb* target = band.pixels.data() + static_cast<size_t>(y + r) * band.width + x;
      for (int c = 0; c < kSheetCellWidth; ++c) target[c] = PixelToRgb(layout_, source[c]);
    }
  }

  Editor& e_;
  const PixelLayout& layout_;
  Font font_;
  Rgb background_{};
};

}  // namespace

std::filesystem::path SheetFile(const std::filesystem::path& out, int index) {
  if (index == 0) return out;
  std::filesystem::path name = out.parent_path() / out.stem();
  name += std::string(1, '-').append(std::to_string(index + 1));
  name += out.extension();
  return name;
}

bool WriteContactSheet(Editor& editor, const std::vector<int32_t>& patterns, int columns,
                       const std::filesystem::path& out,
                       const std::function<void(size_t done)>& progress, std::string* error) {
  columns = std::clamp(columns, 1, kMaxSheetColumns);
  CellPainter painter(editor);
  // A sheet of fewer patterns than columns is only as wide as they are.
  const int width = kSheetGap + std::min<int>(columns, static_cast<int>(patterns.size())) * kPitchX;
  const size_t cellsPerFile = static_cast<size_t>(kSheetRowsPerFile) * columns;
  size_t done = 0;
  for (int file = 0; done < patterns.size(); ++file) {
    const size_t cells = std::min(cellsPerFile, patterns.size() - done);
    const int rows = static_cast<int>((cells + columns - 1) / columns);
    PngEncoder png(width, kSheetGap + rows * kPitchY);
    // The top margin, then one band a row of cells: the cells, their labels and the gap below.
    RgbImage band{width, kSheetGap,
                  std::vector<Rgb>(static_cast<size_t>(width) * kSheetGap, painter.background())};
    png.AddRows(band.pixels);
    band.height = kPitchY;
    for (int row = 0; row < rows; ++row) {
      band.pixels.assign(static_cast<size_t>(width) * kPitchY, painter.background());
      for (int c = 0; c < columns && static_cast<size_t>(row * columns + c) < cells; ++c) {
        painter.Paint(patterns[done], band, kSheetGap + c * kPitchX);
        ++done;
        if (progress) progress(done);
      }
      png.AddRows(band.pixels);
    }
    const std::vector<uint8_t> bytes = png.Finish();
    const std::filesystem::path path = SheetFile(out, file);
    std::string reason;
    if (bytes.empty()) {
      reason = "out of memory";
    } else if (WriteFileAtomically(
                   path,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                   &reason)) {
      continue;
    }
    if (error != nullptr) *error = "cannot write " + path.string() + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace boxedit
