// Window messages and virtual-key codes, numbered as the Windows API numbers them: the window
// procedure's table is written in these numbers, and every back end translates to them once.
#pragma once

#include <cstdint>

namespace boxedit {

// The modifier keys held when a message was sent, a bit each.
using HeldKeys = uint8_t;
inline constexpr HeldKeys kHeldControl = 1;
inline constexpr HeldKeys kHeldShift = 2;
inline constexpr HeldKeys kHeldMenu = 4;  // Alt

struct Message {
  uint32_t message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  // The modifiers held when the message was sent: a back end records them with each message it
  // makes, so that the window procedure sees them as of the message, not as of its handling.
  HeldKeys held = 0;
};

namespace msg {
inline constexpr uint32_t kDestroy = 2;
inline constexpr uint32_t kClose = 16;
inline constexpr uint32_t kQuit = 18;
inline constexpr uint32_t kKeyDown = 256;
inline constexpr uint32_t kMouseMove = 512;
inline constexpr uint32_t kLButtonDown = 513;
inline constexpr uint32_t kLButtonUp = 514;
inline constexpr uint32_t kRButtonDown = 516;
inline constexpr uint32_t kRButtonUp = 517;
}  // namespace msg

// A mouse message's lParam: column in the low 16 bits, row in the high 16 bits.
inline constexpr intptr_t MakeMouseLParam(uint16_t column, uint16_t row) {
  return static_cast<intptr_t>(static_cast<uint32_t>(column) | (static_cast<uint32_t>(row) << 16));
}
inline constexpr uint16_t MouseColumn(intptr_t lParam) {
  return static_cast<uint16_t>(lParam & 0xFFFF);
}
inline constexpr uint16_t MouseRow(intptr_t lParam) {
  return static_cast<uint16_t>((static_cast<uintptr_t>(lParam) >> 16) & 0xFFFF);
}

namespace vk {
inline constexpr uint32_t kBack = 8;
inline constexpr uint32_t kTab = 9;
inline constexpr uint32_t kReturn = 13;
inline constexpr uint32_t kShift = 16;
inline constexpr uint32_t kControl = 17;
inline constexpr uint32_t kMenu = 18;  // Alt
inline constexpr uint32_t kEscape = 27;
inline constexpr uint32_t kSpace = 32;
inline constexpr uint32_t kPrior = 33;  // Page Up
inline constexpr uint32_t kNext = 34;   // Page Down
inline constexpr uint32_t kEnd = 35;
inline constexpr uint32_t kHome = 36;
inline constexpr uint32_t kLeft = 37;
inline constexpr uint32_t kUp = 38;
inline constexpr uint32_t kRight = 39;
inline constexpr uint32_t kDown = 40;
inline constexpr uint32_t kInsert = 45;
inline constexpr uint32_t kDelete = 46;
inline constexpr uint32_t k0 = 48;        // '0'..'9' are 48..57
inline constexpr uint32_t kA = 65;        // 'A'..'Z' are 65..90
inline constexpr uint32_t kNumpad0 = 96;  // numpad 0..9 are 96..105
inline constexpr uint32_t kMultiply = 106;
inline constexpr uint32_t kAdd = 107;
inline constexpr uint32_t kSubtract = 109;
inline constexpr uint32_t kDecimal = 110;
inline constexpr uint32_t kDivide = 111;
inline constexpr uint32_t kF1 = 112;  // F1..F12 are 112..123
inline constexpr uint32_t kF2 = 113;
inline constexpr uint32_t kF5 = 116;
inline constexpr uint32_t kF12 = 123;
inline constexpr uint32_t kOemMinus = 189;  // '-' of the main row
}  // namespace vk

// The bit of a modifier key (vk::kControl, vk::kShift, vk::kMenu); 0 for any other key.
inline constexpr HeldKeys HeldBitOf(uint32_t virtualKey) {
  switch (virtualKey) {
    case vk::kControl:
      return kHeldControl;
    case vk::kShift:
      return kHeldShift;
    case vk::kMenu:
      return kHeldMenu;
    default:
      return 0;
  }
}

}  // namespace boxedit
