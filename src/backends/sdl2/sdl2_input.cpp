#include "backends/sdl2/sdl2_input.h"

#include <algorithm>
#include <array>

namespace boxedit {
namespace {

struct KeyEntry {
  SDL_Keycode sdl;
  uint32_t vk;
};

// One line per key: the SDL key and the virtual-key code it arrives as. Letters are the
// upper-case codes whatever Shift or Caps Lock say.
constexpr std::array kKeyTable{
    KeyEntry{SDLK_a, 'A'},                      // A
    KeyEntry{SDLK_b, 'B'},                      // B
    KeyEntry{SDLK_c, 'C'},                      // C: copy attack box 0 into defense box 1
    KeyEntry{SDLK_d, 'D'},                      // D
    KeyEntry{SDLK_e, 'E'},                      // E
    KeyEntry{SDLK_f, 'F'},                      // F
    KeyEntry{SDLK_g, 'G'},                      // G
    KeyEntry{SDLK_h, 'H'},                      // H
    KeyEntry{SDLK_i, 'I'},                      // I
    KeyEntry{SDLK_j, 'J'},                      // J
    KeyEntry{SDLK_k, 'K'},                      // K
    KeyEntry{SDLK_l, 'L'},                      // L: save the list
    KeyEntry{SDLK_m, 'M'},                      // M
    KeyEntry{SDLK_n, 'N'},                      // N
    KeyEntry{SDLK_o, 'O'},                      // O
    KeyEntry{SDLK_p, 'P'},                      // P
    KeyEntry{SDLK_q, 'Q'},                      // Q
    KeyEntry{SDLK_r, 'R'},                      // R
    KeyEntry{SDLK_s, 'S'},                      // S: save the list
    KeyEntry{SDLK_t, 'T'},                      // T
    KeyEntry{SDLK_u, 'U'},                      // U
    KeyEntry{SDLK_v, 'V'},                      // V
    KeyEntry{SDLK_w, 'W'},                      // W
    KeyEntry{SDLK_x, 'X'},                      // X
    KeyEntry{SDLK_y, 'Y'},                      // Y
    KeyEntry{SDLK_z, 'Z'},                      // Z
    KeyEntry{SDLK_0, '0'},                      // 0 of the top row
    KeyEntry{SDLK_1, '1'},                      // 1
    KeyEntry{SDLK_2, '2'},                      // 2
    KeyEntry{SDLK_3, '3'},                      // 3
    KeyEntry{SDLK_4, '4'},                      // 4
    KeyEntry{SDLK_5, '5'},                      // 5
    KeyEntry{SDLK_6, '6'},                      // 6
    KeyEntry{SDLK_7, '7'},                      // 7
    KeyEntry{SDLK_8, '8'},                      // 8
    KeyEntry{SDLK_9, '9'},                      // 9
    KeyEntry{SDLK_MINUS, vk::kOemMinus},        // - of the top row
    KeyEntry{SDLK_F1, vk::kF1},                 // F1: select defense box 0
    KeyEntry{SDLK_F2, vk::kF1 + 1},             // F2: select defense box 1
    KeyEntry{SDLK_F3, vk::kF1 + 2},             // F3
    KeyEntry{SDLK_F4, vk::kF1 + 3},             // F4 (with Alt: the close request)
    KeyEntry{SDLK_F5, vk::kF1 + 4},             // F5: select attack box 0
    KeyEntry{SDLK_F6, vk::kF1 + 5},             // F6
    KeyEntry{SDLK_F7, vk::kF1 + 6},             // F7
    KeyEntry{SDLK_F8, vk::kF1 + 7},             // F8
    KeyEntry{SDLK_F9, vk::kF1 + 8},             // F9
    KeyEntry{SDLK_F10, vk::kF1 + 9},            // F10
    KeyEntry{SDLK_F11, vk::kF1 + 10},           // F11
    KeyEntry{SDLK_F12, vk::kF1 + 11},           // F12
    KeyEntry{SDLK_LEFT, vk::kLeft},             // Left arrow: clear the selected box
    KeyEntry{SDLK_UP, vk::kUp},                 // Up arrow: previous pattern
    KeyEntry{SDLK_RIGHT, vk::kRight},           // Right arrow: clear the selected box
    KeyEntry{SDLK_DOWN, vk::kDown},             // Down arrow: next pattern
    KeyEntry{SDLK_HOME, vk::kHome},             // Home: clear the attack boxes
    KeyEntry{SDLK_END, vk::kEnd},               // End: clear the attack boxes
    KeyEntry{SDLK_PAGEUP, vk::kPrior},          // Page Up
    KeyEntry{SDLK_PAGEDOWN, vk::kNext},         // Page Down
    KeyEntry{SDLK_INSERT, vk::kInsert},         // Insert
    KeyEntry{SDLK_DELETE, vk::kDelete},         // Delete
    KeyEntry{SDLK_ESCAPE, vk::kEscape},         // Esc: close the editor
    KeyEntry{SDLK_SPACE, vk::kSpace},           // Space
    KeyEntry{SDLK_RETURN, vk::kReturn},         // Enter (with Alt: windowed / full screen)
    KeyEntry{SDLK_TAB, vk::kTab},               // Tab
    KeyEntry{SDLK_BACKSPACE, vk::kBack},        // Backspace
    KeyEntry{SDLK_LSHIFT, vk::kShift},          // left Shift
    KeyEntry{SDLK_RSHIFT, vk::kShift},          // right Shift
    KeyEntry{SDLK_LCTRL, vk::kControl},         // left Ctrl
    KeyEntry{SDLK_RCTRL, vk::kControl},         // right Ctrl
    KeyEntry{SDLK_LALT, vk::kMenu},             // left Alt (held Alt itself drops it)
    KeyEntry{SDLK_RALT, vk::kMenu},             // right Alt
    KeyEntry{SDLK_KP_0, vk::kNumpad0},          // numpad 0
    KeyEntry{SDLK_KP_1, vk::kNumpad0 + 1},      // numpad 1
    KeyEntry{SDLK_KP_2, vk::kNumpad0 + 2},      // numpad 2
    KeyEntry{SDLK_KP_3, vk::kNumpad0 + 3},      // numpad 3
    KeyEntry{SDLK_KP_4, vk::kNumpad0 + 4},      // numpad 4
    KeyEntry{SDLK_KP_5, vk::kNumpad0 + 5},      // numpad 5
    KeyEntry{SDLK_KP_6, vk::kNumpad0 + 6},      // numpad 6
    KeyEntry{SDLK_KP_7, vk::kNumpad0 + 7},      // numpad 7
    KeyEntry{SDLK_KP_8, vk::kNumpad0 + 8},      // numpad 8
    KeyEntry{SDLK_KP_9, vk::kNumpad0 + 9},      // numpad 9
    KeyEntry{SDLK_KP_MULTIPLY, vk::kMultiply},  // numpad *
    KeyEntry{SDLK_KP_PLUS, vk::kAdd},           // numpad +
    KeyEntry{SDLK_KP_MINUS, vk::kSubtract},     // numpad -
    KeyEntry{SDLK_KP_PERIOD, vk::kDecimal},     // numpad .
    KeyEntry{SDLK_KP_DIVIDE, vk::kDivide},      // numpad /
    KeyEntry{SDLK_KP_ENTER, vk::kReturn},       // numpad Enter, the same code as Enter
};

// Mouse positions arrive in the logical 640x480 coordinates of the renderer, but on the
// letterbox bands of a wider or taller desktop they fall outside the screen: pull them onto it.
intptr_t ClampedPosition(int32_t x, int32_t y, int screenWidth, int screenHeight) {
  const int32_t column = std::clamp(x, 0, std::max(screenWidth - 1, 0));
  const int32_t row = std::clamp(y, 0, std::max(screenHeight - 1, 0));
  return MakeMouseLParam(static_cast<uint16_t>(column), static_cast<uint16_t>(row));
}

std::optional<Message> TranslateKeyDown(const SDL_KeyboardEvent& key, bool* toggleFullscreen) {
  const SDL_Keycode sym = key.keysym.sym;
  if ((key.keysym.mod & KMOD_ALT) != 0) {
    // With Alt held a key is a system key, never a key press of the editor. Two of them mean
    // something to the window; auto-repeat of either is ignored so a held key acts once.
    if (key.repeat != 0) return std::nullopt;
    if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
      if (toggleFullscreen) *toggleFullscreen = true;
    } else if (sym == SDLK_F4) {
      return Message{msg::kClose, 0, 0};
    }
    return std::nullopt;
  }
  // Auto-repeated presses are key-downs like the first one.
  const std::optional<uint32_t> code = VirtualKeyOf(sym);
  if (!code) return std::nullopt;
  return Message{msg::kKeyDown, *code, 0};
}

std::optional<Message> TranslateButton(const SDL_MouseButtonEvent& button, bool down,
                                       int screenWidth, int screenHeight) {
  uint32_t message;
  if (button.button == SDL_BUTTON_LEFT) {
    message = down ? msg::kLButtonDown : msg::kLButtonUp;
  } else if (button.button == SDL_BUTTON_RIGHT) {
    message = down ? msg::kRButtonDown : msg::kRButtonUp;
  } else {
    return std::nullopt;  // middle and extra buttons do nothing in the editor
  }
  return Message{message, 0, ClampedPosition(button.x, button.y, screenWidth, screenHeight)};
}

}  // namespace

std::optional<uint32_t> VirtualKeyOf(SDL_Keycode key) {
  for (const KeyEntry& entry : kKeyTable) {
    if (entry.sdl == key) return entry.vk;
  }
  return std::nullopt;
}

HeldKeys HeldKeysOf(uint16_t sdlModifiers) {
  HeldKeys held = 0;
  if ((sdlModifiers & KMOD_CTRL) != 0) held |= kHeldControl;
  if ((sdlModifiers & KMOD_SHIFT) != 0) held |= kHeldShift;
  if ((sdlModifiers & KMOD_ALT) != 0) held |= kHeldMenu;
  return held;
}

std::optional<Message> TranslateEvent(const SDL_Event& event, int screenWidth, int screenHeight,
                                      bool* toggleFullscreen) {
  switch (event.type) {
    case SDL_KEYDOWN:
      return TranslateKeyDown(event.key, toggleFullscreen);
    case SDL_MOUSEMOTION:
      return Message{msg::kMouseMove, 0,
                     ClampedPosition(event.motion.x, event.motion.y, screenWidth, screenHeight)};
    case SDL_MOUSEBUTTONDOWN:
      return TranslateButton(event.button, true, screenWidth, screenHeight);
    case SDL_MOUSEBUTTONUP:
      return TranslateButton(event.button, false, screenWidth, screenHeight);
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return Message{msg::kClose, 0, 0};
      return std::nullopt;
    case SDL_QUIT:
      return Message{msg::kClose, 0, 0};
    default:
      return std::nullopt;  // key releases, text input and the rest mean nothing here
  }
}

}  // namespace boxedit
