// The onion skin: the previous pattern's boxes drawn faintly under the current ones, so that
// the next pattern's boxes can be placed against them.
#pragma once

#include <cstdint>

#include "chardata/pattern_table.h"
#include "display/display_device.h"

namespace boxedit {

// Defense boxes 0 and 1 and attack box 0 of `pattern` as dotted outlines (only the pixels whose
// x + y is even) in its colours at half strength (each component >> 1). Boxes without a width
// or a height draw nothing, as in the box overlay.
void DrawOnionSkin(Display& display, const MotionList& list, int32_t pattern);

}  // namespace boxedit
