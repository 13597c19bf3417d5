// Feeds arbitrary bytes to the motion.lst reader: diagnostics must point into the text and print
// as one line, fields hold only what their decoders give, data above lastPattern is warned of.
// One input in eight with a complete header is also saved in both layouts and read back (every
// input would cut the readings a second by four): each saved slot comes back, nothing else.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "chardata/diagnostics.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "chardata/pattern_table.h"

namespace {

using namespace boxedit;

// Static, as the editor's table is, and reused: the checks hold whatever it held before.
MotionList gList;
MotionList gBack;

[[noreturn]] void Fail(const char* what, int where) {
  std::fprintf(stderr, "list reader: %s (%d)\n", what, where);
  std::abort();
}

// The checks stay out of the coverage the fuzzer steers by: they are not what is fuzzed.
#define NOT_FUZZED __attribute__((no_sanitize("coverage")))

NOT_FUZZED void CheckDiagnostics(const Diagnostics& diagnostics, std::string_view text) {
  const int lineCount = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  for (const Diagnostic& d : diagnostics) {
    if (d.line < 1 || d.line > lineCount) Fail("diagnostic outside the text's lines", d.line);
    if (d.message.empty()) Fail("empty diagnostic", d.line);
    // Messages go to a terminal or a log one per line: bytes of the input are escaped.
    for (const char c : d.message) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) Fail("control byte", d.line);
    }
  }
}

// Not Box's operator==, which the coverage would count 9100 times an input.
NOT_FUZZED bool IsZero(const Box& b) {
  return (b.x1 | b.y1 | b.x2 | b.y2) == 0;
}

NOT_FUZZED void CheckSlots(const Diagnostics& diagnostics) {
  bool dataAboveLast = false;
  for (int i = 0; i < kPatternCount; ++i) {
    const PatternRecord& p = gList.patterns[i];
    for (int k = 1; k < kBoxesPerGroup; ++k) {
      if (!IsZero(p.attack[k]) || (k > 1 && !IsZero(p.defense[k]))) Fail("unused box set", i);
    }
    if ((p.guard != 9 && (p.guard < 0 || p.guard > 3)) || p.flags > 15) Fail("guard or flags", i);
    if (p.comment[kCommentSize - 1] != '\0') Fail("comment without its NUL", i);
    dataAboveLast |= i > gList.lastPattern && !p.IsEmpty();
  }
  // Neither shown nor saved, so the reader must say so.
  const auto warning = [](const Diagnostic& d) { return d.severity == Severity::kWarning; };
  if (dataAboveLast && std::none_of(diagnostics.begin(), diagnostics.end(), warning)) {
    Fail("data above lastPattern without a warning", gList.lastPattern);
  }
}

// What the writer puts down for a coordinate: clamped to the writable range.
Box Written(const Box& b) {
  auto x = [](int32_t v) { return v < -255 ? -255 : v > 255 ? 255 : v; };
  auto y = [](int32_t v) { return v < 0 ? 0 : v > 511 ? 511 : v; };
  return {x(b.x1), y(b.y1), x(b.x2), y(b.y2)};
}

// The record a save writes for `o`: its boxes clamped, an empty comment as "-"; any other
// difference after reading it back is a fault. The record has no padding, so bytes compare.
static_assert(std::has_unique_object_representations_v<PatternRecord>);
void CheckSlot(const PatternRecord& o, const PatternRecord& b, int i) {
  PatternRecord expected = o;
  for (int k = 0; k < 2; ++k) expected.defense[k] = Written(o.defense[k]);
  expected.attack[0] = Written(o.attack[0]);
  if (o.comment[0] == '\0') expected.comment[0] = '-';
  if (std::memcmp(&expected, &b, sizeof b) != 0) Fail("round trip: record", i);
}

void CheckRoundTrip(const ListHeader& header, SaveLayout layout) {
  const std::string text = FormatList(gList, header, layout);
  const Diagnostics diagnostics = LoadText(gBack, text);
  if (HasErrors(diagnostics)) Fail("round trip: written text reads with errors", gList.lastPattern);
  if (gBack.gravity != header.numbers[3]) Fail("round trip: gravity", -1);
  int highestSaved = 0;
  for (int i = 0; i < kPatternCount; ++i) {
    const PatternRecord& o = gList.patterns[i];
    const PatternRecord& b = gBack.patterns[i];
    if (i <= gList.lastPattern && !o.IsEmpty()) {
      CheckSlot(o, b, i);
      highestSaved = i;
    } else if (!b.IsEmpty()) {
      Fail("round trip: slot carried that was not saved", i);
    }
  }
  if (gBack.lastPattern != highestSaved) Fail("round trip: lastPattern", gBack.lastPattern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadHeader header;
  const Diagnostics diagnostics = LoadText(gList, text, nullptr, &header);
  if (gList.lastPattern < 0 || gList.lastPattern >= kPatternCount) {
    Fail("lastPattern", gList.lastPattern);
  }
  CheckDiagnostics(diagnostics, text);
  CheckSlots(diagnostics);

  // The round trip, for the inputs whose bytes sum to a multiple of eight.
  uint32_t sum = 0;
  for (size_t i = 0; i < size; ++i) sum += data[i];
  if (sum % 8 != 0) return 0;
  // The save copies the header from the file; without a complete one it writes nothing.
  const std::optional<ListHeader> complete = header.complete();
  if (!complete) return 0;
  CheckRoundTrip(*complete, SaveLayout::kS);
  CheckRoundTrip(*complete, SaveLayout::kL);
  return 0;
}
