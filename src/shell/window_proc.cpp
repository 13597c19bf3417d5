#include "motion/pattern_names.h"
#include "shell/editor.h"

namespace boxedit {

namespace {

constexpr uint32_t kKeyC = 'C';
constexpr uint32_t kKeyH = 'H';
constexpr uint32_t kKeyO = 'O';
constexpr uint32_t kKeyP = 'P';
constexpr uint32_t kKeyV = 'V';
constexpr uint32_t kKeyY = 'Y';
constexpr uint32_t kKeyZ = 'Z';

bool IsSlot(int32_t pattern) {
  return pattern >= 0 && pattern < kPatternCount;
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

// Ctrl+C and Ctrl+V: the three boxes the editor edits, from one pattern to another.
void CopyOrPaste(Editor& e, int32_t p, bool paste) {
  PatternRecord& record = e.list.patterns[p];
  if (!paste) {
    e.copiedBoxes = BoxesOf(record);
    e.status.Show("boxes of pattern " + std::to_string(p) + " copied");
  } else if (!e.copiedBoxes) {
    e.status.Show("nothing to paste: ctrl+c copies the boxes of a pattern");
  } else {
    record.defense[0] = e.copiedBoxes->defense[0];
    record.defense[1] = e.copiedBoxes->defense[1];
    record.attack[0] = e.copiedBoxes->attack[0];
  }
}

void StartPlayback(Editor& e, int32_t p) {
  const int32_t motion = Motion(p);
  if (!e.playback.Start(e.list, motion)) {
    e.status.Show("nothing to play: slot " + std::to_string(motion * kPatternsPerMotion) +
                  ", the first of " + MotionName(motion) + ", is empty");
    return;
  }
  e.state.currentPattern = e.playback.slot();
}

void Key(Editor& e, const Message& m) {
  const auto key = static_cast<uint32_t>(m.wParam);
  // The key help and the playback each end at the next key, which does nothing else.
  if (e.keyHelp || e.playback.playing()) {
    e.keyHelp = false;
    e.playback.Stop();
    return;
  }
  e.history.EndDrag();
  const bool ctrl = (m.held & kHeldControl) != 0;
  const bool shift = (m.held & kHeldShift) != 0;
  if (ctrl && (key == kKeyZ || key == kKeyY)) {
    UndoOrRedo(e, key == kKeyY || shift);  // restores exactly: no corner ordering
    return;
  }
  // Every box a key touches belongs to the pattern shown when it arrived.
  const int32_t p = e.state.currentPattern;
  if (!IsSlot(p)) {
    HandleKey(e.state, e.list, e.actions, key);
    return;
  }
  const SlotBoxes before = BoxesOf(e.list.patterns[p]);
  if (ctrl && (key == kKeyC || key == kKeyV)) {
    ConstrainBoxPair(e.list, p, e.state.selectedBox % kBoxesPerGroup);
    CopyOrPaste(e, p, key == kKeyV);
  } else {
    HandleKey(e.state, e.list, e.actions, key);
    if (key == kKeyP) {
      StartPlayback(e, p);
    } else if (key == kKeyO) {
      e.onionSkin = !e.onionSkin;
    } else if (key == vk::kF12 || key == kKeyH) {
      e.keyHelp = true;
    }
  }
  // The ordering that a Shift or Ctrl key-down makes joins the command that comes with it.
  const bool modifier = key == vk::kShift || key == vk::kControl;
  e.history.Record(p, before, BoxesOf(e.list.patterns[p]),
                   modifier ? EditHistory::Join::kModifier : EditHistory::Join::kNewStep);
}

void Mouse(Editor& e, MouseEvent event, const Message& m) {
  // While a motion plays, presses and moves do nothing; a release still lets its button go.
  const bool release = event == MouseEvent::kLeftUp || event == MouseEvent::kRightUp;
  if (e.playback.playing() && !release) return;
  const int32_t p = e.state.currentPattern;
  const std::optional<SlotBoxes> before =
      IsSlot(p) ? std::optional(BoxesOf(e.list.patterns[p])) : std::nullopt;
  HandleMouse(e.state, e.list, event, MouseColumn(m.lParam), MouseRow(m.lParam));
  if (before) {
    const bool press = event == MouseEvent::kLeftDown || event == MouseEvent::kRightDown;
    const bool held = e.state.leftButtonDown == 1 || e.state.rightButtonDown == 1;
    e.history.Record(p, *before, BoxesOf(e.list.patterns[p]),
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
      Mouse(e, MouseEvent::kMove, m);
      return 1;
    case msg::kLButtonDown:
      Mouse(e, MouseEvent::kLeftDown, m);
      return 1;
    case msg::kLButtonUp:
      Mouse(e, MouseEvent::kLeftUp, m);
      return 1;
    case msg::kRButtonDown:
      Mouse(e, MouseEvent::kRightDown, m);
      return 1;
    case msg::kRButtonUp:
      Mouse(e, MouseEvent::kRightUp, m);
      return 1;
    default:
      return e.platform.DefWindowProc(m);
  }
}

}  // namespace boxedit
