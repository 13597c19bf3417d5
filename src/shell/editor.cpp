#include "shell/editor.h"

#include <memory>
#include <ostream>

#include "chardata/list_reader.h"
#include "chardata/list_writer.h"

namespace boxedit {

namespace {

constexpr const char* kTileSheetFileName = "chara.bmp";
constexpr const char* kPictureFileName = "pattern.pat";

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
  for (Surface& s : surfaces) s.Release();
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
  if (!InitDisplay(e.display, e.platform, &error)) {
    e.log << "boxedit: cannot open the display: " << error << "\n";
    e.platform.DestroyWindow();
    return 1;
  }
  DetectPixelFormat(e.display);

  Surface& font = e.pool.Font();
  font.Create(e.display, 320, 240, 1);
  if (!font.LoadBitmapResource("NUMBITMAP", 320, 240)) {
    e.log << "boxedit: the font could not be loaded; no text will show\n";
  }
  font.SetCells(8, 16);

  Surface& sheet = e.pictures.TileSheet();
  sheet.Create(e.display, 640, 720, 2);
  sheet.SetCells(16, 16);

  const int32_t keyColour = ReadKeyColour(e.dir, e.display.is565);
  if (!sheet.LoadTileSheet(e.dir / kTileSheetFileName, keyColour, 256, 256, 256, 1)) {
    e.log << "boxedit: " << kTileSheetFileName << " could not be loaded; no tiles will show\n";
  }
  if (!e.pictures.Load(e.dir / kPictureFileName)) {
    e.log << "boxedit: " << kPictureFileName << " could not be read; pictures show tile 0\n";
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
