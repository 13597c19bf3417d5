#include "backends/headless/image_writer.h"

#include <cstring>
#include <vector>

#include "chardata/atomic_file.h"
#include "chardata/bmp.h"
#include "png/png.h"

namespace boxedit {
namespace {

// Frames larger than this are refused, which keeps every size of both formats in 32 bits.
constexpr int kMaxSide = 32767;

bool EndsWithPng(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext == ".png";
}

}  // namespace

RgbImage FrameToImage(const FrameView& frame) {
  RgbImage image;
  if (frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0 || frame.width > kMaxSide ||
      frame.height > kMaxSide || frame.pitchBytes < frame.width * 2) {
    return image;
  }
  image.width = frame.width;
  image.height = frame.height;
  image.pixels.reserve(static_cast<size_t>(frame.width) * frame.height);
  for (int y = 0; y < frame.height; ++y) {
    const auto* row = reinterpret_cast<const uint8_t*>(frame.pixels) +
                      static_cast<size_t>(y) * static_cast<size_t>(frame.pitchBytes);
    for (int x = 0; x < frame.width; ++x) {
      uint16_t pixel;
      std::memcpy(&pixel, row + static_cast<size_t>(x) * 2, sizeof pixel);
      image.pixels.push_back(PixelToRgb(frame.layout, pixel));
    }
  }
  return image;
}

bool WriteFrameImage(const std::filesystem::path& path, const FrameView& frame,
                     std::string* error) {
  const RgbImage image = FrameToImage(frame);
  const std::vector<uint8_t> bytes = EndsWithPng(path) ? EncodePng(image) : EncodeBmp24(image);
  if (bytes.empty()) {
    *error = "cannot write " + path.string() + ": the frame has no pixels";
    return false;
  }
  // Whole or not at all: a failed shot leaves no empty or partial image behind.
  std::string reason;
  if (!WriteFileAtomically(
          path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
          &reason)) {
    *error = "cannot write " + path.string() + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace boxedit
