#include "platform/headless/image_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "chardata/bmp.h"
#include "chardata/png.h"

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
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *error = "cannot write " + path.string() + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int writeErrno = errno;
  // A full disk may only show when the buffered bytes are flushed at close.
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    *error = "cannot write " + path.string() + ": " + std::strerror(written ? errno : writeErrno);
    return false;
  }
  return true;
}

}  // namespace boxedit
