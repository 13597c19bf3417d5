// The editor: every long-lived object of a run, the start-up, the window procedure, the main
// loop with its frame, and the shutdown.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "chardata/list_writer.h"
#include "chardata/pattern_table.h"
#include "display/display_device.h"
#include "display/surface.h"
#include "platform/platform.h"
#include "shell/edit_history.h"
#include "shell/editing_commands.h"
#include "shell/frame_timer.h"
#include "shell/playback.h"
#include "shell/status_line.h"
#include "view/picture_bank.h"

namespace boxedit {

inline constexpr uint32_t kFrameRate = 20;

// The surfaces the editor loads besides the tile sheet: the font sheet alone.
struct ResourcePool {
  Surface font;
  void Release();
};

struct Editor;

// The close request and the saves, as the editing commands ask for them.
class ShellActions : public EditorActions {
 public:
  explicit ShellActions(Editor& editor) : editor_(editor) {}
  void PostClose() override;
  void SaveS() override;
  void SaveL() override;
  void Say(std::string_view message) override;
  void CopyBoxes(int32_t pattern) override;
  void PasteBoxes(int32_t pattern) override;
  void Play(int32_t pattern) override;
  void Reload() override;
  void ToggleOnionSkin() override;
  void ShowKeyHelp() override;

 private:
  Editor& editor_;
};

struct Editor {
  Editor(Platform& platform, std::filesystem::path dir, std::ostream& log);

  Platform& platform;         // the window, its messages and the clock; the display has its screen
  std::filesystem::path dir;  // where the character's files are read and motion2.lst written
  std::ostream& log;          // diagnostics and save reports

  MotionList list;
  EditorState state;
  PictureBank pictures;
  ResourcePool pool;
  FrameTimer timer;
  Display display;
  ShellActions actions{*this};
  StatusLine status;
  // The header of motion.lst as read at start-up, for saves made when the file can no longer
  // be read; none when it was incomplete.
  std::optional<ListHeader> startupHeader;
  // Reading motion.lst stopped at an error, or the file could not be read: the table lacks
  // records, and saving it would replace a good motion2.lst with the loss. The line of the first
  // error (0 for the whole file).
  std::optional<int> firstErrorLine;
  int failedSaves = 0;  // saves of this run that wrote nothing

  EditHistory history;  // undo and redo
  // The records as last loaded or saved, against which the header marks unsaved edits.
  std::array<PatternRecord, kPatternCount> savedRecords{};
  std::optional<SlotBoxes> copiedBoxes;  // Ctrl+C's defense boxes 0 and 1 and attack box 0
  Playback playback;
  bool onionSkin = false;  // O: the previous pattern's boxes under the current ones
  bool keyHelp = false;    // F12 or H: the key help over the view
  // A save since the last load wrote edits that motion.lst does not hold.
  bool savedEditsSinceLoad = false;
  bool reloadAsked = false;  // the last key was an F9 that asked before reading the files again
  // Set where the character is the files the user picked (the web page): why chara.bmp or
  // pattern.pat is not there at all, said in place of the file system's error.
  std::string absentFileNote;
  // The frame on the screen: whether nothing it was composed from has changed since (the table
  // and the editor's state change only with a message or a motion playing), the rate it shows,
  // and whether it shows the status line. A frame composed from the same would be the same
  // pixels, so it is not composed again.
  struct ShownFrame {
    bool current = false;
    uint32_t rate = 0;
    bool status = false;
  } shownFrame;

  // Whether the table differs from savedRecords, defense box 0's x values aside.
  bool Unsaved() const;
  void MarkSaved();
};

// Reads motion.lst, chara.bmp and pattern.pat into the editor, at start-up and on F9: the
// problems go to the log, and the summary for the status line comes back (empty when nothing was
// wrong), after the problems already found (`fileProblems`).
std::string LoadCharacter(Editor& editor, std::vector<std::string> fileProblems);
// Opens the window and the display and loads the character. 0 on success; on a display that
// cannot be opened, says why on the log and returns a non-zero status.
int StartUp(Editor& editor);
// One message per pass; a frame whenever no message waits. Returns when the quit message comes.
void RunMainLoop(Editor& editor);
// StartUp, then the main loop: the whole run. Returns the process exit status; *failedSaves
// (when given) counts the saves of the run that wrote nothing.
int RunEditor(Platform& platform, const std::filesystem::path& dir, std::ostream& log,
              int* failedSaves = nullptr);

intptr_t EditorWindowProc(Editor& editor, const Message& m);
// Draws the current pattern's frame on the back buffer: everything of a frame but the wait for
// its time and the flip that shows it.
void ComposeFrame(Editor& editor);
// The defense and attack boxes of `pattern` over the view, in the colours of its circo.
void DrawBoxes(Editor& editor, int32_t pattern);
// One frame of the main loop: composed, shown at its time, counted in the frame rate.
void DrawFrame(Editor& editor);
void Shutdown(Editor& editor);

}  // namespace boxedit
