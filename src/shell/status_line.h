// The status line: a short message at the bottom of the screen for a few seconds, so that a user
// in full screen learns what a save did and what was wrong with the character's files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "display/font.h"

namespace boxedit {

inline constexpr int kStatusFrames = 60;  // 3 seconds at 20 frames a second
inline constexpr size_t kStatusMaxChars = 80;

// A message as the status line shows it: upper case, cut to end in "..." at kStatusMaxChars
// (the width of the screen), every character the
// font cannot draw (outside space .. '_') as a blank.
std::string StatusText(std::string_view message);

struct StatusLine {
  std::string text;    // as shown
  int framesLeft = 0;  // frames still to show it

  void Show(std::string_view message);
  // Draws the text while it has frames left, and counts this frame.
  void Draw(const Font& font);
};

}  // namespace boxedit
