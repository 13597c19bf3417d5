#include "shell/command_table.h"
#include "shell/editor.h"

namespace boxedit {

namespace {

bool IsSlot(int32_t pattern) {
  return pattern >= 0 && pattern < kPatternCount;
}

// Defense box 0's x values are not the user's: whatever a command did to them is taken back, so
// that only the frame sets them and a save before the first frame writes the file's own.
void KeepDefenseWidths(const PatternRecord& before, PatternRecord& record) {
  record.defense[0].x1 = before.defense[0].x1;
  record.defense[0].x2 = before.defense[0].x2;
}

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. Either shows the pattern that changed.
void UndoOrRedo(Editor& e, bool redo) {
  const std::optional<int32_t> slot = redo ? e.history.Redo(e.list) : e.history.Undo(e.list);
  if (slot) {
    e.state.currentPattern = *slot;
  } else {
    e.status.Show(redo ? "nothing to redo" : "nothing to undo");
  }
}

// A value being typed ends before a key or a press does anything else, as an undo step of its
// own.
void EndEntry(Editor& e) {
  const int32_t p = e.state.currentPattern;
  if (!e.state.entry || !IsSlot(p)) {
    e.state.entry.reset();
    return;
  }
  const PatternRecord before = e.list.patterns[p];
  CommitEntry(e.state, e.list, e.actions);
  KeepDefenseWidths(before, e.list.patterns[p]);
  e.history.Record(p, before, e.list.patterns[p], EditHistory::Join::kNewStep);
}

// While a motion plays or is paused, its keys step, pause and slow it; a modifier's key-down
// does nothing; any other key stops it and does nothing else.
void PlaybackKey(Editor& e, const Message& m) {
  const auto key = static_cast<uint32_t>(m.wParam);
  if (HeldBitOf(key) != 0) return;
  const CommandEntry* c = FindCommand(msg::kKeyDown, key, m.held, true);
  Playback& playback = e.playback;
  switch (c ? c->command : Command::kNone) {
    case Command::kPauseOrGoOn:
      playback.TogglePause();
      break;
    case Command::kStepFrame:
      playback.Step(c->amount);
      break;
    case Command::kPlaybackSpeed:
      c->amount > 0 ? playback.Faster() : playback.Slower();
      break;
    case Command::kPlayAgain:
      playback.paused() ? playback.Restart() : playback.Stop();
      break;
    default:
      playback.Stop();
      return;
  }
  e.state.currentPattern = playback.slot();
}

void Key(Editor& e, const Message& m) {
  const auto key = static_cast<uint32_t>(m.wParam);
  // The key help ends at the next key, which does nothing else.
  if (e.keyHelp) {
    e.keyHelp = false;
    return;
  }
  if (e.playback.active()) {
    PlaybackKey(e, m);
    return;
  }
  e.history.EndDrag();
  if (EndsEntry(key, m.held)) EndEntry(e);
  const CommandEntry* command = FindCommand(msg::kKeyDown, key, m.held);
  // F9's question holds for the very next key only.
  if (!command || command->command != Command::kReload) e.reloadAsked = false;
  if (command && (command->command == Command::kUndo || command->command == Command::kRedo)) {
    UndoOrRedo(e, command->command == Command::kRedo);  // restores exactly: no corner ordering
    return;
  }
  // Every change a key makes belongs to the pattern shown when it arrived. A reload is no step:
  // it starts a new history.
  const int32_t p = e.state.currentPattern;
  if (!IsSlot(p) || (command && command->command == Command::kReload)) {
    HandleKey(e.state, e.list, e.actions, key, m.held);
    return;
  }
  const PatternRecord before = e.list.patterns[p];
  HandleKey(e.state, e.list, e.actions, key, m.held);
  KeepDefenseWidths(before, e.list.patterns[p]);
  // The ordering that a Shift or Ctrl key-down makes joins the command that comes with it.
  const bool modifier = key == vk::kShift || key == vk::kControl;
  e.history.Record(p, before, e.list.patterns[p],
                   modifier ? EditHistory::Join::kModifier : EditHistory::Join::kNewStep);
}

void Mouse(Editor& e, const Message& m) {
  const CommandEntry* command = FindCommand(m.message, 0, m.held);
  if (command == nullptr) return;
  MouseEvent event;
  switch (command->command) {
    case Command::kSetUpperLeft:
      event = MouseEvent::kLeftDown;
      break;
    case Command::kSetLowerRight:
      event = MouseEvent::kRightDown;
      break;
    case Command::kReleaseLeft:
      event = MouseEvent::kLeftUp;
      break;
    case Command::kReleaseRight:
      event = MouseEvent::kRightUp;
      break;
    default:
      event = MouseEvent::kMove;
      break;
  }
  // While a motion plays or is paused, presses and moves do nothing; a release still lets its
  // button go.
  const bool release = event == MouseEvent::kLeftUp || event == MouseEvent::kRightUp;
  if (e.playback.active() && !release) return;
  const bool press = event == MouseEvent::kLeftDown || event == MouseEvent::kRightDown;
  // The key help covers the boxes: a press only hides it, as a key does, and a move under it
  // edits nothing.
  if (e.keyHelp && !release) {
    e.keyHelp = e.keyHelp && !press;
    return;
  }
  if (press) EndEntry(e);
  const int32_t p = e.state.currentPattern;
  const std::optional<PatternRecord> before =
      IsSlot(p) ? std::optional(e.list.patterns[p]) : std::nullopt;
  HandleMouse(e.state, e.list, event, MouseColumn(m.lParam), MouseRow(m.lParam));
  if (before) {
    KeepDefenseWidths(*before, e.list.patterns[p]);
    const bool held = e.state.leftButtonDown == 1 || e.state.rightButtonDown == 1;
    e.history.Record(p, *before, e.list.patterns[p],
                     press  ? EditHistory::Join::kPress
                     : held ? EditHistory::Join::kDrag
                            : EditHistory::Join::kNewStep);
  }
  if (release) e.history.EndDrag();
}

}  // namespace

// Every message of the table is handled here and answered 1; anything else goes to the
// platform's default handling.
intptr_t EditorWindowProc(Editor& e, const Message& m) {
  e.shownFrame.current = false;  // whatever the message did shows in the next frame
  switch (m.message) {
    case msg::kDestroy:
      e.platform.PostQuitMessage(0);
      return 1;
    case msg::kClose:
      Shutdown(e);
      return 1;
    case msg::kKeyDown:
      Key(e, m);
      return 1;
    case msg::kMouseMove:
    case msg::kLButtonDown:
    case msg::kLButtonUp:
    case msg::kRButtonDown:
    case msg::kRButtonUp:
      Mouse(e, m);
      return 1;
    default:
      return e.platform.DefWindowProc(m);
  }
}

}  // namespace boxedit
