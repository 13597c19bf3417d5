#include "chardata/field_ranges.h"

#include <algorithm>
#include <array>

namespace boxedit {
namespace {

constexpr std::array<int32_t, 5> kGuardCodes = {0, 1, 2, 3, 9};
constexpr std::array<int32_t, 4> kClashCodes = {-1, 0, 1, 8};
constexpr int32_t kWide = 999;  // three digits and a sign: what the panels show whole

constexpr std::array<FieldRange, kFieldCount> kRanges{{
    {"TO", -1, kPatternCount - 1, {}},
    {"SPEED", -kWide, kWide, {}},
    {"PICTU", 0, 255, {}},
    {"DEPTH", -kWide, kWide, {}},
    {"CIRCO", -kWide, kWide, {}},
    {"VOICE", 0, 9, {}},
    {"VX", -kWide, kWide, {}},
    {"RX", -kWide, kWide, {}},
    {"VY", -kWide, kWide, {}},
    {"RY", -kWide, kWide, {}},
    {"CLASH", -1, 8, kClashCodes},
    {"GUARD", 0, 9, kGuardCodes},
    {"DAMEG", -kWide, kWide, {}},
    {"HITTO", -1, kPatternCount - 1, {}},
    {"HIT-I", -kWide, kWide, {}},
    {"FLAG", 0, 15, {}},
    {"X1", -255, 255, {}},
    {"Y1", 0, 239, {}},
    {"X2", -255, 255, {}},
    {"Y2", 0, 239, {}},
}};

}  // namespace

const FieldRange& RangeOf(Field field) {
  return kRanges[static_cast<size_t>(field)];
}

bool InRange(Field field, int32_t value) {
  const FieldRange& r = RangeOf(field);
  if (!r.codes.empty()) return std::find(r.codes.begin(), r.codes.end(), value) != r.codes.end();
  return value >= r.low && value <= r.high;
}

std::string RangeMessage(Field field) {
  return std::string(RangeOf(field).label) + " TAKES " + RangeText(field);
}

std::string RangeText(Field field) {
  const FieldRange& r = RangeOf(field);
  std::string text;
  if (field == Field::kFlags) return "0000 TO 1111";
  if (r.codes.empty()) return std::to_string(r.low) + " TO " + std::to_string(r.high);
  for (size_t i = 0; i < r.codes.size(); ++i) {
    if (i > 0) text += i + 1 == r.codes.size() ? " OR " : ", ";
    text += std::to_string(r.codes[i]);
  }
  return text;
}

int32_t AttributeValue(const PatternRecord& r, Field field) {
  switch (field) {
    case Field::kTo:
      return r.to;
    case Field::kSpeed:
      return r.speed;
    case Field::kPicture:
      return r.picture;
    case Field::kDepth:
      return r.depth;
    case Field::kCirco:
      return r.circo;
    case Field::kVoice:
      return r.voice;
    case Field::kVx:
      return r.vx;
    case Field::kRx:
      return r.rx;
    case Field::kVy:
      return r.vy;
    case Field::kRy:
      return r.ry;
    case Field::kClash:
      return r.clash;
    case Field::kGuard:
      return r.guard;
    case Field::kDamage:
      return r.damage;
    case Field::kHitTo:
      return r.hitTo;
    case Field::kHitI:
      return r.hitI;
    case Field::kFlags:
      return static_cast<int32_t>(r.flags);
    default:
      return 0;
  }
}

void SetAttribute(PatternRecord& r, Field field, int32_t value) {
  switch (field) {
    case Field::kTo:
      r.to = value;
      break;
    case Field::kSpeed:
      r.speed = value;
      break;
    case Field::kPicture:
      r.picture = value;
      break;
    case Field::kDepth:
      r.depth = value;
      break;
    case Field::kCirco:
      r.circo = value;
      break;
    case Field::kVoice:
      r.voice = value;
      break;
    case Field::kVx:
      r.vx = value;
      break;
    case Field::kRx:
      r.rx = value;
      break;
    case Field::kVy:
      r.vy = value;
      break;
    case Field::kRy:
      r.ry = value;
      break;
    case Field::kClash:
      r.clash = value;
      break;
    case Field::kGuard:
      r.guard = value;
      break;
    case Field::kDamage:
      r.damage = value;
      break;
    case Field::kHitTo:
      r.hitTo = value;
      break;
    case Field::kHitI:
      r.hitI = value;
      break;
    case Field::kFlags:
      r.flags = static_cast<uint32_t>(value);
      break;
    default:
      break;
  }
}

int32_t& CoordinateOf(Box& box, Field field) {
  switch (field) {
    case Field::kY1:
      return box.y1;
    case Field::kX2:
      return box.x2;
    case Field::kY2:
      return box.y2;
    default:
      return box.x1;
  }
}

std::optional<int32_t> ParseEntry(Field field, std::string_view text) {
  if (field == Field::kFlags) {
    // The four digits stand for the bits 8, 4, 2 and 1, as the panel shows them.
    if (text.size() != 4 || text.find_first_not_of("01") != std::string_view::npos) return {};
    int32_t flags = 0;
    for (char c : text) flags = flags * 2 + (c - '0');
    return flags;
  }
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  // Five characters at most reach here, so the digits cannot overflow.
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != text.npos) {
    return {};
  }
  int32_t value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  if (negative) value = -value;
  if (!InRange(field, value)) return {};
  return value;
}

std::optional<int32_t> SteppedValue(Field field, int32_t value, int32_t delta) {
  const FieldRange& r = RangeOf(field);
  int32_t next;
  if (!r.codes.empty()) {
    // The next code above or below the value, whatever the value is.
    if (delta > 0) {
      const auto it = std::upper_bound(r.codes.begin(), r.codes.end(), value);
      if (it == r.codes.end()) return {};
      next = *it;
    } else {
      const auto it = std::lower_bound(r.codes.begin(), r.codes.end(), value);
      if (it == r.codes.begin()) return {};
      next = *(it - 1);
    }
    return next;
  }
  next = static_cast<int32_t>(std::clamp<int64_t>(int64_t{value} + delta, r.low, r.high));
  // A value beyond the range's end in the direction pressed stays where it is.
  if (delta > 0 ? next <= value : next >= value) return {};
  return next;
}

}  // namespace boxedit
