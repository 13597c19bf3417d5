#include "shell/editing_commands.h"

#include <algorithm>

#include "base/screen_layout.h"
#include "platform/messages.h"

namespace boxedit {
namespace {

constexpr int32_t kLastSlot = kPatternCount - 1;
constexpr uint32_t kKeyC = 'C';
constexpr uint32_t kKeyL = 'L';
constexpr uint32_t kKeyS = 'S';

bool IsSlot(int32_t pattern) {
  return pattern >= 0 && pattern <= kLastSlot;
}

// Slots outside the table count as empty, so a stray index walks back into it instead of
// reading past its ends.
bool IsEmptySlot(const MotionList& list, int32_t pattern) {
  return !IsSlot(pattern) || list.patterns[pattern].IsEmpty();
}

// The box that `selectedBox` names in record `pattern`: group selectedBox / 4 (0 defense,
// 1 attack), box selectedBox % 4. Null when either index lies outside the table.
Box* SelectedBox(MotionList& list, int32_t pattern, int32_t selectedBox) {
  if (!IsSlot(pattern) || selectedBox < 0 || selectedBox >= 2 * kBoxesPerGroup) {
    return nullptr;
  }
  PatternRecord& record = list.patterns[pattern];
  const int32_t box = selectedBox % kBoxesPerGroup;
  return selectedBox / kBoxesPerGroup == 0 ? &record.defense[box] : &record.attack[box];
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

}  // namespace

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

void HandleKey(EditorState& state, MotionList& list, EditorActions& actions, uint32_t keyCode) {
  // Every box this key touches belongs to the pattern shown when it arrived, even after a step.
  const int32_t p = state.currentPattern;

  if (keyCode == vk::kEscape) actions.PostClose();

  // A lastPattern outside the table would let navigation leave it; keep the bound inside.
  const int32_t last = Clamp(list.lastPattern, 0, kLastSlot);
  if (keyCode == vk::kUp) {
    state.currentPattern = StepUp(list, state.currentPattern);
  } else if (keyCode == vk::kDown) {
    state.currentPattern = StepDown(list, state.currentPattern, last);
  }
  state.currentPattern = Clamp(state.currentPattern, 0, last);

  if (keyCode == vk::kF1) {
    state.selectedBox = 0;
  } else if (keyCode == vk::kF2) {
    state.selectedBox = 1;
  } else if (keyCode == vk::kF5) {
    state.selectedBox = 4;
  }

  ConstrainBoxPair(list, p, state.selectedBox % kBoxesPerGroup);

  switch (keyCode) {
    case vk::kEnd:
    case vk::kHome:
      if (IsSlot(p)) list.patterns[p].attack.fill(Box{});
      break;
    case vk::kLeft:
    case vk::kRight:
      if (Box* box = SelectedBox(list, p, state.selectedBox)) *box = Box{};
      break;
    case kKeyC:
      if (IsSlot(p)) list.patterns[p].defense[1] = list.patterns[p].attack[0];
      break;
    case kKeyS:
      actions.SaveS();
      break;
    case kKeyL:
      actions.SaveL();
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
