#include "backends/web/web_input.h"

#include <algorithm>
#include <array>

namespace boxedit {
namespace {

struct KeyEntry {
  std::string_view name;
  uint32_t vk;
};

// One line per key that is named by what it does (KeyboardEvent.key), and the virtual-key code
// it arrives as. Letters are found apart: their key is the letter itself, in either case.
constexpr std::array kNamedKeys{
    KeyEntry{"F1", vk::kF1},             // F1: select defense box 0
    KeyEntry{"F2", vk::kF1 + 1},         // F2: select defense box 1
    KeyEntry{"F3", vk::kF1 + 2},         // F3
    KeyEntry{"F4", vk::kF1 + 3},         // F4 (with Alt: the close request)
    KeyEntry{"F5", vk::kF1 + 4},         // F5: select attack box 0 (never the page's reload)
    KeyEntry{"F6", vk::kF1 + 5},         // F6
    KeyEntry{"F7", vk::kF1 + 6},         // F7
    KeyEntry{"F8", vk::kF1 + 7},         // F8
    KeyEntry{"F9", vk::kF1 + 8},         // F9
    KeyEntry{"F10", vk::kF1 + 9},        // F10
    KeyEntry{"F11", vk::kF1 + 10},       // F11
    KeyEntry{"F12", vk::kF1 + 11},       // F12: the key help (never the developer tools)
    KeyEntry{"ArrowLeft", vk::kLeft},    // Left arrow: clear the selected box
    KeyEntry{"ArrowUp", vk::kUp},        // Up arrow: previous pattern
    KeyEntry{"ArrowRight", vk::kRight},  // Right arrow: clear the selected box
    KeyEntry{"ArrowDown", vk::kDown},    // Down arrow: next pattern
    KeyEntry{"Home", vk::kHome},         // Home: clear the attack boxes
    KeyEntry{"End", vk::kEnd},           // End: clear the attack boxes
    KeyEntry{"PageUp", vk::kPrior},      // Page Up
    KeyEntry{"PageDown", vk::kNext},     // Page Down
    KeyEntry{"Insert", vk::kInsert},     // Insert
    KeyEntry{"Delete", vk::kDelete},     // Delete
    KeyEntry{"Escape", vk::kEscape},     // Esc: close the editor
    KeyEntry{" ", vk::kSpace},           // Space
    KeyEntry{"Enter", vk::kReturn},      // Enter (with Alt: full screen and back)
    KeyEntry{"Tab", vk::kTab},           // Tab
    KeyEntry{"Backspace", vk::kBack},    // Backspace
    KeyEntry{"Shift", vk::kShift},       // either Shift
    KeyEntry{"Control", vk::kControl},   // either Ctrl
    KeyEntry{"Alt", vk::kMenu},          // either Alt (held Alt itself drops it)
};

// One line per key that is named by where it is (KeyboardEvent.code): the numpad, whose keys
// type what the top row types, and the top row's digits, which many layouts type only with
// Shift, and its minus.
constexpr std::array kPlacedKeys{
    KeyEntry{"Digit0", '0'},                    // 0 of the top row
    KeyEntry{"Digit1", '1'},                    // 1
    KeyEntry{"Digit2", '2'},                    // 2
    KeyEntry{"Digit3", '3'},                    // 3
    KeyEntry{"Digit4", '4'},                    // 4
    KeyEntry{"Digit5", '5'},                    // 5
    KeyEntry{"Digit6", '6'},                    // 6
    KeyEntry{"Digit7", '7'},                    // 7
    KeyEntry{"Digit8", '8'},                    // 8
    KeyEntry{"Digit9", '9'},                    // 9
    KeyEntry{"Minus", vk::kOemMinus},           // - of the top row
    KeyEntry{"Numpad0", vk::kNumpad0},          // numpad 0
    KeyEntry{"Numpad1", vk::kNumpad0 + 1},      // numpad 1
    KeyEntry{"Numpad2", vk::kNumpad0 + 2},      // numpad 2
    KeyEntry{"Numpad3", vk::kNumpad0 + 3},      // numpad 3
    KeyEntry{"Numpad4", vk::kNumpad0 + 4},      // numpad 4
    KeyEntry{"Numpad5", vk::kNumpad0 + 5},      // numpad 5
    KeyEntry{"Numpad6", vk::kNumpad0 + 6},      // numpad 6
    KeyEntry{"Numpad7", vk::kNumpad0 + 7},      // numpad 7
    KeyEntry{"Numpad8", vk::kNumpad0 + 8},      // numpad 8
    KeyEntry{"Numpad9", vk::kNumpad0 + 9},      // numpad 9
    KeyEntry{"NumpadMultiply", vk::kMultiply},  // numpad *
    KeyEntry{"NumpadAdd", vk::kAdd},            // numpad +
    KeyEntry{"NumpadSubtract", vk::kSubtract},  // numpad -
    KeyEntry{"NumpadDecimal", vk::kDecimal},    // numpad .
    KeyEntry{"NumpadDivide", vk::kDivide},      // numpad /
    KeyEntry{"NumpadEnter", vk::kReturn},       // numpad Enter, the same code as Enter
};

// The keys that zoom the page with Ctrl held, by where they are: the top row's minus and
// equals (plus with Shift) and the numpad's minus and plus.
constexpr std::array<std::string_view, 4> kZoomKeys{"Minus", "Equal", "NumpadSubtract",
                                                    "NumpadAdd"};

template <size_t N>
std::optional<uint32_t> Find(const std::array<KeyEntry, N>& table, std::string_view name) {
  const auto it = std::find_if(table.begin(), table.end(),
                               [name](const KeyEntry& entry) { return entry.name == name; });
  if (it == table.end()) return std::nullopt;
  return it->vk;
}

std::optional<uint32_t> LetterOf(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<uint32_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<uint32_t>(c);
  return std::nullopt;
}

intptr_t ClampedPosition(int x, int y, int width, int height) {
  const int column = std::clamp(x, 0, std::max(width - 1, 0));
  const int row = std::clamp(y, 0, std::max(height - 1, 0));
  return MakeMouseLParam(static_cast<uint16_t>(column), static_cast<uint16_t>(row));
}

}  // namespace

std::optional<uint32_t> VirtualKeyOf(std::string_view key, std::string_view code) {
  if (const std::optional<uint32_t> placed = Find(kPlacedKeys, code)) return placed;
  if (key.size() == 1) {
    if (const std::optional<uint32_t> letter = LetterOf(key[0])) return letter;
  }
  if (const std::optional<uint32_t> named = Find(kNamedKeys, key)) return named;
  // A layout that types no Latin letters (Cyrillic, Greek, ...): the letter of the key's place,
  // so that Ctrl+Z and the letter keys still work. A key that types some other ASCII character
  // is that character's, never the letter of its place.
  if (!key.empty() && static_cast<unsigned char>(key[0]) >= 0x80 && code.size() == 4 &&
      code.starts_with("Key")) {
    return LetterOf(code[3]);
  }
  return std::nullopt;
}

WebKey TranslateKeyDown(std::string_view key, std::string_view code, HeldKeys held) {
  WebKey out;
  // The browser's zoom stays the user's: the editor is never told of it.
  if ((held & kHeldControl) != 0 &&
      std::find(kZoomKeys.begin(), kZoomKeys.end(), code) != kZoomKeys.end()) {
    return out;
  }
  const std::optional<uint32_t> vk = VirtualKeyOf(key, code);
  if (!vk) return out;
  out.editorKey = true;
  if ((held & kHeldMenu) != 0) {
    if (*vk == vk::kReturn) {
      out.toggleFullscreen = true;
    } else if (*vk == vk::kF1 + 3) {
      out.message = Message{msg::kClose, 0, 0};
    }
    return out;
  }
  // Auto-repeated presses are key-downs like the first one, as on the desktop.
  out.message = Message{msg::kKeyDown, *vk, 0};
  return out;
}

std::optional<Message> TranslateMouse(WebMouse event, int button, int x, int y, int width,
                                      int height) {
  const intptr_t position = ClampedPosition(x, y, width, height);
  if (event == WebMouse::kMove) return Message{msg::kMouseMove, 0, position};
  const bool down = event == WebMouse::kDown;
  if (button == 0) return Message{down ? msg::kLButtonDown : msg::kLButtonUp, 0, position};
  if (button == 2) return Message{down ? msg::kRButtonDown : msg::kRButtonUp, 0, position};
  return std::nullopt;  // the middle and extra buttons do nothing in the editor
}

}  // namespace boxedit
