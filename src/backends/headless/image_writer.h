// Frame images of the headless back end: a presented 16-bit frame turned into an RGB image and
// written as a 24-bit BMP or a PNG (chardata/bmp.h and png/png.h encode them).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/colour.h"
#include "display/pixel_layout.h"

namespace boxedit {

// A 16-bit frame as it is presented: rows of pixels `pitchBytes` apart in `layout`.
struct FrameView {
  const uint16_t* pixels = nullptr;
  int pitchBytes = 0;
  int width = 0;
  int height = 0;
  PixelLayout layout = kLayout565;
};

// The frame's pixels expanded to 8-bit components; an empty image when the frame has no pixels,
// a side above 32767 or a pitch shorter than its rows.
RgbImage FrameToImage(const FrameView& frame);

// Writes the frame to `path`, a PNG when its name ends in .png (any case), else a BMP.
// False with the reason in *error when the frame is empty or the file cannot be written.
bool WriteFrameImage(const std::filesystem::path& path, const FrameView& frame, std::string* error);

}  // namespace boxedit
