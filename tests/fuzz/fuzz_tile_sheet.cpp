// Feeds arbitrary bytes to the tile-sheet loader as chara.bmp. Byte 0: bit 0 the screen layout,
// bit 1 a colour key (bytes 1-2), bit 2 headers built here from bytes 8-14 (BuildFile: every
// header size, depth and compression one byte away) with the rest after them; without bit 2,
// bytes 8 on are the file. Bytes 3-7 are unused (the seeds once chose a part and scales there).
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "display/display_device.h"
#include "display/surface.h"
#include "display/tile_sheet_loader.h"
#include "platform/screen.h"

namespace {

using namespace boxedit;

// A screen that opens in the layout asked for and shows nothing.
struct ScreenOnly : Screen {
  explicit ScreenOnly(bool layout565) : is565(layout565) {}
  bool OpenScreen(int, int, bool* layout565, std::string*) override {
    return *layout565 = is565, true;
  }
  void CloseScreen() override {}
  void Present(const uint16_t*, int, int, int) override {}
  bool is565;
};

// One open display per layout for the whole run, not one per input: the time goes to the loader.
Display& DisplayFor(bool is565) {
  static ScreenOnly screens[] = {ScreenOnly(false), ScreenOnly(true)};
  static Display displays[2];
  Display& d = displays[is565];
  if (!d.backBuffer && InitDisplay(d, screens[is565]) != 1) std::abort();
  return d;
}

void PutLe32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Headers from seven bytes: the info header's size, the depth, the compression (each picked from
// the values a reader meets, wrong ones included), the width (1 to 64), the height (-128 to
// 127: negative is top-down), the palette entries used, and the pixel data offset as a signed
// distance from where the masks and palette end. `rest` follows the headers.
std::vector<uint8_t> BuildFile(const uint8_t* choice, const uint8_t* rest, size_t restSize) {
  static constexpr uint32_t kHeaderSizes[] = {40, 52, 56, 108, 124, 12, 64};
  static constexpr uint16_t kDepths[] = {1, 4, 8, 16, 24, 32, 2, 0};
  static constexpr uint32_t kCompressions[] = {0, 1, 2, 3, 4, 5, 6};
  const uint32_t headerSize = kHeaderSizes[choice[0] % 7];
  const uint16_t bits = kDepths[choice[1] % 8];
  const uint32_t compression = kCompressions[choice[2] % 7];
  const uint32_t width = choice[3] % 64 + 1;
  const auto height = static_cast<int32_t>(static_cast<int8_t>(choice[4]));
  const uint32_t coloursUsed = choice[5];
  const uint32_t masks = headerSize == 40 && compression == 3 ? 12 : 0;
  const uint32_t entries = bits > 8 ? 0 : coloursUsed != 0 ? coloursUsed : 1u << bits;
  const uint32_t offset = 14 + headerSize + masks + 4 * entries + static_cast<int8_t>(choice[6]);

  std::vector<uint8_t> out = {'B', 'M'};
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, offset);
  PutLe32(out, headerSize);
  PutLe32(out, width);
  PutLe32(out, static_cast<uint32_t>(height));
  out.insert(out.end(), {1, 0, static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8)});
  PutLe32(out, compression);
  for (int i = 0; i < 3; ++i) PutLe32(out, 0);
  PutLe32(out, coloursUsed);
  PutLe32(out, 0);
  // The rest of a longer header (its masks included) comes from the input, like the palette.
  out.resize(14 + std::min<uint32_t>(headerSize, 40), 0);
  out.insert(out.end(), rest, rest + restSize);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const bool is565 = (data[0] & 1) != 0;
  const bool keyed = (data[0] & 2) != 0;
  const int32_t key = keyed ? data[1] | (data[2] << 8) : -1;

  std::vector<uint8_t> file(data + 8, data + size);
  if ((data[0] & 4) != 0) {
    if (size < 15) return 0;
    file = BuildFile(data + 8, data + 15, size - 15);
  }
  // The file each input is written to, one per process.
  static const std::filesystem::path temp =
      std::filesystem::temp_directory_path() /
      ("fuzz_tile_sheet." + std::to_string(getpid()) + ".bmp");
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);

  Display& display = DisplayFor(is565);
  auto sheet = std::make_unique<Surface>();
  if (!sheet->Create(display, 32, 32)) std::abort();
  sheet->SetCells(16, 16);
  std::string error, warning;
  const bool loaded = LoadTileSheet(*sheet, is565, temp, key, &error, &warning);
  std::remove(temp.c_str());
  // A refusal always says why.
  if (!loaded && error.empty()) std::abort();
  if (loaded) {
    // The loaded sheet must draw: every cell, and cell numbers outside the table.
    for (int32_t cell : {0, 1, 2, 3, 4, 1799, 1800, -1}) sheet->BlitCell(display, -8, 470, cell);
    if (sheet->hasColourKey != (key >= 0 ? 1 : 0)) std::abort();
  }
  sheet->Release();
  return 0;
}
