// Undo and redo: the changes the editing commands make to the pattern table, one step a command.
// A command changes one slot only (the pattern current when it arrives), so a step is that
// slot's record before and after it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "chardata/pattern_table.h"

namespace boxedit {

// The boxes of one slot, as Ctrl+C copies them.
struct SlotBoxes {
  std::array<Box, kBoxesPerGroup> defense{};
  std::array<Box, kBoxesPerGroup> attack{};
};

SlotBoxes BoxesOf(const PatternRecord& record);
// Equal as the user sees them: defense box 0's x values, which every frame resets, aside.
bool SameEdits(const PatternRecord& a, const PatternRecord& b);

// Puts `record` into the slot, but for defense box 0's x values, which no edit and no undo
// sets: only the frame does.
void PutRecord(MotionList& list, int32_t slot, const PatternRecord& record);

struct EditStep {
  int32_t slot = 0;
  PatternRecord before, after;
};

class EditHistory {
 public:
  // How a change joins the history.
  enum class Join {
    kNewStep,   // a command of its own (a key)
    kPress,     // a mouse press: starts a step that the drag after it extends
    kDrag,      // a mouse message while a button is held: extends the press's step, or
                // starts one when a key has ended it
    kModifier,  // the corner ordering of a Shift or Ctrl key-down: joins the next command
  };

  // Records that a command took `slot` from `before` to `after`. A change that changes nothing
  // makes no step; a new step drops the steps that were undone.
  void Record(int32_t slot, const PatternRecord& before, const PatternRecord& after, Join join);
  // Ends the step of a press and its drag (at the release, or at a key).
  void EndDrag();

  // Puts the last step's slot back as it was before it and returns the slot; none when there is
  // nothing to undo. A modifier's ordering still waiting for its command is taken back either
  // way, so that Ctrl+Z never leaves the ordering of its own Ctrl key-down behind.
  std::optional<int32_t> Undo(MotionList& list);
  // Applies the step undone last again and returns its slot; none when there is none.
  std::optional<int32_t> Redo(MotionList& list);

  size_t steps() const { return steps_.size(); }
  size_t done() const { return done_; }

 private:
  // Takes back a modifier's ordering that no command has joined.
  void DropPending(MotionList& list);
  void Push(const EditStep& step);

  std::vector<EditStep> steps_;
  size_t done_ = 0;  // steps_[0, done_) are applied; the rest were undone and can be redone
  std::optional<EditStep> pending_;  // a modifier's ordering, waiting for the next command
  std::optional<EditStep> drag_;     // the press and drag going on
  bool dragPushed_ = false;          // drag_ is the last step of the history
};

}  // namespace boxedit
