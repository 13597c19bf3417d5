#include "shell/edit_history.h"

#include <algorithm>

namespace boxedit {

SlotBoxes BoxesOf(const PatternRecord& record) {
  return {record.defense, record.attack};
}

bool SameEdits(const PatternRecord& a, const PatternRecord& b) {
  PatternRecord widthsAside = b;
  widthsAside.defense[0].x1 = a.defense[0].x1;
  widthsAside.defense[0].x2 = a.defense[0].x2;
  return a == widthsAside;
}

void PutRecord(MotionList& list, int32_t slot, const PatternRecord& record) {
  PatternRecord& target = list.patterns[slot];
  const Box widths = target.defense[0];
  target = record;
  target.defense[0].x1 = widths.x1;
  target.defense[0].x2 = widths.x2;
}

void EditHistory::Record(int32_t slot, const PatternRecord& before, const PatternRecord& after,
                         Join join) {
  EditStep step{slot, before, after};
  if (pending_) {
    // The ordering of a modifier key and the command after it are one step.
    if (pending_->slot == slot) {
      step.before = pending_->before;
    } else {
      Push(*pending_);
    }
    pending_.reset();
  }
  switch (join) {
    case Join::kModifier:
      if (!SameEdits(step.before, step.after)) pending_ = step;
      return;
    case Join::kNewStep:
      if (!SameEdits(step.before, step.after)) Push(step);
      return;
    case Join::kPress:
      EndDrag();
      drag_ = step;
      break;
    case Join::kDrag:
      if (drag_ && drag_->slot == slot) {
        drag_->after = step.after;
      } else {
        EndDrag();
        drag_ = step;
      }
      break;
  }
  // The step of a press and its drag stands in the history while it changes something.
  const bool changed = !SameEdits(drag_->before, drag_->after);
  if (dragPushed_ && changed) {
    steps_[done_ - 1] = *drag_;
  } else if (dragPushed_) {
    steps_.pop_back();
    --done_;
    dragPushed_ = false;
  } else if (changed) {
    Push(*drag_);
    dragPushed_ = true;
  }
}

void EditHistory::EndDrag() {
  drag_.reset();
  dragPushed_ = false;
}

void EditHistory::Push(const EditStep& step) {
  steps_.resize(done_);
  steps_.push_back(step);
  done_ = steps_.size();
}

void EditHistory::DropPending(MotionList& list) {
  if (!pending_) return;
  PutRecord(list, pending_->slot, pending_->before);
  pending_.reset();
}

std::optional<int32_t> EditHistory::Undo(MotionList& list) {
  EndDrag();
  DropPending(list);
  if (done_ == 0) return std::nullopt;
  const EditStep& step = steps_[--done_];
  PutRecord(list, step.slot, step.before);
  return step.slot;
}

std::optional<int32_t> EditHistory::Redo(MotionList& list) {
  EndDrag();
  DropPending(list);
  if (done_ == steps_.size()) return std::nullopt;
  const EditStep& step = steps_[done_++];
  PutRecord(list, step.slot, step.after);
  return step.slot;
}

}  // namespace boxedit
