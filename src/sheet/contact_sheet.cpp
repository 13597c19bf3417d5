#include "sheet/contact_sheet.h"

#include <algorithm>
#include <system_error>

#include "base/screen_layout.h"
#include "chardata/atomic_file.h"
#include "display/font.h"
#include "display/pixel_layout.h"
#include "motion/pattern_names.h"
#include "png/png.h"
#include "resources/font_sheet.h"
#include "shell/editing_commands.h"
#include "view/box_overlay.h"
#include "view/motion_strip.h"
#include "view/onion_skin.h"

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
        font_(editor.pool.font, editor.display),
        rgb_(size_t{1} << 16) {
    // One whole frame first: it also sets every defense box 0 to the width the frame draws it
    // at, which nothing changes while the sheet is drawn.
    ComposeFrame(e_);
    ClearBackBuffer(e_.display, 128, 128, 128);
    grey_ = e_.display.backBuffer->At(0, 0);
    for (size_t pixel = 0; pixel < rgb_.size(); ++pixel) {
      rgb_[pixel] = PixelToRgb(layout_, static_cast<uint16_t>(pixel));
    }
  }
  Rgb background() const { return rgb_[grey_]; }

  // Pattern p's cell and label with their top-left corner at (x, 0) of the band.
  void Paint(int32_t p, RgbImage& band, int x) {
    e_.state.currentPattern = p;
    e_.state.selectedBox = 0;
    if (e_.keyHelp) {
      ComposeFrame(e_);  // the key help lies over the view
    } else {
      ComposeView(p);
    }
    Copy(band, x, 0, kSheetCellHeight);
    e_.display.backBuffer->FillRect({0, 0, kSheetCellWidth, kGlyphHeight}, grey_);
    const std::string label = std::to_string(p) + " " + MotionName(Motion(p));
    font_.DrawString(0, 0, label.c_str());
    Copy(band, x, kSheetCellHeight + kLabelGap, kGlyphHeight);
  }

 private:
  // The cell as ComposeFrame draws it, in the frame's order, and nothing else of the frame: the
  // header, the panels, the frame rate, the frame bar and the status line all lie right of the
  // cell or below it. Of the rest of the frame only the motion strip can reach into the cell
  // (a walk that goes far enough left and up), so it is drawn too.
  void ComposeView(int32_t p) {
    e_.display.backBuffer->FillRect({0, 0, kSheetCellWidth, kSheetCellHeight}, grey_);
    const PatternRecord& record = e_.list.patterns[p];
    e_.pictures.Draw(e_.display, record.picture);
    if (e_.onionSkin) {
      const int32_t previous = PreviousPattern(e_.list, p);
      if (previous != p) DrawOnionSkin(e_.display, e_.list, previous);
    }
    DrawViewBorder(e_.display);
    DrawBoxes(e_, p);
    DrawMotionStrip(e_.display, e_.list, p);
  }

  // The back buffer's top-left kSheetCellWidth x rows pixels into the band at (x, y).
  void Copy(RgbImage& band, int x, int y, int rows) {
    for (int r = 0; r < rows; ++r) {
      const uint16_t* source = e_.display.backBuffer->Row(r);
      Rgb* target = band.pixels.data() + static_cast<size_t>(y + r) * band.width + x;
      for (int c = 0; c < kSheetCellWidth; ++c) target[c] = rgb_[source[c]];
    }
  }

  Editor& e_;
  const PixelLayout& layout_;
  Font font_;
  uint16_t grey_ = 0;
  std::vector<Rgb> rgb_;  // each 16-bit pixel's colour
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
  int file = 0;
  for (; done < patterns.size(); ++file) {
    const size_t cells = std::min(cellsPerFile, patterns.size() - done);
    const int rows = static_cast<int>((cells + columns - 1) / columns);
    PngEncoder png(width, kSheetGap + rows * kPitchY, PngCompression::kFast);
    // The top margin, then one band a row of cells: the cells, their labels and the gap below.
    RgbImage band{width, kSheetGap,
                  std::vector<Rgb>(static_cast<size_t>(width) * kSheetGap, painter.background())};
    png.AddRows(band.pixels);
    band.height = kPitchY;
    for (int row = 0; row < rows; ++row) {
      // Cells cover the same places in every row and leave the rest of the band as it is: the
      // band starts grey, and again for a row with fewer cells than the one before.
      const size_t first = static_cast<size_t>(row) * columns;
      if (row == 0 || cells - first < static_cast<size_t>(columns)) {
        band.pixels.assign(static_cast<size_t>(width) * kPitchY, painter.background());
      }
      for (int c = 0; c < columns && first + c < cells; ++c) {
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
  // Files that a longer sheet of the same name left after the last one written: they would pass
  // for part of this sheet. Only the names this sheet would go on with, while they are files.
  for (;; ++file) {
    const std::filesystem::path path = SheetFile(out, file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) break;
    if (!std::filesystem::remove(path, ec)) {
      if (error != nullptr) *error = "cannot remove " + path.string() + ": " + ec.message();
      return false;
    }
  }
  return true;
}

}  // namespace boxedit
