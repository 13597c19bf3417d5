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
  return true;
}

void DetectPixelFormat(Display& display) {
  display.is565 = false;
  std::optional<DrawContext> dc = GetDC(display);
  if (!dc) return;             // no back buffer to probe: the layout stays 5-5-5
  dc->SetPixel(0, 0, 0xFF);    // pure red
  dc->SetPixel(1, 0, 0xFF00);  // pure green
  const LockedPixels locked = display.backBuffer->Lock();
  const auto* row = reinterpret_cast<const uint16_t*>(locked.bits);
  const uint16_t p0 = row[0], p1 = row[1];
  // Red is 0xF800 in 5-6-5 and 0x7C00 in 5-5-5; green is 0x07E0 and 0x03E0.
  display.is565 = (p0 & 0x8000) != 0 || (p0 & 0x400) == 0 || (p1 & 0x400) != 0;
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
