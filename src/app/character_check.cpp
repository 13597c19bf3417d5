#include "app/character_check.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string_view>

#include "chardata/character_files.h"
#include "chardata/field_ranges.h"
#include "chardata/input_file.h"
#include "chardata/list_reader.h"
#include "chardata/list_tokens.h"
#include "chardata/list_writer.h"
#include "chardata/pattern_file.h"
#include "chardata/tile_sheet_file.h"
#include "chardata/word_reader.h"
#include "motion/motion_timing.h"
#include "motion/pattern_names.h"
#include "shell/editing_commands.h"
#include "view/picture_bank.h"

namespace boxedit {

namespace {

// The character as the editor has it after start-up, and what the rules compare it with.
struct Character {
  const MotionList& list;
  const RecordSources& sources;
  const MotionList& edited;  // the table once every editable box has been edited
  const PictureTable& pictures;
  bool picturesRead = false;  // pattern.pat was there and could be read
  size_t pictureBytes = 0;    // how many of its bytes hold pictures
};

// A rule looks at one slot that the editor shows and the save writes (non-empty, at most
// lastPattern) and returns its problems.
using SlotRule = Diagnostics (*)(const Character&, int slot);

constexpr size_t kPictureBytes = kPictureFileSize / kPictureCount;

bool IsMissing(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::status(file, ec).type() == std::filesystem::file_type::not_found;
}

Diagnostic SlotWarning(const Character& c, int slot, const std::string& message) {
  return {c.sources[slot].line, Severity::kWarning,
          "pattern " + std::to_string(slot) + ": " + message};
}

// chara.bmp read as the editor's tile-sheet loader reads it. A file cut short loads with blank
// rows, which the editor takes, but the character is broken all the same.
Diagnostics CheckTileSheet(const std::filesystem::path& dir) {
  const std::filesystem::path file = dir / kTileSheetFileName;
  if (IsMissing(file)) return {{0, Severity::kError, "the file is missing; no tiles will show"}};
  BmpPixels pixels;
  std::string error;
  std::string warning;
  if (!ReadTileSheet(file, kTileSheetWidth, kTileSheetHeight, &pixels, &error, &warning)) {
    return {{0, Severity::kError, "cannot be used: " + error + "; no tiles will show"}};
  }
  if (!warning.empty()) return {{0, Severity::kError, "it is cut short: " + warning}};
  return {};
}

// pattern.pat as the editor reads it. A missing or short file leaves pictures empty, and the
// editor draws nothing for them; a file that is there but cannot be read is an error.
Diagnostics CheckPatternFile(const std::filesystem::path& dir, PictureTable& pictures, bool* read,
                             size_t* held) {
  const std::filesystem::path file = dir / kPatternFileName;
  *read = false;
  if (IsMissing(file)) {
    return {{0, Severity::kWarning, "the file is missing; no pictures will show"}};
  }
  std::string error;
  if (!ReadPatternFile(file, pictures, &error, held)) {
    return {{0, Severity::kError, "cannot be read: " + error + "; no pictures will show"}};
  }
  *read = true;
  if (*held < size_t{kPictureFileSize}) {
    return {{0, Severity::kWarning,
             "it is " + std::to_string(*held) + " of " + std::to_string(kPictureFileSize) +
                 " bytes; pictures from " + std::to_string(*held / kPictureBytes) +
                 " on have no tiles"}};
  }
  return {};
}

// A picture that cannot show anything or shows something broken; the first of these that
// applies, since each one hides the next.
Diagnostics CheckPicture(const Character& c, int slot) {
  const int32_t n = c.list.patterns[slot].picture;
  const std::string picture = "picture " + std::to_string(n);
  if (n >= kPictureCount) {
    return {SlotWarning(
        c, slot,
        picture + " is outside 0.." + std::to_string(kPictureCount - 1) + "; nothing is drawn")};
  }
  // Without pattern.pat every picture is empty, which its own diagnostic already says.
  if (!c.picturesRead) return {};
  const size_t start = static_cast<size_t>(n) * kPictureBytes;
  const std::string fileSize = std::to_string(c.pictureBytes) + " bytes";
  if (start >= c.pictureBytes) {
    return {SlotWarning(c, slot,
                        picture + " lies past the end of " + kPatternFileName +
                            ", which has only " + fileSize + "; nothing is drawn")};
  }
  if (start + kPictureBytes > c.pictureBytes) {
    return {SlotWarning(c, slot,
                        picture + " is cut short by the end of " + kPatternFileName +
                            ", which has only " + fileSize + "; its missing entries draw nothing")};
  }
  int tiles = 0;
  int pastSheet = 0;
  std::string first;
  const Picture& p = c.pictures[n];
  for (int r = 0; r < kPictureRows; ++r) {
    for (int col = kFirstDrawnColumn; col < kPictureColumns; ++col) {
      const uint16_t t = p.tiles[r][col];
      if (t == kNoTile) continue;
      ++tiles;
      if (t < kTileSheetCells) continue;
      if (pastSheet++ == 0) {
        first =
            std::to_string(t) + " at row " + std::to_string(r) + ", column " + std::to_string(col);
      }
    }
  }
  if (tiles == 0) {
    return {SlotWarning(
        c, slot,
        picture + " draws no tile: its entries in columns " + std::to_string(kFirstDrawnColumn) +
            " to " + std::to_string(kPictureColumns - 1) + " are all " + std::to_string(kNoTile))};
  }
  if (pastSheet > 0) {
    return {SlotWarning(c, slot,
                        picture + " has " + std::to_string(pastSheet) +
                            (pastSheet == 1 ? " entry" : " entries") + " past the sheet's " +
                            std::to_string(kTileSheetCells) + " tiles (the first: " + first +
                            "); they draw nothing")};
  }
  return {};
}

// The patterns that `to` and `hit-to` lead to; -1 leads nowhere.
Diagnostics CheckLinks(const Character& c, int slot) {
  const PatternRecord& r = c.list.patterns[slot];
  Diagnostics found;
  for (const auto& [name, target] : {std::pair{"to", r.to}, std::pair{"hit-to", r.hitTo}}) {
    if (target == -1) continue;
    const std::string link = std::string(name) + " " + std::to_string(target);
    if (target < 0 || target >= kPatternCount) {
      found.push_back(
          SlotWarning(c, slot, link + " is outside 0.." + std::to_string(kPatternCount - 1)));
    } else if (c.list.patterns[target].IsEmpty()) {
      found.push_back(SlotWarning(c, slot, link + " names an empty slot"));
    }
  }
  return found;
}

// The three boxes the editor edits. Defense box 0's x1 and x2 are not the user's: the editor
// sets them to -18 and 18 at every frame it draws, so nothing is said of them.
struct EditableBox {
  const char* name;
  const Box& (*of)(const PatternRecord&);
  bool fixedWidth;
};
constexpr EditableBox kEditableBoxes[] = {
    {"defense box 0", [](const PatternRecord& r) -> const Box& { return r.defense[0]; }, true},
    {"defense box 1", [](const PatternRecord& r) -> const Box& { return r.defense[1]; }, false},
    {"attack box 0", [](const PatternRecord& r) -> const Box& { return r.attack[0]; }, false},
};

struct Coordinate {
  const char* name;
  int32_t Box::*field;
  bool isX;
};
constexpr Coordinate kCoordinates[] = {
    {"x1", &Box::x1, true},
    {"y1", &Box::y1, false},
    {"x2", &Box::x2, true},
    {"y2", &Box::y2, false},
};

// Corners out of order: every key and mouse edit of a box orders its corners (ConstrainBoxPair),
// so the box the file gives does not survive its first edit.
Diagnostics CheckBoxOrder(const Character& c, int slot) {
  Diagnostics found;
  for (const EditableBox& b : kEditableBoxes) {
    const Box& box = b.of(c.list.patterns[slot]);
    std::string wrong;
    if (!b.fixedWidth && box.x1 > box.x2) {
      wrong = "x1 " + std::to_string(box.x1) + " right of x2 " + std::to_string(box.x2);
    }
    if (box.y1 < box.y2) {
      wrong += wrong.empty() ? "" : ", ";
      wrong += "y1 " + std::to_string(box.y1) + " below y2 " + std::to_string(box.y2);
    }
    if (wrong.empty()) continue;
    const Box& after = b.of(c.edited.patterns[slot]);
    std::string changes;
    for (const Coordinate& k : kCoordinates) {
      if ((k.isX && b.fixedWidth) || box.*k.field == after.*k.field) continue;
      changes += changes.empty() ? "sets " : " and ";
      changes += std::string(k.name) + " to " + std::to_string(after.*k.field);
    }
    found.push_back(SlotWarning(c, slot,
                                std::string(b.name) + " has its corners out of order (" + wrong +
                                    "); its first edit " + changes));
  }
  return found;
}

// Coordinates that the save cannot write and clamps into its range.
Diagnostics CheckBoxRange(const Character& c, int slot) {
  Diagnostics found;
  for (const EditableBox& b : kEditableBoxes) {
    const Box& box = b.of(c.list.patterns[slot]);
    std::string changes;
    for (const Coordinate& k : kCoordinates) {
      if (k.isX && b.fixedWidth) continue;
      const int32_t value = box.*k.field;
      const int32_t saved =
          k.isX ? std::clamp(value, kMinBoxX, kMaxBoxX) : std::clamp(value, kMinBoxY, kMaxBoxY);
      if (saved == value) continue;
      changes += changes.empty() ? "" : " and ";
      changes += std::string(k.name) + " " + std::to_string(value) + " as " + std::to_string(saved);
    }
    if (changes.empty()) continue;
    found.push_back(
        SlotWarning(c, slot,
                    "the save writes " + std::string(b.name) + "'s " + changes + " (x within " +
                        std::to_string(kMinBoxX) + ".." + std::to_string(kMaxBoxX) + ", y within " +
                        std::to_string(kMinBoxY) + ".." + std::to_string(kMaxBoxY) + ")"));
  }
  return found;
}

// Words that the reader decodes into fewer values than they spell, so that the save writes
// something else. A word the reading never reached is left to the reader's own diagnostics.
Diagnostics CheckSavedWords(const Character& c, int slot) {
  const PatternRecord& r = c.list.patterns[slot];
  const RecordSource& source = c.sources[slot];
  Diagnostics found;
  const char letter = GuardLetter(r.guard);
  if (!source.codeLetter.empty() && source.codeLetter != std::string_view(&letter, 1)) {
    found.push_back(SlotWarning(c, slot,
                                "code letter " + QuoteWord(source.codeLetter) +
                                    " is not one of U, M, D, X, 0; the save writes " + letter));
  }
  const std::string_view flags = source.flagToken;
  if (!flags.empty() &&
      (flags.size() > kFlagTokenSize || flags.find_first_not_of("01") != std::string_view::npos)) {
    found.push_back(SlotWarning(c, slot,
                                "flag token " + QuoteWord(flags) +
                                    " is not four 0s and 1s; the save writes " +
                                    FlagToken(r.flags)));
  }
  return found;
}

// Values that the editor would refuse if they were typed: the file's values are kept and saved,
// but no key sets them again. Pictures, links and coordinates the save clamps have rules of
// their own above, and defense box 0's x values are not the user's.
Diagnostics CheckEntryRanges(const Character& c, int slot) {
  const PatternRecord& r = c.list.patterns[slot];
  Diagnostics found;
  auto outside = [&](const std::string& what, int32_t value, Field field) {
    std::string range = RangeText(field);
    std::ranges::transform(range, range.begin(), [](char ch) { return std::tolower(ch); });
    found.push_back(SlotWarning(c, slot,
                                what + " " + std::to_string(value) + " is outside " + range +
                                    ", the values the editor takes"));
  };
  for (int f = 0; f < static_cast<int>(kFirstCoordinate); ++f) {
    const auto field = static_cast<Field>(f);
    if (field == Field::kTo || field == Field::kHitTo || field == Field::kPicture) continue;
    const int32_t value = AttributeValue(r, field);
    if (!InRange(field, value)) outside(std::string(RangeOf(field).label), value, field);
  }
  for (const EditableBox& b : kEditableBoxes) {
    for (const Coordinate& k : kCoordinates) {
      const int32_t value = b.of(r).*k.field;
      const Field field = k.isX ? Field::kX1 : Field::kY1;
      const bool clamped =
          k.isX ? value < kMinBoxX || value > kMaxBoxX : value < kMinBoxY || value > kMaxBoxY;
      if ((k.isX && b.fixedWidth) || clamped || InRange(field, value)) continue;
      outside(std::string(b.name) + "'s " + k.name, value, field);
    }
  }
  return found;
}

// A motion that never comes back to the ground, as the frame data counts it: reported on its
// first slot.
Diagnostics CheckLanding(const Character& c, int slot) {
  if (PlaceInMotion(slot) != 0) return {};
  const MotionTiming timing = TimeMotion(c.list, Motion(slot));
  if (!timing.neverLands) return {};
  return {SlotWarning(c, slot,
                      "motion " + std::to_string(Motion(slot)) + " (" + MotionName(Motion(slot)) +
                          ") never lands: pattern " + std::to_string(timing.patterns.back().slot) +
                          " is still in the air after " + std::to_string(kMaxLandingFrames) +
                          " frames")};
}

// The rules in the order their problems are listed within a slot.
constexpr SlotRule kSlotRules[] = {
    CheckPicture,    CheckLinks,       CheckBoxOrder, CheckBoxRange,
    CheckSavedWords, CheckEntryRanges, CheckLanding,
};

}  // namespace

bool CheckCharacter(const std::filesystem::path& dir, std::vector<FileDiagnostic>* found,
                    std::string* error) {
  std::string text;
  if (!ReadInputFile(dir / kListFileName, kMaxListFileBytes, &text, error)) return false;
  auto list = std::make_unique<MotionList>();
  auto sources = std::make_unique<RecordSources>();
  auto add = [found](const char* fileName, const Diagnostics& diagnostics) {
    for (const Diagnostic& d : diagnostics) found->push_back({fileName, d});
  };
  add(kListFileName, LoadText(*list, text, sources.get()));
  add(kTileSheetFileName, CheckTileSheet(dir));
  auto pictures = std::make_unique<PictureTable>();
  bool picturesRead = false;
  size_t pictureBytes = 0;
  add(kPatternFileName, CheckPatternFile(dir, *pictures, &picturesRead, &pictureBytes));

  const int last = std::clamp(list->lastPattern, 0, kPatternCount - 1);
  auto edited = std::make_unique<MotionList>(*list);
  for (int slot = 0; slot <= last; ++slot) {
    for (int k = 0; k < 2; ++k) ConstrainBoxPair(*edited, slot, k);
  }
  const Character character{*list, *sources, *edited, *pictures, picturesRead, pictureBytes};
  for (int slot = 0; slot <= last; ++slot) {
    if (list->patterns[slot].IsEmpty()) continue;
    for (SlotRule rule : kSlotRules) add(kListFileName, rule(character, slot));
  }
  return true;
}

}  // namespace boxedit
