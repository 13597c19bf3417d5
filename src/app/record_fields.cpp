#include "app/record_fields.h"

namespace boxedit {

using R = const PatternRecord&;

// A field's name with a getter and a setter; the setter takes a value already checked to fit.
#define BOXEDIT_ATTRIBUTE(name, member)                                              \
  {                                                                                  \
    name, [](R r) -> int64_t { return r.member; }, [](PatternRecord& r, int64_t v) { \
      r.member = static_cast<decltype(PatternRecord::member)>(v);                    \
    }                                                                                \
  }

const std::array<NamedAttribute, 17> kNamedAttributes{{
    BOXEDIT_ATTRIBUTE("to", to),
    BOXEDIT_ATTRIBUTE("speed", speed),
    BOXEDIT_ATTRIBUTE("picture", picture),
    BOXEDIT_ATTRIBUTE("depth", depth),
    BOXEDIT_ATTRIBUTE("circo", circo),
    BOXEDIT_ATTRIBUTE("voice", voice),
    BOXEDIT_ATTRIBUTE("vx", vx),
    BOXEDIT_ATTRIBUTE("rx", rx),
    BOXEDIT_ATTRIBUTE("vy", vy),
    BOXEDIT_ATTRIBUTE("ry", ry),
    BOXEDIT_ATTRIBUTE("extra", extra),
    BOXEDIT_ATTRIBUTE("clash", clash),
    BOXEDIT_ATTRIBUTE("guard", guard),
    BOXEDIT_ATTRIBUTE("damage", damage),
    BOXEDIT_ATTRIBUTE("hit_to", hitTo),
    BOXEDIT_ATTRIBUTE("hit_i", hitI),
    BOXEDIT_ATTRIBUTE("flags", flags),
}};

#undef BOXEDIT_ATTRIBUTE

const std::array<NamedBox, 3> kNamedBoxes{{
    {"defense", 0, &PatternRecord::defense},
    {"defense", 1, &PatternRecord::defense},
    {"attack", 0, &PatternRecord::attack},
}};

const std::array<NamedCoordinate, 4> kNamedCoordinates{{
    {"x1", &Box::x1},
    {"y1", &Box::y1},
    {"x2", &Box::x2},
    {"y2", &Box::y2},
}};

}  // namespace boxedit
