#include "view/info_panels.h"

#include <array>

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

// The column of the box panel: its x1, y1, x2, y2 one below the other from row `top`.
void DrawBoxColumn(const Font& font, int32_t x, int32_t top, const Box& box) {
  font.DrawNumber(x, top, kDigits, box.x1);
  font.DrawNumber(x, top + 16, kDigits, box.y1);
  font.DrawNumber(x, top + 32, kDigits, box.x2);
  font.DrawNumber(x, top + 48, kDigits, box.y2);
}

const char* VoiceWord(int32_t voice) {
  return voice == 9 ? " NON" : nullptr;
}

const char* ClashWord(int32_t clash) {
  switch (clash) {
    case -1:
      return " NON";
    case 0:
      return " SMA";
    case 1:
      return " BIG";
    case 8:
      return " JMP";
    default:
      return nullptr;
  }
}

// Label x and value x of the three attribute columns.
struct Column {
  int32_t label, value;
};
constexpr Column kColumn1{8, 48};  // the panel's left edge is at x 8
constexpr Column kColumn2{104, 144};
constexpr Column kColumn3{192, 232};

void DrawLabelledNumber(const Font& font, Column column, int32_t y, const char* label,
                        int32_t value) {
  font.DrawString(column.label, y, label);
  font.DrawNumber(column.value, y, kDigits, value);
}

// A field shown as a word: nothing after the label when the value has no word.
void DrawLabelledWord(const Font& font, Column column, int32_t y, const char* label,
                      const char* word) {
  font.DrawString(column.label, y, label);
  if (word != nullptr) font.DrawString(column.value, y, word);
}

// A name drawn one blank glyph after the value position, in line with the numbers' digits.
void DrawLabelledName(const Font& font, Column column, int32_t y, const char* label,
                      const char* name) {
  font.DrawString(column.label, y, label);
  if (name != nullptr) font.DrawString(column.value + kGlyphWidth, y, name);
}

}  // namespace

void DrawBoxPanel(const Font& font, const MotionList& list, int32_t currentPattern,
                  int32_t selectedBox) {
  if (!IsPattern(currentPattern)) return;
  const PatternRecord& record = list.patterns[currentPattern];

  font.DrawString(kBoxPanelX, kBoxPanelY, MotionName(Motion(currentPattern)));
  font.DrawString(kBoxPanelX, kDefenseLabelY, "DEFENSE");
  DrawBoxColumn(font, kFirstBoxColumnX, kDefenseColumnsY, record.defense[0]);
  DrawBoxColumn(font, kFirstBoxColumnX + kBoxColumnStep, kDefenseColumnsY, record.defense[1]);
  font.DrawString(kBoxPanelX, kAttackLabelY, "ATTACK");
  DrawBoxColumn(font, kFirstBoxColumnX, kAttackColumnY, record.attack[0]);

  // The marker stands one cell left of the selected box's column, on the row of its x1: box k of
  // a group in column k, the attack group 96 rows below the defense group. The position is
  // worked out in 64 bits; a selection so far out that it leaves the 32-bit range would be off
  // the screen and is not drawn.
  const int64_t markerX = kBoxPanelX + int64_t{kBoxColumnStep} * (selectedBox % 4);
  const int64_t markerY =
      kDefenseColumnsY + int64_t{kAttackColumnY - kDefenseColumnsY} * (selectedBox / 4);
  if (markerY <= INT32_MAX && markerY >= INT32_MIN) {
    font.DrawString(static_cast<int32_t>(markerX), static_cast<int32_t>(markerY), "@");
  }
}

void DrawAttributePanel(const Font& font, const MotionList& list, int32_t currentPattern) {
  if (!IsPattern(currentPattern)) return;
  const PatternRecord& r = list.patterns[currentPattern];

  DrawLabelledNumber(font, kColumn1, AttributeRow(0), "NUMBE", currentPattern);
  DrawLabelledNumber(font, kColumn1, AttributeRow(1), "TO", r.to);
  DrawLabelledNumber(font, kColumn1, AttributeRow(2), "SPEED", r.speed);
  DrawLabelledNumber(font, kColumn1, AttributeRow(3), "PICTU", r.picture);
  DrawLabelledNumber(font, kColumn1, AttributeRow(4), "DEPTH", r.depth);
  DrawLabelledNumber(font, kColumn1, AttributeRow(5), "CIRCO", r.circo);
  if (const char* word = VoiceWord(r.voice)) {
    DrawLabelledWord(font, kColumn1, AttributeRow(6), "VOICE", word);
  } else {
    DrawLabelledNumber(font, kColumn1, AttributeRow(6), "VOICE", r.voice);
  }

  DrawLabelledNumber(font, kColumn2, AttributeRow(0), "VX", r.vx);
  DrawLabelledNumber(font, kColumn2, AttributeRow(1), "RX", r.rx);
  DrawLabelledNumber(font, kColumn2, AttributeRow(2), "VY", r.vy);
  DrawLabelledNumber(font, kColumn2, AttributeRow(3), "RY", r.ry);

  DrawLabelledWord(font, kColumn3, AttributeRow(0), "CLASH", ClashWord(r.clash));
  DrawLabelledName(font, kColumn3, AttributeRow(1), "GUARD", GuardName(r.guard));
  DrawLabelledNumber(font, kColumn3, AttributeRow(2), "DAMEG", r.damage);
  DrawLabelledNumber(font, kColumn3, AttributeRow(3), "HITTO", r.hitTo);
  DrawLabelledNumber(font, kColumn3, AttributeRow(4), "HIT-I", r.hitI);

  // The flag bits 8, 4, 2 and 1, each as " 1" or " 0" one cell further right: the digits stand
  // side by side at x 232 to 256, highest bit first.
  font.DrawString(kColumn3.label, AttributeRow(5), "FLAG");
  constexpr std::array<uint32_t, 4> kBits = {8, 4, 2, 1};
  for (size_t i = 0; i < kBits.size(); ++i) {
    font.DrawString(224 + 8 * static_cast<int32_t>(i), AttributeRow(5),
                    (r.flags & kBits[i]) ? " 1" : " 0");
  }
}

}  // namespace boxedit
