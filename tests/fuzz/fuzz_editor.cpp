// The whole editor, fuzzed: a motion.lst and a stream of keys (with Ctrl, Shift and Alt),
// mouse presses, drags and releases, and frames, run through the start-up, the headless
// platform and the window procedure that `boxtool replay` runs, beside part of the sample's
// pictures. Every save is read back and must hold the table as it stood (the values the
// writer clamps, clamped); at the end, undoing every step must give back the table as loaded
// (defense box 0's x values aside: the frame sets them). A frame the editor does not compose, as
// nothing it shows can have changed, must be the pixels composing it would give.
//
// Input: two bytes (little-endian) give the length of the list text that follows them; the
// rest are events of two or three bytes, each an operation byte and its operands.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "backends/headless/headless_platform.h"
#include "chardata/character_files.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "chardata/pattern_file.h"
#include "display/surface16.h"
#include "sample/sample_character.h"
#include "shell/edit_history.h"
#include "shell/editor.h"

namespace {

using namespace boxedit;
namespace fs = std::filesystem;

// The keys an event can press: every key the editor has a command for, and a few it has none.
constexpr std::array<uint32_t, 48> kKeys = {
    vk::kUp,     vk::kDown,   vk::kLeft,    vk::kRight,    vk::kHome,   vk::kEnd,    vk::kPrior,
    vk::kNext,   vk::kSpace,  vk::kReturn,  vk::kTab,      vk::kBack,   vk::kShift,  vk::kControl,
    vk::kF1,     vk::kF1 + 1, vk::kF1 + 2,  vk::kF1 + 3,   vk::kF1 + 4, vk::kF1 + 5, vk::kF1 + 6,
    vk::kF1 + 7, vk::kF1 + 8, vk::kF1 + 11, vk::kOemMinus, 'S',         'L',         'C',
    'V',         'O',         'P',          'H',           'Z',         'Y',         'X',
    'A',         '0',         '1',          '2',           '3',         '5',         '9',
    '7',         vk::kEscape, 'Q',          'D',           'W',         vk::kF1 + 9};

uint64_t gEvents = 0;  // editor events of all inputs: messages handled and frames drawn
fs::path gDir;         // the folder of this process

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz_editor: %s\n", what.c_str());
  std::abort();
}

// The folder of this process: the sample's tile sheet and pictures, and each input's list.
const fs::path& Folder() {
  static const fs::path dir = [] {
    // In memory where the system has it: every save flushes its file to the disk.
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    gDir = base / ("boxedit-fuzz-editor-" + std::to_string(getpid()));
    std::string error;
    if (!WriteSampleCharacter(gDir, &error)) Fail("cannot write the sample: " + error);
    // Decoding the tile sheet at each start took two thirds of the time (its own fuzzer covers
    // it): without it, the pictures are drawn from an empty sheet. Their file is cut short, as a
    // character being made may have it: 32 pictures.
    fs::remove(gDir / kTileSheetFileName);
    fs::resize_file(gDir / kPatternFileName, kPictureFileSize / kPictureCount * 32);
    std::atexit([] {
      std::fprintf(stderr, "fuzz_editor: %llu editor events\n", (unsigned long long)gEvents);
      std::error_code ec;
      fs::remove_all(gDir, ec);
    });
    return gDir;
  }();
  return dir;
}

std::vector<ReplayCommand> DecodeEvents(const uint8_t* data, size_t size) {
  constexpr ReplayOp kMouse[] = {ReplayOp::kLeftDown, ReplayOp::kLeftUp, ReplayOp::kMove,
                                 ReplayOp::kRightDown, ReplayOp::kRightUp};
  std::vector<ReplayCommand> script;
  for (size_t i = 0; i + 1 < size; i += 2) {
    const uint8_t op = data[i], a = data[i + 1];
    ReplayCommand c{ReplayOp::kKey, static_cast<int>(script.size()) + 1, 0, 0, 0, {}, 0};
    if (op % 8 < 3) {  // a key, the operation's high bits its modifiers Ctrl, Shift and Alt
      c.value = kKeys[a % kKeys.size()], c.held = static_cast<HeldKeys>((op >> 3) & 7);
    } else if (op % 8 == 3) {  // frames
      c.op = ReplayOp::kFrame, c.value = 1 + a % 4;
    } else if (i + 2 < size) {  // a mouse message at a point of the screen
      c.op = kMouse[(op >> 3) % 5], c.x = static_cast<uint16_t>(a * 640 / 256);
      c.y = static_cast<uint16_t>(data[i + 2] * 480 / 256), ++i;
    } else {
      break;
    }
    script.push_back(c);
  }
  return script;
}

// A record as the save writes it and the reader reads it back.
PatternRecord AsWritten(PatternRecord r) {
  for (Box* b : {&r.defense[0], &r.defense[1], &r.attack[0]}) {
    b->x1 = std::clamp(b->x1, kMinBoxX, kMaxBoxX), b->x2 = std::clamp(b->x2, kMinBoxX, kMaxBoxX);
    b->y1 = std::clamp(b->y1, kMinBoxY, kMaxBoxY), b->y2 = std::clamp(b->y2, kMinBoxY, kMaxBoxY);
  }
  if (r.comment[0] == '\0') std::strcpy(r.comment.data(), "-");
  return r;
}

// The saved motion2.lst against the table it was saved from.
void CheckSave(const MotionList& table) {
  std::ifstream in(Folder() / kSavedListFileName, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  auto back = std::make_unique<MotionList>();
  const Diagnostics problems = LoadText(*back, text);
  if (!problems.empty()) Fail("a save reads back with problems: " + FormatDiagnostic(problems[0]));
  for (int i = 0; i < kPatternCount; ++i) {
    const PatternRecord& t = table.patterns[i];
    const bool written = i <= table.lastPattern && !t.IsEmpty();
    if (written ? !(back->patterns[i] == AsWritten(t)) : !back->patterns[i].IsEmpty()) {
      Fail("slot " + std::to_string(i) + " reads back otherwise than it was saved");
    }
  }
}

// A frame the editor did not compose must be the frame shown: composing it now (nothing of it
// counts down, as the status line is not shown and no motion plays) gives the same pixels.
void CheckSkippedFrame(Editor& e) {
  if (!e.display.primary || !e.display.backBuffer) return;  // closed
  ComposeFrame(e);
  const Surface16 &shown = *e.display.primary, &composed = *e.display.backBuffer;
  for (int32_t y = 0; y < shown.Height(); ++y) {
    if (!std::equal(shown.Row(y), shown.Row(y) + shown.Width(), composed.Row(y))) {
      Fail("a frame not composed differs from the one shown on row " + std::to_string(y));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t listSize = std::min<size_t>(data[0] | size_t{data[1]} << 8, size - 2);
  const fs::path& dir = Folder();
  {
    std::ofstream(dir / kListFileName, std::ios::binary)
        .write(reinterpret_cast<const char*>(data + 2), static_cast<std::streamsize>(listSize));
  }
  std::error_code ec;
  fs::remove(dir / kSavedListFileName, ec);
  std::vector<ReplayCommand> script = DecodeEvents(data + 2 + listSize, size - 2 - listSize);

  HeadlessPlatform platform(std::move(script));
  std::ostringstream log;
  auto editor = std::make_unique<Editor>(platform, dir, log);
  Editor& e = *editor;
  if (StartUp(e) != 0) Fail("start-up failed");
  const auto loaded = std::make_unique<MotionList>(e.list);

  // The main loop, with each save read back as soon as it is made.
  for (;;) {
    ++gEvents;
    if (!platform.PeekMessage()) {
      const int presented = platform.presentCount();
      DrawFrame(e);
      if (platform.presentCount() == presented) CheckSkippedFrame(e);
      continue;
    }
    Message m;
    if (!platform.GetMessage(&m)) break;
    const bool saveKey = m.message == msg::kKeyDown && (m.wParam == 'S' || m.wParam == 'L');
    EditorWindowProc(e, m);
    if (saveKey && fs::exists(dir / kSavedListFileName, ec)) {
      CheckSave(e.list);
      fs::remove(dir / kSavedListFileName, ec);
    }
  }

  // Undo as far as the history goes: the table as loaded (a reload reads the same file).
  for (size_t n = e.history.steps() + 3; n > 0; --n) {
    EditorWindowProc(e, Message{msg::kKeyDown, 'Z', 0, kHeldControl});
  }
  for (int i = 0; i < kPatternCount; ++i) {
    if (!SameEdits(e.list.patterns[i], loaded->patterns[i])) {
      Fail("undoing every step leaves slot " + std::to_string(i) + " otherwise than loaded" +
           ":\n" + FormatRecordLine(e.list.patterns[i], i, SaveLayout::kS) +
           FormatRecordLine(loaded->patterns[i], i, SaveLayout::kS));
    }
  }
  return 0;
}
