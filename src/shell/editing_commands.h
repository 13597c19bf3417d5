// The editing commands: what each key press and mouse message does to the editor's state and
// to the pattern table.
#pragma once

#include <cstdint>

#include "chardata/pattern_table.h"

namespace boxedit {

struct EditorState {
  int32_t currentPattern = 0;  // the slot shown and edited
  int32_t selectedBox = 0;     // group = / 4 (0 defense, 1 attack), box = % 4; 0, 1 or 4
  int32_t leftButtonDown = 0;
  int32_t rightButtonDown = 0;
};

// What the commands need from the editor around them: the close request and the two saves.
class EditorActions {
 public:
  virtual ~EditorActions() = default;
  virtual void PostClose() = 0;
  virtual void SaveS() = 0;
  virtual void SaveL() = 0;
};

enum class MouseEvent { kMove, kLeftDown, kLeftUp, kRightDown, kRightUp };

// value below low gives low, else above high gives high; low is tested first.
int32_t Clamp(int32_t value, int32_t low, int32_t high);

// Orders the corners of defense box k and attack box k of a pattern, (x1, y1) giving way.
void ConstrainBoxPair(MotionList& list, int32_t pattern, int32_t k);

// The non-empty pattern before `current` as Up finds it; `current` itself when there is none.
int32_t PreviousPattern(const MotionList& list, int32_t current);

void HandleKey(EditorState& state, MotionList& list, EditorActions& actions, uint32_t keyCode);
void HandleMouse(EditorState& state, MotionList& list, MouseEvent event, uint16_t column,
                 uint16_t row);

}  // namespace boxedit
