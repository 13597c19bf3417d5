#include "shell/editing_commands.h"

#include <algorithm>
#include <array>

#include "base/screen_layout.h"
#include "platform/messages.h"
#include "shell/command_table.h"

namespace boxedit {
namespace {

constexpr int32_t kLastSlot = kPatternCount - 1;

bool IsSlot(int32_t pattern) {
  return pattern >= 0 && pattern <= kLastSlot;
}

// Slots outside the table count as empty, so a stray index walks back into it instead of
// reading past its ends.
bool IsEmptySlot(const MotionList& list, int32_t pattern) {
  return !IsSlot(pattern) || list.patterns[pattern].IsEmpty();
}

// Up: back to the previous non-empty slot, stopping at 0.
int32_t StepUp(const MotionList& list, int32_t current) {
  if (current <= 0) return current;
  // Everything beyond the table is empty, so start the walk just past its end.
  current = std::min(current, kPatternCount);
  do {
    --current;
  } while (current > 0 && IsEmptySlot(list, current));
  return current;
}

// Down: on to the next non-empty slot, stopping at `last`.
int32_t StepDown(const MotionList& list, int32_t current, int32_t last) {
  if (current >= last) return current;
  current = std::max(current, -1);
  do {
    ++current;
  } while (current < last && IsEmptySlot(list, current));
  return current;
}

// The character a key of the entry types: a digit of either row, or minus.
char EntryCharacter(uint32_t keyCode) {
  if (keyCode >= vk::kNumpad0 && keyCode <= vk::kNumpad0 + 9) {
    return static_cast<char>('0' + (keyCode - vk::kNumpad0));
  }
  if (keyCode >= '0' && keyCode <= '9') return static_cast<char>(keyCode);
  return '-';
}

// Page Up and Page Down on the field at the cursor; a corner then orders its box pair.
void StepValue(MotionList& list, int32_t p, int32_t selectedBox, Field field, int32_t delta) {
  if (!IsCoordinate(field)) {
    PatternRecord& record = list.patterns[p];
    if (auto value = SteppedValue(field, AttributeValue(record, field), delta)) {
      SetAttribute(record, field, *value);
    }
    return;
  }
  Box* box = SelectedBox(list, p, selectedBox);
  if (box == nullptr) return;
  if (auto value = SteppedValue(field, CoordinateOf(*box, field), delta)) {
    CoordinateOf(*box, field) = *value;
    ConstrainBoxPair(list, p, selectedBox % kBoxesPerGroup);
  }
}

// Moves both corners of the selected box by `amount` along one axis (up: y rises), no further
// than keeps the box within the corners' ranges with its size; never backwards for a box the
// file put beyond them. Defense box 0 moves only up and down.
void Nudge(MotionList& list, int32_t p, int32_t selectedBox, bool vertical, int32_t amount) {
  Box* box = SelectedBox(list, p, selectedBox);
  if (box == nullptr || (selectedBox == 0 && !vertical)) return;
  int32_t& a = vertical ? box->y1 : box->x1;
  int32_t& b = vertical ? box->y2 : box->x2;
  const FieldRange& range = RangeOf(vertical ? Field::kY1 : Field::kX1);
  const int32_t roomBelow = std::min(0, range.low - std::min(a, b));
  const int32_t roomAbove = std::max(0, range.high - std::max(a, b));
  const int32_t d = Clamp(amount, roomBelow, roomAbove);
  a += d;
  b += d;
}

}  // namespace

Box* SelectedBox(MotionList& list, int32_t pattern, int32_t selectedBox) {
  if (!IsSlot(pattern) || selectedBox < 0 || selectedBox >= 2 * kBoxesPerGroup) {
    return nullptr;
  }
  PatternRecord& record = list.patterns[pattern];
  const int32_t box = selectedBox % kBoxesPerGroup;
  return selectedBox / kBoxesPerGroup == 0 ? &record.defense[box] : &record.attack[box];
}

int32_t PreviousPattern(const MotionList& list, int32_t current) {
  const int32_t previous = StepUp(list, current);
  return IsEmptySlot(list, previous) ? current : previous;
}

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

void ConstrainBoxPair(MotionList& list, int32_t pattern, int32_t k) {
  if (!IsSlot(pattern) || k < 0 || k >= kBoxesPerGroup) return;
  Box& d = list.patterns[pattern].defense[k];
  Box& a = list.patterns[pattern].attack[k];
  // The (x1, y1) corners go first, so they are the ones that give way when corners cross.
  d.x1 = Clamp(d.x1, -320, d.x2);
  d.y1 = Clamp(d.y1, d.y2, 239);
  a.x1 = Clamp(a.x1, -320, a.x2);
  a.y1 = Clamp(a.y1, a.y2, 239);
  d.x2 = Clamp(d.x2, d.x1, 319);
  d.y2 = Clamp(d.y2, 0, d.y1);
  a.x2 = Clamp(a.x2, a.x1, 319);
  a.y2 = Clamp(a.y2, 0, a.y1);
}

std::optional<Field> NextField(std::optional<Field> at, int32_t selectedBox, bool back) {
  // The attributes, then the selected box's corners: defense box 0's x values are not the
  // user's, and a selection outside the table has no corners to visit.
  constexpr Field kLastAttribute = Field::kFlags;
  std::array<Field, kFieldCount> order{};
  size_t count = 0;
  for (int f = 0; f <= static_cast<int>(kLastAttribute); ++f) order[count++] = Field(f);
  if (selectedBox == 0) {
    order[count++] = Field::kY1, order[count++] = Field::kY2;
  } else if (selectedBox > 0 && selectedBox < 2 * kBoxesPerGroup) {
    for (Field f : {Field::kX1, Field::kY1, Field::kX2, Field::kY2}) order[count++] = f;
  }
  if (!at) return order[back ? count - 1 : 0];
  const auto it = std::find(order.begin(), order.begin() + count, *at);
  const auto i = static_cast<size_t>(it - order.begin());
  if (i == count) return order[0];  // a field the selection no longer has
  if (back) return i == 0 ? std::nullopt : std::optional(order[i - 1]);
  return i + 1 == count ? std::nullopt : std::optional(order[i + 1]);
}

bool EndsEntry(uint32_t keyCode, HeldKeys held) {
  if (HeldBitOf(keyCode) != 0) return false;
  const CommandEntry* c = FindCommand(msg::kKeyDown, keyCode, held);
  if (c == nullptr) return true;
  return c->command != Command::kTypeCharacter && c->command != Command::kTakeBack &&
         c->command != Command::kClose;
}

void CommitEntry(EditorState& state, MotionList& list, EditorActions& actions) {
  if (!state.entry || !state.cursor) return;
  const std::string text = *state.entry;
  state.entry.reset();
  const Field field = *state.cursor;
  const int32_t p = state.currentPattern;
  if (text.empty() || IsEmptySlot(list, p)) return;
  const std::optional<int32_t> value = ParseEntry(field, text);
  if (!value) {
    actions.Say(RangeMessage(field));
    return;
  }
  if (!IsCoordinate(field)) {
    SetAttribute(list.patterns[p], field, *value);
  } else if (Box* box = SelectedBox(list, p, state.selectedBox)) {
    CoordinateOf(*box, field) = *value;
    ConstrainBoxPair(list, p, state.selectedBox % kBoxesPerGroup);
  }
}

void HandleKey(EditorState& state, MotionList& list, EditorActions& actions, uint32_t keyCode,
               HeldKeys held) {
  if (state.entry && EndsEntry(keyCode, held)) CommitEntry(state, list, actions);
  const CommandEntry* entry = FindCommand(msg::kKeyDown, keyCode, held);
  const Command command = entry ? entry->command : Command::kNone;
  const int32_t amount = entry ? entry->amount : 0;
  // Every box this key touches belongs to the pattern shown when it arrived, even after a step.
  const int32_t p = state.currentPattern;

  // A lastPattern outside the table would let navigation leave it; keep the bound inside.
  const int32_t last = Clamp(list.lastPattern, 0, kLastSlot);
  if (command == Command::kPreviousPattern) {
    state.currentPattern = StepUp(list, state.currentPattern);
  } else if (command == Command::kNextPattern) {
    state.currentPattern = StepDown(list, state.currentPattern, last);
  }
  state.currentPattern = Clamp(state.currentPattern, 0, last);

  if (command == Command::kSelectDefense0 || command == Command::kSelectDefense1 ||
      command == Command::kSelectAttack0) {
    state.selectedBox = command == Command::kSelectDefense0   ? 0
                        : command == Command::kSelectDefense1 ? 1
                                                              : 4;
    // The cursor stays on the same corner of the new box; defense box 0 has no x to stand on.
    if (state.selectedBox == 0 && state.cursor == Field::kX1) state.cursor = Field::kY1;
    if (state.selectedBox == 0 && state.cursor == Field::kX2) state.cursor = Field::kY2;
  }

  // Every key orders the corners of the pair selected after it; but F9, which edits nothing: its
  // ordering would be an edit that no undo step holds, and would make it ask before reloading.
  if (command != Command::kReload) ConstrainBoxPair(list, p, state.selectedBox % kBoxesPerGroup);

  // The keyboard's edits of a field or a box: none in an empty slot, which the saves skip.
  const bool editable = !IsEmptySlot(list, p);
  auto refuse = [&] {
    actions.Say("pattern " + std::to_string(p) + " is empty and takes no edits");
  };

  switch (command) {
    case Command::kClearAttackBoxes:
      if (IsSlot(p)) list.patterns[p].attack.fill(Box{});
      break;
    case Command::kClearBox:
      if (Box* box = SelectedBox(list, p, state.selectedBox)) *box = Box{};
      break;
    case Command::kCopyAttackToDefense1:
      if (IsSlot(p)) list.patterns[p].defense[1] = list.patterns[p].attack[0];
      break;
    case Command::kCopyBoxes:
      if (IsSlot(p)) actions.CopyBoxes(p);
      break;
    case Command::kPasteBoxes:
      if (IsSlot(p)) actions.PasteBoxes(p);
      break;
    case Command::kPlay:
      if (IsSlot(p)) actions.Play(p);
      break;
    case Command::kOnionSkin:
      actions.ToggleOnionSkin();
      break;
    case Command::kKeyHelp:
      actions.ShowKeyHelp();
      break;
    case Command::kReload:
      actions.Reload();
      break;
    case Command::kSave:
      amount == 0 ? actions.SaveS() : actions.SaveL();
      break;
    case Command::kClose:
      // Esc takes back a value being typed; only without one does it close the editor.
      if (state.entry) {
        state.entry.reset();
      } else {
        actions.PostClose();
      }
      break;
    case Command::kNextField:
    case Command::kPreviousField:
      state.cursor = NextField(state.cursor, state.selectedBox, command == Command::kPreviousField);
      break;
    case Command::kTypeCharacter:
      if (!state.cursor) break;
      if (!editable) {
        refuse();
      } else if (!state.entry) {
        state.entry = std::string(1, EntryCharacter(keyCode));
      } else if (state.entry->size() < kMaxEntryChars) {
        *state.entry += EntryCharacter(keyCode);
      }
      break;
    case Command::kTakeBack:
      if (state.entry && !state.entry->empty()) state.entry->pop_back();
      break;
    case Command::kStepValue:
      if (!state.cursor) break;
      if (!editable) {
        refuse();
      } else {
        StepValue(list, p, state.selectedBox, *state.cursor, amount);
      }
      break;
    case Command::kNudgeX:
    case Command::kNudgeY:
      if (!editable) {
        refuse();
      } else {
        Nudge(list, p, state.selectedBox, command == Command::kNudgeY, amount);
      }
      break;
    default:
      break;
  }
}

void HandleMouse(EditorState& state, MotionList& list, MouseEvent event, uint16_t column,
                 uint16_t row) {
  switch (event) {
    case MouseEvent::kLeftUp:
      state.leftButtonDown = 0;
      return;
    case MouseEvent::kRightUp:
      state.rightButtonDown = 0;
      return;
    case MouseEvent::kLeftDown:
      state.leftButtonDown = 1;
      break;
    case MouseEvent::kRightDown:
      state.rightButtonDown = 1;
      break;
    case MouseEvent::kMove:
      break;
  }

  // Screen pixel to view coordinates, pulled onto the 320x240 view.
  const int32_t x = Clamp(column, kViewFirstColumn, kViewLastColumn) - kViewOriginX;
  const int32_t y = kViewOriginY - Clamp(row, kViewFirstRow, kViewLastRow);

  Box* box = SelectedBox(list, state.currentPattern, state.selectedBox);
  if (box == nullptr) return;
  if (state.leftButtonDown == 1) {
    box->x1 = x;
    box->y1 = y;
  } else if (state.rightButtonDown == 1) {
    box->x2 = x;
    box->y2 = y;
  } else {
    return;
  }
  ConstrainBoxPair(list, state.currentPattern, state.selectedBox % kBoxesPerGroup);
}

}  // namespace boxedit
