// The editing commands: what each key press and mouse message does to the editor's state and
// to the pattern table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chardata/field_ranges.h"
#include "chardata/pattern_table.h"
#include "platform/messages.h"

namespace boxedit {

struct EditorState {
  int32_t currentPattern = 0;  // the slot shown and edited
  int32_t selectedBox = 0;     // group = / 4 (0 defense, 1 attack), box = % 4; 0, 1 or 4
  int32_t leftButtonDown = 0;
  int32_t rightButtonDown = 0;
  std::optional<Field> cursor;       // the field cursor; none while hidden
  std::optional<std::string> entry;  // the value being typed at the cursor
};

inline constexpr size_t kMaxEntryChars = 5;

// What the commands need from the editor around them: the close request, the saves, the status
// line, and the commands that work on more than the pattern table.
class EditorActions {
 public:
  virtual ~EditorActions() = default;
  virtual void PostClose() = 0;
  virtual void SaveS() = 0;
  virtual void SaveL() = 0;
  virtual void Say(std::string_view /*message*/) {}
  virtual void CopyBoxes(int32_t /*pattern*/) {}
  virtual void PasteBoxes(int32_t /*pattern*/) {}
  virtual void Play(int32_t /*pattern*/) {}
  virtual void ToggleOnionSkin() {}
  virtual void ShowKeyHelp() {}
  virtual void Reload() {}
};

enum class MouseEvent { kMove, kLeftDown, kLeftUp, kRightDown, kRightUp };

// value below low gives low, else above high gives high; low is tested first.
int32_t Clamp(int32_t value, int32_t low, int32_t high);

// Orders the corners of defense box k and attack box k of a pattern, (x1, y1) giving way.
void ConstrainBoxPair(MotionList& list, int32_t pattern, int32_t k);

// The non-empty pattern before `current` as Up finds it; `current` itself when there is none.
int32_t PreviousPattern(const MotionList& list, int32_t current);

// The box that `selectedBox` names in record `pattern`: group selectedBox / 4 (0 defense,
// 1 attack), box selectedBox % 4. Null when either index lies outside the table.
Box* SelectedBox(MotionList& list, int32_t pattern, int32_t selectedBox);

// The field the cursor goes to from `at` (none: hidden) with Tab (back: Shift+Tab) while
// `selectedBox` is selected; none when it leaves the last or the first field.
std::optional<Field> NextField(std::optional<Field> at, int32_t selectedBox, bool back);

// Whether a key-down ends the value being typed before it does what it does: every key but the
// modifiers and the keys of the entry itself (digits, minus, Backspace, Esc).
bool EndsEntry(uint32_t keyCode, HeldKeys held);
// Ends the value being typed: sets the field of the current pattern to it, or, when it is not
// a value of the field, says the field's range and changes nothing.
void CommitEntry(EditorState& state, MotionList& list, EditorActions& actions);

// Runs the command of the key pressed with the modifiers held (command_table.h). Every key first
// ends a value being typed (see EndsEntry), then orders the corners of the selected box pair.
void HandleKey(EditorState& state, MotionList& list, EditorActions& actions, uint32_t keyCode,
               HeldKeys held = 0);
void HandleMouse(EditorState& state, MotionList& list, MouseEvent event, uint16_t column,
                 uint16_t row);

}  // namespace boxedit
