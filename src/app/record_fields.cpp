#include "app/record_fields.h"

namespace boxedit {

using R = const PatternRecord&;

const std::array<NamedAttribute, 17> kNamedAttributes{{
    {"to", [](R r) -> int64_t { return r.to; }},
    {"speed", [](R r) -> int64_t { return r.speed; }},
    {"picture", [](R r) -> int64_t { return r.picture; }},
    {"depth", [](R r) -> int64_t { return r.depth; }},
    {"circo", [](R r) -> int64_t { return r.circo; }},
    {"voice", [](R r) -> int64_t { return r.voice; }},
    {"vx", [](R r) -> int64_t { return r.vx; }},
    {"rx", [](R r) -> int64_t { return r.rx; }},
    {"vy", [](R r) -> int64_t { return r.vy; }},
    {"ry", [](R r) -> int64_t { return r.ry; }},
    {"extra", [](R r) -> int64_t { return r.extra; }},
    {"clash", [](R r) -> int64_t { return r.clash; }},
    {"guard", [](R r) -> int64_t { return r.guard; }},
    {"damage", [](R r) -> int64_t { return r.damage; }},
    {"hit_to", [](R r) -> int64_t { return r.hitTo; }},
    {"hit_i", [](R r) -> int64_t { return r.hitI; }},
    {"flags", [](R r) -> int64_t { return r.flags; }},
}};

const std::array<NamedBox, 3> kNamedBoxes{{
    {"defense", 0, [](R r) -> const Box& { return r.defense[0]; }},
    {"defense", 1, [](R r) -> const Box& { return r.defense[1]; }},
    {"attack", 0, [](R r) -> const Box& { return r.attack[0]; }},
}};

const std::array<NamedCoordinate, 4> kNamedCoordinates{{
    {"x1", &Box::x1},
    {"y1", &Box::y1},
    {"x2", &Box::x2},
    {"y2", &Box::y2},
}};

}  // namespace boxedit
