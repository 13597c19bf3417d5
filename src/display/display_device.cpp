#include "display/display_device.h"

#include <utility>

#include "display/pixel_layout.h"

namespace boxedit {

namespace {

// Hands the front buffer to the screen to show.
void PresentPrimary(Display& display) {
  const Surface16& shown = *display.primary;
  display.screen->Present(shown.Row(0), shown.Pitch(), shown.Width(), shown.Height());
}

}  // namespace

bool InitDisplay(Display& display, Screen& screen, std::string* error) {
  bool layout565 = false;
  if (!screen.OpenScreen(kScreenWidth, kScreenHeight, &layout565, error)) return false;
  const PixelLayout& layout = LayoutOf(layout565);
  display.primary = std::make_unique<Surface16>(kScreenWidth, kScreenHeight, layout);
  display.backBuffer = std::make_unique<Surface16>(kScreenWidth, kScreenHeight, layout);
  display.screen = &screen;
  display.is565 = layout565;
  return true;
}

bool ClearBackBuffer(Display& display, int32_t red, int32_t green, int32_t blue) {
  if (display.screen == nullptr || !display.backBuffer) return false;
  display.backBuffer->Fill(static_cast<uint16_t>(RgbToPixel(display.is565, red, green, blue)));
  return true;
}

bool ClearScreen(Display& display, int32_t red, int32_t green, int32_t blue) {
  if (display.screen == nullptr || !display.backBuffer || !display.primary) return false;
  const auto pixel = static_cast<uint16_t>(RgbToPixel(display.is565, red, green, blue));
  display.backBuffer->Fill(pixel);
  display.primary->Fill(pixel);
  PresentPrimary(display);
  return true;
}

void FlipScreen(Display& display) {
  if (display.screen == nullptr || !display.backBuffer || !display.primary) return;
  std::swap(display.primary, display.backBuffer);
  PresentPrimary(display);
}

void PresentAgain(Display& display) {
  if (display.screen != nullptr) display.screen->PresentAgain();
}

void ReleaseDisplay(Display& display) {
  // Both buffers go with the screen, so nothing can draw on a closed display afterwards.
  display.backBuffer.reset();
  display.primary.reset();
  if (display.screen != nullptr) {
    display.screen->CloseScreen();
    display.screen = nullptr;
  }
}

std::optional<DrawContext> GetDC(Display& display) {
  if (!display.backBuffer) return std::nullopt;
  return DrawContext(*display.backBuffer);
}

}  // namespace boxedit
