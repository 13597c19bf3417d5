// The key help: a panel over the view listing every key and mouse action of the editor.
#pragma once

#include <span>
#include <string_view>

#include "display/display_device.h"
#include "display/font.h"

namespace boxedit {

// A line of the key help: the keys (at most 15 characters) and what they do.
struct HelpLine {
  std::string_view keys, action;
};

// The panel is as tall as the lines it lists need.
void DrawKeyHelp(Display& display, const Font& font, std::span<const HelpLine> lines);

}  // namespace boxedit
