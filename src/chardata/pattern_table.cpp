#include "chardata/pattern_table.h"

namespace boxedit {

void MotionList::ResetSlots() {
  for (PatternRecord& p : patterns) {
    p.picture = -1;
    p.defense.fill(Box{});
    p.attack.fill(Box{});
  }
}

}  // namespace boxedit
