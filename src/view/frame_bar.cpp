#include "view/frame_bar.h"

#include <algorithm>
#include <string>

#include "base/screen_layout.h"
#include "display/draw_context.h"
#include "motion/frame_data.h"
#include "motion/motion_timing.h"
#include "resources/font_sheet.h"

namespace boxedit {
namespace {

constexpr int32_t kCellsPerRow = 150;
constexpr int32_t kCellWidth = 4;  // 3 coloured, the 4th left as it is
constexpr int32_t kCellHeight = 12;
constexpr int32_t kFirstRowY = kFrameBarY + 20;
constexpr int32_t kRowStep = 16;
constexpr int32_t kLeftOutY = kFirstRowY + 2 * kRowStep - 4;  // "+N FRAMES", below the rows

constexpr Rgb kStartup{0, 192, 0};
constexpr Rgb kActive{224, 0, 0};
constexpr Rgb kRecovery{0, 64, 224};
constexpr Rgb kNoActive{96, 96, 160};
constexpr Rgb kWhite{255, 255, 255};

int32_t CellX(int64_t cell) {
  return kFrameBarX + kCellWidth * static_cast<int32_t>(cell % kCellsPerRow);
}
int32_t CellY(int64_t cell) {
  return kFirstRowY + kRowStep * static_cast<int32_t>(cell / kCellsPerRow);
}

std::string Figure(const std::optional<int64_t>& n) {
  return n ? std::to_string(*n) : "-";
}

// The colour of game frame n (from 1): before the first active frame, active, or after it.
Rgb CellColour(const FrameData& data, int64_t n) {
  if (data.active.empty()) return kNoActive;
  if (n < data.active.front().from) return kStartup;
  for (const ActiveRange& r : data.active) {
    if (n >= r.from && n <= r.to) return kActive;
  }
  return kRecovery;  // after the last active frame, or between two ranges
}

class Painter {
 public:
  explicit Painter(Surface16& surface) : surface_(surface) {}
  void Fill(int32_t x, int32_t y, int32_t width, int32_t height, Rgb colour) {
    surface_.FillRect(
        {x, y, x + width, y + height},
        ColourToPixel(surface_.Layout(), Rgb24(colour.red, colour.green, colour.blue)));
  }
  // A white outline one pixel outside cells first..last of one row.
  void Frame(int64_t first, int64_t last) {
    const int32_t left = CellX(first) - 1, top = CellY(first) - 1;
    const int32_t right = CellX(last) + kCellWidth - 1, bottom = top + kCellHeight + 1;
    Fill(left, top, right - left + 1, 1, kWhite);
    Fill(left, bottom, right - left + 1, 1, kWhite);
    Fill(left, top, 1, bottom - top + 1, kWhite);
    Fill(right, top, 1, bottom - top + 1, kWhite);
  }

 private:
  Surface16& surface_;
};

}  // namespace

void DrawFrameBar(Display& display, const Font& font, const MotionList& list,
                  int32_t currentPattern, const PlaybackMark* playback) {
  if (!display.backBuffer || currentPattern < 0 || currentPattern >= kPatternCount) return;
  const int32_t motion = Motion(currentPattern);
  const MotionTiming timing = TimeMotion(list, motion);
  if (timing.first < 0) {
    const std::string why = "NO FRAME DATA: SLOT " + std::to_string(motion * kPatternsPerMotion) +
                            ", THE MOTION'S FIRST, IS EMPTY";
    font.DrawString(kFrameBarX, kFrameBarY, why.c_str());
    return;
  }
  const FrameData data = FrameDataOf(list, timing, motion);
  std::string legend = "NEVER LANDS";
  if (!data.neverLands) {
    const std::string active = ActiveText(data);
    legend = "STARTUP " + Figure(data.startup) + "  ACTIVE " + (active.empty() ? "-" : active) +
             "  RECOVERY " + Figure(data.recovery) + "  TOTAL " + std::to_string(data.frames);
  }
  if (playback && playback->divisor > 1) legend += "  1/" + std::to_string(playback->divisor);
  font.DrawString(kFrameBarX, kFrameBarY, legend.c_str());

  Painter paint(*display.backBuffer);
  int64_t cell = 0;
  for (const PatternFrames& p : timing.patterns) {
    const int64_t first = cell;
    const bool waits = list.patterns[p.slot].speed <= 0;  // lasts until it lands
    for (int64_t k = 0; k < p.frames && cell < kFrameBarCells; ++k, ++cell) {
      paint.Fill(CellX(cell), CellY(cell), kCellWidth - 1, kCellHeight, CellColour(data, cell + 1));
      if (waits) paint.Fill(CellX(cell), CellY(cell), kCellWidth - 1, 1, kWhite);
    }
    if (p.slot == currentPattern && first < kFrameBarCells) {
      // One outline a row the pattern's cells lie in.
      for (int64_t from = first; from < cell; from = (from / kCellsPerRow + 1) * kCellsPerRow) {
        paint.Frame(from, std::min(cell, (from / kCellsPerRow + 1) * kCellsPerRow) - 1);
      }
    }
    if (cell >= kFrameBarCells) break;
  }
  const int64_t total = timing.TotalFrames();
  if (total > kFrameBarCells) {
    const std::string more =
        std::string(1, '+').append(std::to_string(total - kFrameBarCells)) + " FRAMES";
    font.DrawString(kFrameBarX, kLeftOutY, more.c_str());
  }
  // The playback's frame: a white mark two pixels wide under its cell.
  if (playback && playback->frame >= 0 && playback->frame < kFrameBarCells) {
    const int64_t at = playback->frame;
    paint.Fill(CellX(at), CellY(at) + kCellHeight + 2, 2, 2, kWhite);
  }
}

}  // namespace boxedit
