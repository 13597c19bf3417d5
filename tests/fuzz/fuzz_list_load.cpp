// Feeds arbitrary bytes to the motion.lst reader alone and checks what every reading must leave:
// diagnostics that point into the text and print as one line, lastPattern within the table,
// fields that only hold the values their decoders can give, and a warning for any data left
// above lastPattern. Without the round trip of fuzz_list_reader it runs about twice as many
// inputs a second.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "chardata/diagnostics.h"
#include "chardata/list_reader.h"
#include "chardata/pattern_table.h"

namespace {

using namespace boxedit;

// Static, as the editor's table is, and reused from one input to the next: every check below
// holds whatever the table held before the reading.
MotionList gList;

[[noreturn]] void Fail(const char* what, int where) {
  std::fprintf(stderr, "list reader: %s (%d)\n", what, where);
  std::abort();
}

// The checks run on every input but are no part of what is fuzzed: they stay out of the
// coverage the fuzzer steers by, which also keeps them from costing more than the reading.
#define NOT_FUZZED __attribute__((no_sanitize("coverage")))

NOT_FUZZED void CheckDiagnostics(const Diagnostics& diagnostics, std::string_view text) {
  const int lineCount = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  for (const Diagnostic& d : diagnostics) {
    if (d.line < 1 || d.line > lineCount) Fail("diagnostic outside the text's lines", d.line);
    if (d.message.empty()) Fail("empty diagnostic", d.line);
    // Messages go to a terminal or a log one per line: bytes of the input are escaped.
    for (const char c : d.message) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 || byte == 0x7F) Fail("control byte in a diagnostic", d.line);
    }
  }
}

NOT_FUZZED bool IsZero(const Box& b) {
  return b.x1 == 0 && b.y1 == 0 && b.x2 == 0 && b.y2 == 0;
}

NOT_FUZZED void CheckSlots(const Diagnostics& diagnostics) {
  bool dataAboveLast = false;
  for (int i = 0; i < kPatternCount; ++i) {
    const PatternRecord& p = gList.patterns[i];
    for (int k = 1; k < kBoxesPerGroup; ++k) {
      if (!IsZero(p.attack[k]) || (k > 1 && !IsZero(p.defense[k]))) Fail("unused box set", i);
    }
    if (p.guard != 9 && (p.guard < 0 || p.guard > 3)) Fail("guard code", i);
    if (p.flags > 15) Fail("flag bits", i);
    if (p.comment[kCommentSize - 1] != '\0') Fail("comment without its NUL", i);
    if (i > gList.lastPattern && !p.IsEmpty()) dataAboveLast = true;
  }
  // Neither shown nor saved, so the reader must say so.
  if (dataAboveLast && std::none_of(diagnostics.begin(), diagnostics.end(), [](const auto& d) {
        return d.severity == Severity::kWarning;
      })) {
    Fail("data above lastPattern without a warning", gList.lastPattern);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Diagnostics diagnostics = LoadText(gList, text);
  if (gList.lastPattern < 0 || gList.lastPattern >= kPatternCount) {
    Fail("lastPattern", gList.lastPattern);
  }
  CheckDiagnostics(diagnostics, text);
  CheckSlots(diagnostics);
  return 0;
}
