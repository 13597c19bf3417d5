// Where everything stands on the 640x480 screen, in screen pixels (x to the right, y downward).
// The view, the panels and the mouse mapping all take their positions from here.
#pragma once

#include <cstdint>

namespace boxedit {

inline constexpr int32_t kScreenWidth = 640;
inline constexpr int32_t kScreenHeight = 480;

// The view: a white border from (0, 0) to (321, 241) around the picture, with the character's
// axis at column 161. A box point (x, y) in view coordinates is drawn at screen
// (kViewOriginX + x, kViewOriginY - y): the origin is the character's reference point.
inline constexpr int32_t kViewBorderRight = 321;
inline constexpr int32_t kViewBorderBottom = 241;
inline constexpr int32_t kViewOriginX = 161;
inline constexpr int32_t kViewOriginY = 240;
// A mouse position is pulled onto columns 1..320 and rows 1..240 before it becomes a box corner.
inline constexpr int32_t kViewFirstColumn = 1;
inline constexpr int32_t kViewLastColumn = 320;
inline constexpr int32_t kViewFirstRow = 1;
inline constexpr int32_t kViewLastRow = 240;
// A picture's tile at map row r, column c is drawn at (16c, kPictureTop + 16r).
inline constexpr int32_t kPictureTop = 1;

// The header line: "PATTERN", then the current pattern, the last pattern and the place within
// the motion, each a 4-digit number field.
inline constexpr int32_t kHeaderX = 328;
inline constexpr int32_t kHeaderY = 0;
inline constexpr int32_t kHeaderCurrentX = 392;
inline constexpr int32_t kHeaderLastX = 432;
inline constexpr int32_t kHeaderPlaceX = 472;
// "*" on the header line while the table has edits that no save holds.
inline constexpr int32_t kUnsavedMarkX = 512;

// The box panel right of the view: the motion name at its top-left corner, the box columns below.
inline constexpr int32_t kBoxPanelX = 328;
inline constexpr int32_t kBoxPanelY = 32;

// The attribute panel below the view: three columns of labels and values, one row every 16
// pixels from kAttributePanelY.
inline constexpr int32_t kAttributePanelY = 248;

// The motion strip starts at this point, which is also on its ground line.
inline constexpr int32_t kStripStartX = 416;
inline constexpr int32_t kStripGroundY = 312;

// The frame rate: whole frames at (kFrameRateX, kFrameRateY), hundredths 32 pixels further right.
inline constexpr int32_t kFrameRateX = 0;
inline constexpr int32_t kFrameRateY = 368;

// The frame bar: its legend at (kFrameBarX, kFrameBarY), its rows of cells below it, all above
// the status line.
inline constexpr int32_t kFrameBarX = 8;
inline constexpr int32_t kFrameBarY = 392;

// The status line: one line of text along the bottom of the screen.
inline constexpr int32_t kStatusX = 0;
inline constexpr int32_t kStatusY = 464;

}  // namespace boxedit
