// Feeds arbitrary bytes to the tile-sheet loader as the contents of the tile-sheet file.
//
// Input: byte 0 picks the screen layout (bit 0) and whether there is a colour key (bit 1);
// bytes 1-2 are the key colour, byte 3 mod 4 the block index plus one (-1 to 2), bytes 4-7
// two scale factors (0 to 511; the third is 256); everything after that is the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "display/display_device.h"
#include "display/surface.h"
#include "display/tile_sheet_loader.h"
#include "platform/screen.h"

namespace {

using namespace boxedit;

// A screen that opens in the layout asked for and shows nothing.
class ScreenOnly : public Screen {
 public:
  bool is565 = true;
  bool OpenScreen(int, int, bool* layout565, std::string*) override {
    *layout565 = is565;
    return true;
  }
  void CloseScreen() override {}
  void Present(const uint16_t*, int, int, int) override {}
};

// The file each input is written to, one per process; removed after every input.
const std::filesystem::path& TempFile() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("fuzz_tile_sheet." + std::to_string(getpid()) + ".bmp");
  return path;
}

// One open display per layout, kept for the whole run: opening a screen per input would spend
// the time on clearing 640x480 buffers instead of on the loader.
Display& DisplayFor(bool is565) {
  struct OpenScreen {
    ScreenOnly screen;
    Display display;
    explicit OpenScreen(bool layout565) {
      screen.is565 = layout565;
      if (!InitDisplay(display, screen)) std::abort();
      DetectPixelFormat(display);
      if (display.is565 != layout565) std::abort();
    }
  };
  static OpenScreen screen565(true), screen555(false);
  return is565 ? screen565.display : screen555.display;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const bool is565 = (data[0] & 1) != 0;
  const bool keyed = (data[0] & 2) != 0;
  const int32_t key = keyed ? data[1] | (data[2] << 8) : -1;
  const int32_t imageIndex = data[3] % 4 - 1;
  const int32_t redScale = (data[4] | (data[5] << 8)) & 511;
  const int32_t greenScale = (data[6] | (data[7] << 8)) & 511;

  std::FILE* f = std::fopen(TempFile().c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(data + 8, 1, size - 8, f);
  std::fclose(f);

  Display& display = DisplayFor(is565);
  auto sheet = std::make_unique<Surface>();
  if (!sheet->Create(display, 32, 32, 2)) std::abort();
  sheet->SetCells(16, 16);
  const bool loaded =
      LoadTileSheet(*sheet, is565, TempFile(), key, redScale, greenScale, 256, imageIndex);
  std::remove(TempFile().c_str());
  if (loaded) {
    // The loaded sheet must draw: every cell, and cell numbers outside the table.
    for (int32_t cell : {0, 1, 2, 3, 4, 1799, 1800, -1}) sheet->BlitCell(display, -8, 470, cell);
    if (sheet->hasColourKey != (key >= 0 ? 1 : 0)) std::abort();
  }
  sheet->Release();
  return 0;
}
