#include "shell/editor.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "chardata/character_files.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "display/font.h"
#include "display/pixel_layout.h"
#include "display/tile_sheet_loader.h"
#include "motion/pattern_names.h"
#include "resources/font_sheet.h"

namespace boxedit {

namespace {

// The key colour of the list header as a pixel of the screen's layout; -1 (no key) without one.
int32_t KeyPixel(const ReadHeader& header, bool is565) {
  const std::optional<KeyColour> key = header.keyColour();
  return key ? RgbToPixel(is565, key->red, key->green, key->blue) : -1;
}

// Says the same on the log and, shorter, on the status line.
void Report(Editor& e, const std::string& logText, std::string_view statusText) {
  e.log << "boxedit: " << logText << "\n";
  e.log.flush();
  e.status.Show(statusText);
}

void SaveAndReport(Editor& e, SaveLayout layout) {
  const std::string name = layout == SaveLayout::kS ? "S" : "L";
  const std::string notSaved = std::string(kSavedListFileName) + " not saved: ";
  if (e.firstErrorLine) {
    // The refusal of boxtool resave: the records after the error were never read.
    const std::string where =
        *e.firstErrorLine > 0 ? " (first on line " + std::to_string(*e.firstErrorLine) + ")" : "";
    const std::string why = std::string(kListFileName) + " has errors" + where;
    Report(e, notSaved + why + "; saving would drop what could not be read", notSaved + why);
    ++e.failedSaves;
    return;
  }
  std::string error, note;
  if (!Save(e.list, e.dir, layout, &error, e.startupHeader ? &*e.startupHeader : nullptr, &note)) {
    Report(e, notSaved + error, notSaved + error);
    ++e.failedSaves;
    return;
  }
  if (e.Unsaved()) e.savedEditsSinceLoad = true;
  e.MarkSaved();
  const std::string saved = "saved " + std::string(kSavedListFileName) + " (" + name + ")";
  if (note.empty()) {
    Report(e, saved, saved);
  } else {
    Report(e, saved + "; " + note, saved + ", start-up header used");
  }
}

// One line for the status line on what start-up found wrong, or nothing.
std::string StartUpSummary(const Diagnostics& diagnostics, const std::vector<std::string>& files) {
  std::string summary;
  auto add = [&summary](const std::string& part) {
    summary += summary.empty() ? part : "; " + part;
  };
  int errors = 0, warnings = 0, firstLine = -1;
  for (const Diagnostic& d : diagnostics) {
    (d.severity == Severity::kError ? errors : warnings) += 1;
    if (firstLine < 0) firstLine = d.line;
  }
  if (diagnostics.size() == 1 && firstLine == 0) {
    add(diagnostics.front().message);
  } else if (!diagnostics.empty()) {
    add(std::string(kListFileName) + ": " + std::to_string(errors) + " errors, " +
        std::to_string(warnings) + " warnings, first on line " + std::to_string(firstLine));
  }
  for (const std::string& f : files) add(f);
  return summary;
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

void ShellActions::Say(std::string_view message) {
  editor_.status.Show(message);
}

// Ctrl+C and Ctrl+V: the three boxes the editor edits, from one pattern to another.
void ShellActions::CopyBoxes(int32_t p) {
  editor_.copiedBoxes = BoxesOf(editor_.list.patterns[p]);
  editor_.status.Show("boxes of pattern " + std::to_string(p) + " copied");
}

void ShellActions::PasteBoxes(int32_t p) {
  if (!editor_.copiedBoxes) {
    editor_.status.Show("nothing to paste: ctrl+c copies the boxes of a pattern");
    return;
  }
  PatternRecord& record = editor_.list.patterns[p];
  record.defense[0] = editor_.copiedBoxes->defense[0];
  record.defense[1] = editor_.copiedBoxes->defense[1];
  record.attack[0] = editor_.copiedBoxes->attack[0];
}

void ShellActions::Play(int32_t p) {
  const int32_t motion = Motion(p);
  if (!editor_.playback.Start(editor_.list, motion)) {
    editor_.status.Show("nothing to play: slot " + std::to_string(motion * kPatternsPerMotion) +
                        ", the first of " + MotionName(motion) + ", is empty");
    return;
  }
  editor_.state.currentPattern = editor_.playback.slot();
}

// F9. Edits that only the table holds, or that a save wrote to motion2.lst but motion.lst lacks
// (the next S would replace them with what is read), make the first F9 a question.
void ShellActions::Reload() {
  Editor& e = editor_;
  if (!e.reloadAsked && (e.Unsaved() || e.savedEditsSinceLoad)) {
    e.reloadAsked = true;
    e.status.Show(e.Unsaved() ? "unsaved edits: f9 again reads the files and drops them"
                              : "motion2.lst holds edits that motion.lst lacks: f9 again reads "
                                "motion.lst");
    return;
  }
  e.reloadAsked = false;
  const std::string summary = LoadCharacter(e, {});
  e.history = EditHistory{};
  e.state.currentPattern =
      Clamp(e.state.currentPattern, 0, Clamp(e.list.lastPattern, 0, kPatternCount - 1));
  e.status.Show(summary.empty() ? "read the files again" : summary);
}

void ShellActions::ToggleOnionSkin() {
  editor_.onionSkin = !editor_.onionSkin;
}

void ShellActions::ShowKeyHelp() {
  editor_.keyHelp = true;
}

bool Editor::Unsaved() const {
  for (int i = 0; i < kPatternCount; ++i) {
    if (!SameEdits(list.patterns[i], savedRecords[i])) return true;
  }
  return false;
}

void Editor::MarkSaved() {
  savedRecords = list.patterns;
}

std::string LoadCharacter(Editor& e, std::vector<std::string> fileProblems) {
  std::string error;
  auto fileProblem = [&](const std::string& text) {
    e.log << "boxedit: " << text << "\n";
    fileProblems.push_back(text);
  };
  // motion.lst is read once: the table, its problems, and the header with the tiles' key colour.
  // The table starts from nothing, so that no field of an earlier load stays in an empty slot.
  auto fresh = std::make_unique<MotionList>();
  ReadHeader header;
  const Diagnostics diagnostics = Load(*fresh, e.dir, &header);
  e.list = *fresh;

  std::vector<std::string> absent;  // the files the note says are not there
  auto notUsed = [&](const char* name, const std::string& why, const char* consequence) {
    std::error_code ec;
    if (!e.absentFileNote.empty() && !std::filesystem::exists(e.dir / name, ec)) {
      absent.push_back(name);
    } else {
      fileProblem(std::string(name) + " not used: " + why + "; " + consequence);
    }
  };

  Surface& sheet = e.pictures.tileSheet;
  sheet.Create(e.display, kTileSheetWidth, kTileSheetHeight);
  sheet.SetCells(kTileSize, kTileSize);
  std::string warning;
  if (!LoadTileSheet(sheet, e.display.is565, e.dir / kTileSheetFileName,
                     KeyPixel(header, e.display.is565), &error, &warning)) {
    notUsed(kTileSheetFileName, error, "no tiles will show");
  } else if (!warning.empty()) {
    fileProblem(std::string(kTileSheetFileName) + " is short: " + warning);
  }
  size_t held = 0;
  if (!e.pictures.Load(e.dir / kPatternFileName, &error, &held)) {
    notUsed(kPatternFileName, error, "no pictures will show");
  } else if (held < kPictureFileSize) {
    const size_t bytesPerPicture = kPictureFileSize / kPictureCount;
    fileProblem(std::string(kPatternFileName) + " is short: " + std::to_string(held) + " of " +
                std::to_string(kPictureFileSize) + " bytes; pictures from " +
                std::to_string(held / bytesPerPicture) + " on have no tiles");
  }
  if (!absent.empty()) {
    fileProblem(absent.size() == 1 ? absent[0] + " was " + e.absentFileNote
                                   : absent[0] + " and " + absent[1] + " were " + e.absentFileNote);
  }
  e.firstErrorLine.reset();
  for (const Diagnostic& d : diagnostics) {
    e.log << FormatDiagnostic(d) << "\n";
    if (d.severity == Severity::kError && !e.firstErrorLine) e.firstErrorLine = d.line;
  }
  e.MarkSaved();
  e.savedEditsSinceLoad = false;
  e.startupHeader = header.complete();
  e.log.flush();
  return StartUpSummary(diagnostics, fileProblems);
}

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
  // The start-up results are reported but never stop the editor: it runs on with whatever
  // loaded, showing no text, no tiles or no picture where a file could not be used.
  std::vector<std::string> fileProblems;
  Surface& font = e.pool.font;
  font.Create(e.display, kFontSheetWidth, kFontSheetHeight);
  if (!LoadBitmapResource(font, kFontResourceName.data(), kFontSheetWidth, kFontSheetHeight)) {
    e.log << "boxedit: the font could not be loaded; no text will show\n";
    fileProblems.push_back("the font could not be loaded; no text will show");
  }
  font.SetCells(kGlyphWidth, kGlyphHeight);
  if (const std::string summary = LoadCharacter(e, fileProblems); !summary.empty()) {
    e.status.Show(summary);
  }

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
