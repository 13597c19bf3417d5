// The replay script of the headless back end: one command a line (a key press, alone or with
// Ctrl, Shift and Alt held, a value typed key by key, mouse moves and presses, frames to draw,
// screenshots, a close request), parsed whole before a replay starts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_queue.h"

namespace boxedit {

enum class ReplayOp {
  kKey,        // key NAME|CODE, or with modifiers held: key CTRL+SHIFT+ALT+NAME|CODE
  kType,       // type TEXT: the key of each character in turn, digits and '-'
  kMove,       // move X Y
  kLeftDown,   // ldown X Y
  kLeftUp,     // lup X Y
  kRightDown,  // rdown X Y
  kRightUp,    // rup X Y
  kFrame,      // frame [N]
  kShot,       // shot FILE
  kClose,      // close
};

struct ReplayCommand {
  ReplayOp op = ReplayOp::kClose;
  int line = 0;        // where the command stands in its script, from 1
  uint32_t value = 0;  // kKey: the virtual-key code; kFrame: how many frames (1..1000000)
  uint16_t x = 0;      // mouse commands: the screen column
  uint16_t y = 0;      // mouse commands: the screen row
  std::string text;    // kShot: the image to write (.bmp or .png); kType: the text to type
  HeldKeys held = 0;   // kKey: the modifiers pressed with the key
  friend bool operator==(const ReplayCommand&, const ReplayCommand&) = default;
};

inline constexpr uint32_t kMaxReplayFrames = 1000000;

// The virtual-key code of a key name of the script (Esc, Up, F5, A, 7, ...), in any case. The
// modifiers before it (CTRL+, SHIFT+, ALT+, in any order and any case, each once) are the
// parser's to take off.
std::optional<uint32_t> ReplayKeyCode(std::string_view name);

// The virtual-key code of a character of `type`: a digit's own, or the main row's minus for '-';
// none for any other.
std::optional<uint32_t> ReplayTypedKeyCode(char c);

// Parses a whole script. On the first malformed line returns false with
// "SCRIPTNAME:LINE: message" in *error; *out is then left empty.
bool ParseReplayScript(std::string_view text, std::string_view scriptName,
                       std::vector<ReplayCommand>* out, std::string* error);

// Reads and parses the script file; the error names the file as `path` is written.
bool LoadReplayScript(const std::filesystem::path& path, std::vector<ReplayCommand>* out,
                      std::string* error);

}  // namespace boxedit
