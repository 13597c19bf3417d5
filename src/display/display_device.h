// The display device: a 640x480 16-bit screen with one back buffer that all drawing goes to,
// the probe of its pixel layout, whole-surface clears and the flip that shows a frame.
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
  Screen* screen = nullptr;  // null until InitDisplay succeeds: no device
  bool is565 = false;        // the layout the probe found; 5-5-5 until DetectPixelFormat runs
  std::unique_ptr<Surface16> primary;     // what the screen shows
  std::unique_ptr<Surface16> backBuffer;  // where every frame is drawn
  // Off-screen surfaces are kept in memory of one kind; a test sets this to see how surfaces
  // that ask for video memory behave when it is refused.
  bool refuseVideoMemory = false;
};

// Opens the screen; false with the reason in *error.
bool InitDisplay(Display& display, Screen& screen, std::string* error = nullptr);
// Finds the back buffer's layout by drawing pure red and green through a device context and
// reading them back through a lock; sets display.is565.
void DetectPixelFormat(Display& display);
// Fills the back buffer (ClearBackBuffer) or both buffers (ClearScreen) with a colour;
// false and nothing drawn when the display is not open.
bool ClearBackBuffer(Display& display, int32_t red, int32_t green, int32_t blue);
bool ClearScreen(Display& display, int32_t red, int32_t green, int32_t blue);
// Swaps the buffers and presents the new front buffer.
void FlipScreen(Display& display);
void ReleaseDisplay(Display& display);

// A device context of the back buffer, or none when there is no back buffer.
std::optional<DrawContext> GetDC(Display& display);

}  // namespace boxedit
