// A 16-bit memory surface: the pixels that a back end presents and every blit copies.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "display/pixel_layout.h"

namespace boxedit {

// left, top, right, bottom; right and bottom exclusive.
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// What a lock hands out: the first pixel and the distance between rows in bytes.
struct LockedPixels {
  uint8_t* bits = nullptr;
  int32_t pitch = 0;
};

class Surface16 {
 public:
  Surface16(int32_t width, int32_t height, const PixelLayout& layout);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t Pitch() const { return pitch_; }  // bytes
  const PixelLayout& Layout() const { return layout_; }

  uint16_t* Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * (pitch_ / 2); }
  const uint16_t* Row(int32_t y) const {
    return pixels_.data() + static_cast<size_t>(y) * (pitch_ / 2);
  }
  uint16_t At(int32_t x, int32_t y) const { return Row(y)[x]; }

  void Fill(uint16_t pixel);
  // Fills the part of `r` that lies on the surface.
  void FillRect(Rect r, uint16_t pixel);
  LockedPixels Lock() { return {reinterpret_cast<uint8_t*>(pixels_.data()), pitch_}; }

  // Copies `from` of `source` to (x, y), clipped to this surface and to the source; with a key,
  // source pixels equal to it (all 16 bits compared) are left out.
  void Blit(int32_t x, int32_t y, const Surface16& source, Rect from,
            std::optional<uint16_t> key = std::nullopt);

 private:
  int32_t width_, height_, pitch_;
  PixelLayout layout_;
  std::vector<uint16_t> pixels_;
};

}  // namespace boxedit
