#include "shell/editor.h"

#include <memory>
#include <ostream>

#include "chardata/character_files.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "display/font.h"
#include "display/pixel_layout.h"
#include "display/tile_sheet_loader.h"
#include "resources/font_sheet.h"

namespace boxedit {

namespace {

// The font sheet: 320x240 in video memory only (placement 1), cells of 8x16.
constexpr int32_t kFontPlacement = 1;
// The tile sheet: video memory if there is room, else system memory (placement 2).
constexpr int32_t kTileSheetPlacement = 2;
// Colour scales of 256 load the tiles' colours as they are.
constexpr int32_t kFullScale = 256;

// The key colour of the list header as a pixel of the probed layout; -1 (no key) without one.
int32_t KeyPixel(const std::filesystem::path& dir, bool is565) {
  const std::optional<KeyColour> key = ReadKeyColour(dir);
  return key ? RgbToPixel(is565, key->red, key->green, key->blue) : -1;
}

void SaveAndReport(Editor& editor, SaveLayout layout) {
  std::string error;
  const char* name = layout == SaveLayout::kS ? "S" : "L";
  if (Save(editor.list, editor.dir, layout, &error)) {
    editor.log << "boxedit: saved " << kSavedListFileName << " (" << name << " layout)\n";
  } else {
    editor.log << "boxedit: " << kSavedListFileName << " not saved: " << error << "\n";
    ++editor.failedSaves;
  }
  editor.log.flush();
}

}  // namespace

void ResourcePool::Release() {
  font.Release();
}

void ShellActions::PostClose() {
  editor_.platform.PostMessage({msg::kClose, 0, 0});
}
void ShellActions::SaveS() {
  SaveAndReport(editor_, SaveLayout::kS);
}
void ShellActions::SaveL() {
  SaveAndReport(editor_, SaveLayout::kL);
}

Editor::Editor(Platform& platform, std::filesystem::path dir, std::ostream& log)
    : platform(platform), dir(std::move(dir)), log(log) {}

int StartUp(Editor& e) {
  std::string error;
  if (!e.platform.OpenWindow(
          "Sample", [&e](const Message& m) { return EditorWindowProc(e, m); }, &error)) {
    e.log << "boxedit: cannot open the window: " << error << "\n";
    return 1;
  }
  e.state.leftButtonDown = 0;
  e.state.rightButtonDown = 0;
  if (!InitDisplay(e.display, e.platform.screen(), &error)) {
    e.log << "boxedit: cannot open the display: " << error << "\n";
    e.platform.DestroyWindow();
    return 1;
  }
  DetectPixelFormat(e.display);

  // The start-up results are reported but never stop the editor: it runs on with whatever
  // loaded, showing no text, no tiles or tile 0 where a file was missing.
  Surface& font = e.pool.font;
  font.Create(e.display, kFontSheetWidth, kFontSheetHeight, kFontPlacement);
  if (!LoadBitmapResource(font, kFontResourceName.data(), kFontSheetWidth, kFontSheetHeight)) {
    e.log << "boxedit: the font could not be loaded; no text will show\n";
  }
  font.SetCells(kGlyphWidth, kGlyphHeight);

  Surface& sheet = e.pictures.tileSheet;
  sheet.Create(e.display, kTileSheetWidth, kTileSheetHeight, kTileSheetPlacement);
  sheet.SetCells(kTileSize, kTileSize);
  if (!LoadTileSheet(sheet, e.display.is565, e.dir / kTileSheetFileName,
                     KeyPixel(e.dir, e.display.is565), kFullScale, kFullScale, kFullScale,
                     kTileSheetImageIndex)) {
    e.log << "boxedit: " << kTileSheetFileName << " could not be loaded; no tiles will show\n";
  }
  if (!e.pictures.Load(e.dir / kPatternFileName)) {
    e.log << "boxedit: " << kPatternFileName << " could not be read; pictures show tile 0\n";
  }
  for (const Diagnostic& d : Load(e.list, e.dir)) e.log << FormatDiagnostic(d) << "\n";
  e.log.flush();

  e.state.currentPattern = 0;
  e.state.selectedBox = 0;
  ClearScreen(e.display, 0, 0, 0);
  return 0;
}

void RunMainLoop(Editor& e) {
  for (;;) {
    if (e.platform.PeekMessage()) {
      Message m;
      if (!e.platform.GetMessage(&m)) return;
      EditorWindowProc(e, m);
    } else {
      DrawFrame(e);
    }
  }
}

int RunEditor(Platform& platform, const std::filesystem::path& dir, std::ostream& log,
              int* failedSaves) {
  // The editor holds about a megabyte of tables and surfaces: keep it off the stack.
  auto editor = std::make_unique<Editor>(platform, dir, log);
  if (int status = StartUp(*editor); status != 0) return status;
  RunMainLoop(*editor);
  if (failedSaves != nullptr) *failedSaves = editor->failedSaves;
  return 0;
}

void Shutdown(Editor& e) {
  ClearScreen(e.display, 0, 0, 0);
  e.pool.Release();
  e.pictures.Release();
  ReleaseDisplay(e.display);
  e.platform.DestroyWindow();
}

}  // namespace boxedit
