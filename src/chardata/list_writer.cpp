#include "chardata/list_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "chardata/atomic_file.h"
#include "chardata/list_header.h"
#include "chardata/list_reader.h"
#include "chardata/list_tokens.h"

namespace boxedit {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Longest record line: 17 numbers of at most 11 characters each with their blank, the code
// letter, the flags, three box tokens, a 63-character comment and the line end.
constexpr size_t kMaxRecordLine = 17 * 12 + 2 + 5 + 3 * 13 + 1 + 63 + 1;

// The three characters of an x coordinate: sign, then the magnitude as two hex digits.
void PutBoxX(char* out, int32_t x) {
  x = std::clamp(x, kMinBoxX, kMaxBoxX);
  out[0] = x < 0 ? '1' : '0';
  const int32_t magnitude = x < 0 ? -x : x;
  out[1] = kHexDigits[magnitude >> 4];
  out[2] = kHexDigits[magnitude & 15];
}

// The three characters of a y coordinate: 0..511 as three hex digits.
void PutBoxY(char* out, int32_t y) {
  y = std::clamp(y, kMinBoxY, kMaxBoxY);
  out[0] = kHexDigits[y >> 8];
  out[1] = kHexDigits[(y >> 4) & 15];
  out[2] = kHexDigits[y & 15];
}

// " " and the 12-character token of a box.
char* PutBox(char* out, const Box& box) {
  *out++ = ' ';
  PutBoxX(out, box.x1);
  PutBoxY(out + 3, box.y1);
  PutBoxX(out + 6, box.x2);
  PutBoxY(out + 9, box.y2);
  return out + 12;
}

// Writes the record line of slot `index` into `out` (at least kMaxRecordLine bytes) and
// returns its length.
size_t PutRecordLine(char* out, const PatternRecord& r, int index, SaveLayout layout) {
  const bool s = layout == SaveLayout::kS;
  int n = std::snprintf(out, kMaxRecordLine,
                        s ? "%4d %4d %2d %3d %2d %2d %1d %4d %1d %3d %1d %1d %2d"
                          : "%4d %4d %2d %3d %2d %2d %1d %4d %2d %3d %2d %1d %2d",
                        index, r.to, r.speed, r.picture, r.depth, r.circo, r.voice, r.vx, r.rx,
                        r.vy, r.ry, r.extra, r.clash);
  n += std::snprintf(out + n, kMaxRecordLine - n, " %c %2d %4d %1d ", GuardLetter(r.guard),
                     r.damage, r.hitTo, r.hitI);
  char* p = out + n;
  const std::string flags = FlagToken(r.flags);
  p = std::copy(flags.begin(), flags.end(), p);
  p = PutBox(p, r.defense[0]);
  p = PutBox(p, r.defense[1]);
  p = PutBox(p, r.attack[0]);
  *p++ = ' ';
  // The reader needs a word in this place, so an empty comment is written as "-".
  const size_t commentSize = strnlen(r.comment.data(), kCommentSize - 1);
  if (commentSize == 0) {
    *p++ = '-';
  } else {
    std::memcpy(p, r.comment.data(), commentSize);
    p += commentSize;
  }
  *p++ = '\n';
  return static_cast<size_t>(p - out);
}

// True when both paths exist and name one file (through a link, a hard link or the same name).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

std::string WriteBoxX(int32_t x) {
  char text[3];
  PutBoxX(text, x);
  return std::string(text, 3);
}

std::string WriteBoxY(int32_t y) {
  char text[3];
  PutBoxY(text, y);
  return std::string(text, 3);
}

std::string FormatRecordLine(const PatternRecord& record, int index, SaveLayout layout) {
  char line[kMaxRecordLine];
  return std::string(line, PutRecordLine(line, record, index, layout));
}

std::string FormatList(const MotionList& list, const ListHeader& header, SaveLayout layout) {
  std::string text;
  const int last = std::min(list.lastPattern, kPatternCount - 1);
  text.reserve(256 + static_cast<size_t>(std::max(last + 1, 0)) * 100);
  text += header.firstWord;
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "\n%3d %3d %3d %3d\n", header.numbers[0],
                header.numbers[1], header.numbers[2], header.numbers[3]);
  text += numbers;
  if (layout == SaveLayout::kL) text += '\n';
  text += header.secondWord;
  text += '\n';

  int previousMotion = 0;
  char line[kMaxRecordLine];
  for (int i = 0; i <= last; ++i) {
    const PatternRecord& record = list.patterns[i];
    if (record.IsEmpty()) continue;
    if (Motion(i) != previousMotion) {
      text += '\n';
      previousMotion = Motion(i);
    }
    text.append(line, PutRecordLine(line, record, i, layout));
  }
  return text;
}

bool Save(const MotionList& list, const std::filesystem::path& dir, SaveLayout layout,
          std::string* error, const ListHeader* startupHeader, std::string* note) {
  ListHeader header;
  std::string reason;
  // The header is copied from the file as it stands now, not taken from memory.
  if (!ReadHeaderOfList(dir, &header, &reason)) {
    if (startupHeader == nullptr) {
      if (error != nullptr) *error = reason;
      return false;
    }
    header = *startupHeader;
    if (note != nullptr) *note = reason + "; its header as read at start-up was used";
  }
  return SaveWithHeader(list, header, dir, layout, error);
}

bool SaveWithHeader(const MotionList& list, const ListHeader& header,
                    const std::filesystem::path& dir, SaveLayout layout, std::string* error) {
  std::string reason;
  if (IsSameFile(dir / kSavedListFileName, dir / kListFileName)) {
    reason = std::string(kSavedListFileName) + " is " + kListFileName +
             " under another name, and " + kListFileName + " is never written";
  } else if (WriteFileAtomically(dir / kSavedListFileName, FormatList(list, header, layout),
                                 &reason)) {
    return true;
  }
  if (error != nullptr) *error = std::move(reason);
  return false;
}

}  // namespace boxedit
