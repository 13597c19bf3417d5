// The screen side of the platform seam, all the display device needs: open a 16-bit screen,
// show finished frames on it, close it.
#pragma once

#include <cstdint>
#include <string>

namespace boxedit {

class Screen {
 public:
  virtual ~Screen() = default;
  // Opens the width x height 16-bit screen; the back end chooses the layout (*is565).
  virtual bool OpenScreen(int width, int height, bool* is565, std::string* error) = 0;
  virtual void CloseScreen() = 0;
  // Shows a finished frame: rows of 16-bit pixels `pitchBytes` apart in the screen's layout.
  virtual void Present(const uint16_t* pixels, int pitchBytes, int width, int height) = 0;
  // A frame whose pixels are those presented last: the editor composed nothing new. A back end
  // shows them again only when its window needs them (it was covered, resized or lost its
  // surface), and may count the frame.
  virtual void PresentAgain() {}
};

}  // namespace boxedit
