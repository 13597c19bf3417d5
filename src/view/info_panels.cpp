#include "view/info_panels.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/screen_layout.h"
#include "motion/pattern_names.h"
#include "resources/font_sheet.h"

namespace boxedit {

namespace {

// Numbers in the panels have three digits.
constexpr int32_t kDigits = 3;

// The box panel: "DEFENSE" with the columns of defense boxes 0 and 1, then "ATTACK" with the
// column of attack box 0, each column 8 pixels right of the labels.
constexpr int32_t kDefenseLabelY = kBoxPanelY + 32;
constexpr int32_t kDefenseColumnsY = kDefenseLabelY + 16;
constexpr int32_t kAttackLabelY = kBoxPanelY + 128;
constexpr int32_t kAttackColumnY = kAttackLabelY + 16;
constexpr int32_t kFirstBoxColumnX = kBoxPanelX + 8;
constexpr int32_t kBoxColumnStep = 48;

// Rows of the attribute panel.
constexpr int32_t AttributeRow(int k) {
  return kAttributePanelY + 16 * k;
}

bool IsPattern(int32_t pattern) {
  return pattern >= 0 && pattern < kPatternCount;
}

// The value being typed, drawn in place of a number at x: its last character where the number's
// last digit stands, starting no further left than the number's sign.
void DrawEntry(const Font& font, int32_t x, int32_t y, const char* text) {
  const auto length = static_cast<int32_t>(std::strlen(text));
  font.DrawString(std::max(x, x + (kDigits + 1 - length) * kGlyphWidth), y, text);
}

// The column of the box panel: its x1, y1, x2, y2 one below the other from row `top`; the
// value being typed stands in place of the coordinate `entryField`.
void DrawBoxColumn(const Font& font, int32_t x, int32_t top, const Box& box,
                   const FieldMark* entry = nullptr) {
  const int32_t values[] = {box.x1, box.y1, box.x2, box.y2};
  for (int i = 0; i < 4; ++i) {
    const int32_t y = top + 16 * i;
    if (entry && entry->entry && entry->field == Field(int(kFirstCoordinate) + i)) {
      DrawEntry(font, x, y, entry->entry);
    } else {
      font.DrawNumber(x, y, kDigits, values[i]);
    }
  }
}

const char* VoiceWord(int32_t voice) {
  return voice == 9 ? " NON" : nullptr;
}

// Label x and value x of the three attribute columns.
struct Column {
  int32_t label, value;
};
constexpr Column kColumn1{8, 48};  // the panel's left edge is at x 8
constexpr Column kColumn2{104, 144};
constexpr Column kColumn3{192, 232};

// The label of `field`, with the cursor's "+" in the free column before it when the cursor
// stands there. True when the value being typed has been drawn in place of the value.
bool DrawLabel(const Font& font, Column column, int32_t y, Field field, const FieldMark* mark) {
  font.DrawString(column.label, y, RangeOf(field).label.data());
  if (mark == nullptr || mark->field != field) return false;
  font.DrawString(column.label - kGlyphWidth, y, "+");
  if (mark->entry == nullptr) return false;
  DrawEntry(font, column.value, y, mark->entry);
  return true;
}

void DrawLabelledNumber(const Font& font, Column column, int32_t y, Field field, int32_t value,
                        const FieldMark* mark) {
  if (!DrawLabel(font, column, y, field, mark)) font.DrawNumber(column.value, y, kDigits, value);
}

// A field shown as a word: nothing after the label when the value has no word.
void DrawLabelledWord(const Font& font, Column column, int32_t y, Field field, const char* word,
                      const FieldMark* mark) {
  if (!DrawLabel(font, column, y, field, mark) && word != nullptr) {
    font.DrawString(column.value, y, word);
  }
}

// A name drawn one blank glyph after the value position, in line with the numbers' digits.
void DrawLabelledName(const Font& font, Column column, int32_t y, Field field, const char* name,
                      const FieldMark* mark) {
  if (!DrawLabel(font, column, y, field, mark) && name != nullptr) {
    font.DrawString(column.value + kGlyphWidth, y, name);
  }
}

}  // namespace

void DrawBoxPanel(const Font& font, const MotionList& list, int32_t currentPattern,
                  int32_t selectedBox, const FieldMark* mark) {
  if (!IsPattern(currentPattern)) return;
  const PatternRecord& record = list.patterns[currentPattern];

  font.DrawString(kBoxPanelX, kBoxPanelY, MotionName(Motion(currentPattern)));
  font.DrawString(kBoxPanelX, kDefenseLabelY, "DEFENSE");
  // Only the selected box's column shows the value being typed.
  const FieldMark* corner = mark && IsCoordinate(mark->field) ? mark : nullptr;
  auto entryIn = [&](int32_t box) { return selectedBox == box ? corner : nullptr; };
  DrawBoxColumn(font, kFirstBoxColumnX, kDefenseColumnsY, record.defense[0], entryIn(0));
  DrawBoxColumn(font, kFirstBoxColumnX + kBoxColumnStep, kDefenseColumnsY, record.defense[1],
                entryIn(1));
  font.DrawString(kBoxPanelX, kAttackLabelY, "ATTACK");
  DrawBoxColumn(font, kFirstBoxColumnX, kAttackColumnY, record.attack[0], entryIn(4));

  // The marker stands one cell left of the selected box's column, on the row of its x1: box k of
  // a group in column k, the attack group 96 rows below the defense group. The position is
  // worked out in 64 bits; a selection so far out that it leaves the 32-bit range would be off
  // the screen and is not drawn.
  const int64_t markerX = kBoxPanelX + int64_t{kBoxColumnStep} * (selectedBox % 4);
  const int64_t markerY =
      kDefenseColumnsY + int64_t{kAttackColumnY - kDefenseColumnsY} * (selectedBox / 4);
  if (markerY <= INT32_MAX && markerY >= INT32_MIN) {
    // The field cursor on a corner stands in the same column, on the corner's row; on x1 it
    // takes the marker's place, marking the selected box as well.
    const int64_t row = corner ? int64_t{16} * (int(corner->field) - int(kFirstCoordinate)) : -1;
    if (row != 0)
      font.DrawString(static_cast<int32_t>(markerX), static_cast<int32_t>(markerY), "@");
    if (row >= 0 && markerY + row <= INT32_MAX) {
      font.DrawString(static_cast<int32_t>(markerX), static_cast<int32_t>(markerY + row), "+");
    }
  }
}

void DrawAttributePanel(const Font& font, const MotionList& list, int32_t currentPattern,
                        const FieldMark* m) {
  if (!IsPattern(currentPattern)) return;
  const PatternRecord& r = list.patterns[currentPattern];

  font.DrawString(kColumn1.label, AttributeRow(0), "NUMBE");
  font.DrawNumber(kColumn1.value, AttributeRow(0), kDigits, currentPattern);
  DrawLabelledNumber(font, kColumn1, AttributeRow(1), Field::kTo, r.to, m);
  DrawLabelledNumber(font, kColumn1, AttributeRow(2), Field::kSpeed, r.speed, m);
  DrawLabelledNumber(font, kColumn1, AttributeRow(3), Field::kPicture, r.picture, m);
  DrawLabelledNumber(font, kColumn1, AttributeRow(4), Field::kDepth, r.depth, m);
  DrawLabelledNumber(font, kColumn1, AttributeRow(5), Field::kCirco, r.circo, m);
  if (const char* word = VoiceWord(r.voice)) {
    DrawLabelledWord(font, kColumn1, AttributeRow(6), Field::kVoice, word, m);
  } else {
    DrawLabelledNumber(font, kColumn1, AttributeRow(6), Field::kVoice, r.voice, m);
  }

  DrawLabelledNumber(font, kColumn2, AttributeRow(0), Field::kVx, r.vx, m);
  DrawLabelledNumber(font, kColumn2, AttributeRow(1), Field::kRx, r.rx, m);
  DrawLabelledNumber(font, kColumn2, AttributeRow(2), Field::kVy, r.vy, m);
  DrawLabelledNumber(font, kColumn2, AttributeRow(3), Field::kRy, r.ry, m);

  DrawLabelledName(font, kColumn3, AttributeRow(0), Field::kClash, ClashName(r.clash), m);
  DrawLabelledName(font, kColumn3, AttributeRow(1), Field::kGuard, GuardName(r.guard), m);
  DrawLabelledNumber(font, kColumn3, AttributeRow(2), Field::kDamage, r.damage, m);
  DrawLabelledNumber(font, kColumn3, AttributeRow(3), Field::kHitTo, r.hitTo, m);
  DrawLabelledNumber(font, kColumn3, AttributeRow(4), Field::kHitI, r.hitI, m);

  // The flag bits 8, 4, 2 and 1, each as " 1" or " 0" one cell further right: the digits stand
  // side by side at x 232 to 256, highest bit first.
  if (DrawLabel(font, kColumn3, AttributeRow(5), Field::kFlags, m)) return;
  constexpr std::array<uint32_t, 4> kBits = {8, 4, 2, 1};
  for (size_t i = 0; i < kBits.size(); ++i) {
    font.DrawString(224 + 8 * static_cast<int32_t>(i), AttributeRow(5),
                    (r.flags & kBits[i]) ? " 1" : " 0");
  }
}

}  // namespace boxedit
