// make_icon: draws the program's icon, a 32x32 view with the character's axis, a blue defense
// box and a red attack box, and writes it as a Windows icon file.
//   make_icon OUT.ico
// resources/boxedit.ico is its output, kept in the repository for the Windows build; refresh it
// with the target update_icon after changing the drawing.
#include <cstdio>
#include <fstream>
#include <vector>

#include "base/little_endian.h"

namespace {

constexpr int kSize = 32;

struct Bgra {
  uint8_t b, g, r, a;
};

std::vector<Bgra> Draw() {
  std::vector<Bgra> pixels(kSize * kSize, Bgra{128, 128, 128, 255});
  auto outline = [&](int x1, int y1, int x2, int y2, Bgra colour) {
    for (int x = x1; x <= x2; ++x) pixels[y1 * kSize + x] = pixels[y2 * kSize + x] = colour;
    for (int y = y1; y <= y2; ++y) pixels[y * kSize + x1] = pixels[y * kSize + x2] = colour;
  };
  outline(0, 0, kSize - 1, kSize - 1, Bgra{255, 255, 255, 255});  // the view's border
  for (int y = 0; y < kSize; ++y) pixels[y * kSize + 15] = Bgra{255, 255, 255, 255};  // the axis
  outline(10, 6, 21, 29, Bgra{255, 0, 0, 255});   // a defense box, blue
  outline(17, 10, 28, 17, Bgra{0, 0, 255, 255});  // an attack box, red
  return pixels;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUT.ico\n");
    return 2;
  }
  const std::vector<Bgra> pixels = Draw();
  std::vector<uint8_t> image;  // an info header of twice the height: the colours, then the mask
  boxedit::AppendLe32(image, 40);
  boxedit::AppendLe32(image, kSize);
  boxedit::AppendLe32(image, 2 * kSize);
  boxedit::AppendLe16(image, 1);
  boxedit::AppendLe16(image, 32);
  for (int i = 0; i < 6; ++i) boxedit::AppendLe32(image, 0);
  for (int y = kSize - 1; y >= 0; --y) {  // rows bottom-up
    for (int x = 0; x < kSize; ++x) {
      const Bgra p = pixels[y * kSize + x];
      image.insert(image.end(), {p.b, p.g, p.r, p.a});
    }
  }
  image.resize(image.size() + kSize * kSize / 8, 0);  // the mask: every pixel shown

  std::vector<uint8_t> file;
  boxedit::AppendLe16(file, 0);  // reserved
  boxedit::AppendLe16(file, 1);  // an icon
  boxedit::AppendLe16(file, 1);  // one image
  file.insert(file.end(), {kSize, kSize, 0, 0});
  boxedit::AppendLe16(file, 1);   // planes
  boxedit::AppendLe16(file, 32);  // bits per pixel
  boxedit::AppendLe32(file, static_cast<uint32_t>(image.size()));
  boxedit::AppendLe32(file, 6 + 16);  // where the image starts
  file.insert(file.end(), image.begin(), image.end());

  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
