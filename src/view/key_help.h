// The key help: a panel over the view listing every key and mouse action of the editor.
#pragma once

#include "display/display_device.h"
#include "display/font.h"

namespace boxedit {

void DrawKeyHelp(Display& display, const Font& font);

}  // namespace boxedit
