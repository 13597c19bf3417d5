// The display device: a 640x480 16-bit screen with one back buffer that all drawing goes to,
// whole-surface clears and the flip that shows a frame.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/screen_layout.h"
#include "display/draw_context.h"
#include "display/surface16.h"
#include "platform/screen.h"

namespace boxedit {

struct Display {
  Screen* screen = nullptr;               // null until InitDisplay succeeds: no device
  bool is565 = false;                     // the layout the screen reported when it opened
  std::unique_ptr<Surface16> primary;     // what the screen shows
  std::unique_ptr<Surface16> backBuffer;  // where every frame is drawn
};

// Opens the screen in the layout it chooses (display.is565); false with the reason in *error.
bool InitDisplay(Display& display, Screen& screen, std::string* error = nullptr);
// Fills the back buffer (ClearBackBuffer) or both buffers (ClearScreen) with a colour;
// false and nothing drawn when the display is not open.
bool ClearBackBuffer(Display& display, int32_t red, int32_t green, int32_t blue);
bool ClearScreen(Display& display, int32_t red, int32_t green, int32_t blue);
// Swaps the buffers and presents the new front buffer.
void FlipScreen(Display& display);
// The frame shown stays: the screen is told that a frame passed with the same pixels.
void PresentAgain(Display& display);
void ReleaseDisplay(Display& display);

// A device context of the back buffer, or none when there is no back buffer.
std::optional<DrawContext> GetDC(Display& display);

}  // namespace boxedit
