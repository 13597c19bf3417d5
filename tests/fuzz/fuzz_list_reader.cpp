// Feeds arbitrary bytes to the motion.lst reader, then writes the table in both layouts and
// reads that back: every saved slot must come back equal, and nothing else may appear.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "chardata/list_header.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "chardata/word_reader.h"

namespace {

using namespace boxedit;

// Static, as the editor's table is, and reused from one input to the next.
MotionList gList;
MotionList gBack;

[[noreturn]] void Fail(const char* what, int slot) {
  std::fprintf(stderr, "round trip mismatch: %s (slot %d)\n", what, slot);
  std::abort();
}

// What the writer puts down for a coordinate: clamped to the writable range.
Box Written(const Box& b) {
  auto x = [](int32_t v) { return v < -255 ? -255 : v > 255 ? 255 : v; };
  auto y = [](int32_t v) { return v < 0 ? 0 : v > 511 ? 511 : v; };
  return {x(b.x1), y(b.y1), x(b.x2), y(b.y2)};
}

void CheckSlot(const PatternRecord& o, const PatternRecord& b, int i) {
  const int32_t PatternRecord::*numbers[] = {
      &PatternRecord::to,    &PatternRecord::speed,  &PatternRecord::picture, &PatternRecord::depth,
      &PatternRecord::circo, &PatternRecord::voice,  &PatternRecord::vx,      &PatternRecord::rx,
      &PatternRecord::vy,    &PatternRecord::ry,     &PatternRecord::extra,   &PatternRecord::clash,
      &PatternRecord::guard, &PatternRecord::damage, &PatternRecord::hitTo,   &PatternRecord::hitI};
  for (auto field : numbers) {
    if (o.*field != b.*field) Fail("number field", i);
  }
  if (o.flags != b.flags) Fail("flags", i);
  if (Written(o.defense[0]) != b.defense[0] || Written(o.defense[1]) != b.defense[1] ||
      Written(o.attack[0]) != b.attack[0]) {
    Fail("box", i);
  }
  for (int k = 1; k < kBoxesPerGroup; ++k) {
    if (b.attack[k] != Box{} || (k > 1 && b.defense[k] != Box{})) Fail("unused box", i);
  }
  // An empty comment goes out as "-".
  const char* comment = o.comment[0] == '\0' ? "-" : o.comment.data();
  if (std::strncmp(comment, b.comment.data(), kCommentSize) != 0) Fail("comment", i);
}

void CheckRoundTrip(const ListHeader& header, SaveLayout layout) {
  const std::string text = FormatList(gList, header, layout);
  const Diagnostics diagnostics = LoadText(gBack, text);
  if (HasErrors(diagnostics)) Fail("written text reads with errors", gList.lastPattern);
  if (gBack.gravity != header.numbers[3]) Fail("gravity", -1);
  int highestSaved = 0;
  for (int i = 0; i < kPatternCount; ++i) {
    const PatternRecord& o = gList.patterns[i];
    const PatternRecord& b = gBack.patterns[i];
    if (i <= gList.lastPattern && !o.IsEmpty()) {
      CheckSlot(o, b, i);
      highestSaved = i;
    } else if (!b.IsEmpty()) {
      Fail("slot carried that was not saved", i);
    }
  }
  if (gBack.lastPattern != highestSaved) Fail("lastPattern", gBack.lastPattern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  LoadText(gList, text);
  if (gList.lastPattern < 0 || gList.lastPattern >= kPatternCount) Fail("lastPattern", -1);

  // The save copies the header from the file; without a complete one it writes nothing.
  WordReader words(text);
  ListHeader header;
  if (ReadListHeader(words, &header) < kHeaderWordCount) return 0;
  CheckRoundTrip(header, SaveLayout::kS);
  CheckRoundTrip(header, SaveLayout::kL);
  return 0;
}
