// The full screen of the Windows edition: DirectDraw in exclusive mode at 640x480 with 16 bits a
// pixel, a primary surface with one back buffer in a flip chain. The editor draws into its own
// memory frame; presenting copies that frame into the locked back buffer and flips.
#pragma once

#include <cstdint>
#include <string>

#include "backends/win32/windows_api.h"

namespace boxedit {

class DirectDrawScreen {
 public:
  DirectDrawScreen() = default;
  ~DirectDrawScreen() { Close(); }
  DirectDrawScreen(const DirectDrawScreen&) = delete;
  DirectDrawScreen& operator=(const DirectDrawScreen&) = delete;

  // Takes the screen for `window` and finds the back buffer's layout by drawing pure red and
  // green on it and reading them back (*is565). False with the reason when DirectDraw, exclusive
  // mode or the mode itself is refused; nothing is left changed then.
  bool Open(HWND window, int width, int height, bool* is565, std::string* error);
  // Gives the screen back: the desktop's own mode returns.
  void Close();
  bool IsOpen() const { return primary_ != nullptr; }

  // Copies the frame into the back buffer and flips. Surfaces lost to another program (Alt+Tab,
  // a mode change) are restored first; while they cannot be (the editor is in the background)
  // the frame is dropped, and false returned: the next frame is drawn whole anyway.
  bool Present(const uint16_t* pixels, int pitchBytes, int width, int height);

 private:
  bool Probe(bool* is565);
  bool Restore();

  IDirectDraw* directDraw_ = nullptr;
  IDirectDrawSurface* primary_ = nullptr;
  IDirectDrawSurface* back_ = nullptr;  // attached to the primary; released with it
  HWND window_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace boxedit
