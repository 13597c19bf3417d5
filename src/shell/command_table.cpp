#include "shell/command_table.h"

#include <array>
#include <bit>
#include <vector>

namespace boxedit {
namespace {

using C = Command;
constexpr uint32_t kKey = msg::kKeyDown;
constexpr HeldKeys kCtrl = kHeldControl;
constexpr HeldKeys kShift = kHeldShift;
constexpr HeldKeys kCtrlShift = kHeldControl | kHeldShift;

// In the key help's order. The font has capitals, digits and a few signs only.
constexpr std::array kCommands{
    CommandEntry{kKey, vk::kUp, 0, C::kPreviousPattern, 0, "UP DOWN", "PREVIOUS, NEXT PATTERN"},
    CommandEntry{kKey, vk::kDown, 0, C::kNextPattern, 0, "", ""},
    CommandEntry{kKey, vk::kF1, 0, C::kSelectDefense0, 0, "F1 F2 F5", "DEFENSE 0, 1, ATTACK 0"},
    CommandEntry{kKey, vk::kF2, 0, C::kSelectDefense1, 0, "", ""},
    CommandEntry{kKey, vk::kF5, 0, C::kSelectAttack0, 0, "", ""},
    CommandEntry{msg::kLButtonDown, 0, 0, C::kSetUpperLeft, 0, "LEFT BUTTON", "UPPER-LEFT CORNER"},
    CommandEntry{msg::kRButtonDown, 0, 0, C::kSetLowerRight, 0, "RIGHT BUTTON",
                 "LOWER-RIGHT CORNER"},
    CommandEntry{msg::kMouseMove, 0, 0, C::kMouseMove, 0, "", ""},
    CommandEntry{msg::kLButtonUp, 0, 0, C::kReleaseLeft, 0, "", ""},
    CommandEntry{msg::kRButtonUp, 0, 0, C::kReleaseRight, 0, "", ""},
    CommandEntry{kKey, vk::kLeft, 0, C::kClearBox, 0, "LEFT RIGHT", "CLEAR THE BOX"},
    CommandEntry{kKey, vk::kRight, 0, C::kClearBox, 0, "", ""},
    CommandEntry{kKey, vk::kLeft, kCtrl, C::kNudgeX, -1, "CTRL+ARROWS", "MOVE THE BOX (SHIFT 8)"},
    CommandEntry{kKey, vk::kRight, kCtrl, C::kNudgeX, 1, "", ""},
    CommandEntry{kKey, vk::kUp, kCtrl, C::kNudgeY, 1, "", ""},
    CommandEntry{kKey, vk::kDown, kCtrl, C::kNudgeY, -1, "", ""},
    CommandEntry{kKey, vk::kLeft, kCtrlShift, C::kNudgeX, -8, "", ""},
    CommandEntry{kKey, vk::kRight, kCtrlShift, C::kNudgeX, 8, "", ""},
    CommandEntry{kKey, vk::kUp, kCtrlShift, C::kNudgeY, 8, "", ""},
    CommandEntry{kKey, vk::kDown, kCtrlShift, C::kNudgeY, -8, "", ""},
    CommandEntry{kKey, vk::kHome, 0, C::kClearAttackBoxes, 0, "HOME END", "CLEAR ATTACK BOXES"},
    CommandEntry{kKey, vk::kEnd, 0, C::kClearAttackBoxes, 0, "", ""},
    CommandEntry{kKey, 'C', 0, C::kCopyAttackToDefense1, 0, "C", "ATTACK 0 TO DEFENSE 1"},
    CommandEntry{kKey, 'C', kCtrl, C::kCopyBoxes, 0, "CTRL+C CTRL+V", "COPY, PASTE BOXES"},
    CommandEntry{kKey, 'V', kCtrl, C::kPasteBoxes, 0, "", ""},
    CommandEntry{kKey, 'Z', kCtrl, C::kUndo, 0, "CTRL+Z", "UNDO"},
    CommandEntry{kKey, 'Y', kCtrl, C::kRedo, 0, "CTRL+Y", "REDO (CTRL+SHIFT+Z)"},
    CommandEntry{kKey, 'Z', kCtrlShift, C::kRedo, 0, "", ""},
    CommandEntry{kKey, vk::kTab, 0, C::kNextField, 0, "TAB SHIFT+TAB", "NEXT, PREVIOUS FIELD"},
    CommandEntry{kKey, vk::kTab, kShift, C::kPreviousField, 0, "", ""},
    CommandEntry{kKey, '0', 0, C::kTypeCharacter, 0, "0-9 -", "TYPE A VALUE, ENTER ENDS"},
    CommandEntry{kKey, '1', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '2', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '3', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '4', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '5', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '6', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '7', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '8', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, '9', 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 1, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 2, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 3, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 4, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 5, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 6, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 7, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 8, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kNumpad0 + 9, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kOemMinus, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kSubtract, 0, C::kTypeCharacter, 0, "", ""},
    CommandEntry{kKey, vk::kReturn, 0, C::kEndEntry, 0, "", ""},
    CommandEntry{kKey, vk::kBack, 0, C::kTakeBack, 0, "BACKSPACE", "TAKE BACK A CHARACTER"},
    CommandEntry{kKey, vk::kPrior, 0, C::kStepValue, 1, "PGUP PGDN", "VALUE +1 -1 (SHIFT 10)"},
    CommandEntry{kKey, vk::kNext, 0, C::kStepValue, -1, "", ""},
    CommandEntry{kKey, vk::kPrior, kShift, C::kStepValue, 10, "", ""},
    CommandEntry{kKey, vk::kNext, kShift, C::kStepValue, -10, "", ""},
    CommandEntry{kKey, 'P', 0, C::kPlay, 0, "P", "PLAY THE MOTION"},
    CommandEntry{kKey, vk::kSpace, 0, C::kPauseOrGoOn, 0, "SPACE", "PAUSE, GO ON (PLAYING)", true},
    CommandEntry{kKey, vk::kLeft, 0, C::kStepFrame, -1, "LEFT RIGHT", "FRAME BACK, ON (PLAYING)",
                 true},
    CommandEntry{kKey, vk::kRight, 0, C::kStepFrame, 1, "", "", true},
    CommandEntry{kKey, vk::kUp, 0, C::kPlaybackSpeed, 1, "UP DOWN", "FASTER, SLOWER (PLAYING)",
                 true},
    CommandEntry{kKey, vk::kDown, 0, C::kPlaybackSpeed, -1, "", "", true},
    CommandEntry{kKey, 'P', 0, C::kPlayAgain, 0, "", "", true},
    CommandEntry{kKey, 'O', 0, C::kOnionSkin, 0, "O", "ONION SKIN"},
    CommandEntry{kKey, 'S', 0, C::kSave, 0, "S L", "SAVE MOTION2.LST"},
    CommandEntry{kKey, 'L', 0, C::kSave, 1, "", ""},
    CommandEntry{kKey, vk::kReturn, kHeldMenu, C::kFullScreen, 0, "ALT+ENTER",
                 "FULL SCREEN, WINDOW"},
    CommandEntry{kKey, vk::kF1 + 8, 0, C::kReload, 0, "F9", "READ THE FILES AGAIN"},
    CommandEntry{kKey, vk::kEscape, 0, C::kClose, 0, "ESC", "CANCEL A VALUE, OR CLOSE"},
    CommandEntry{kKey, vk::kF12, 0, C::kKeyHelp, 0, "F12 H", "THIS HELP"},
    CommandEntry{kKey, 'H', 0, C::kKeyHelp, 0, "", ""},
};

}  // namespace

std::span<const CommandEntry> CommandTable() {
  return kCommands;
}

std::span<const HelpLine> KeyHelpLines() {
  static const std::vector<HelpLine> lines = [] {
    std::vector<HelpLine> found;
    for (const CommandEntry& c : kCommands) {
      if (!c.keys.empty()) found.push_back({c.keys, c.help});
    }
    return found;
  }();
  return lines;
}

const CommandEntry* FindCommand(uint32_t message, uint32_t key, HeldKeys held, bool playing) {
  const CommandEntry* found = nullptr;
  for (const CommandEntry& c : kCommands) {
    if (c.message != message || c.key != key || (held & c.held) != c.held) continue;
    if (c.whilePlaying != playing) continue;
    if (found == nullptr || std::popcount(c.held) > std::popcount(found->held)) found = &c;
  }
  return found;
}

}  // namespace boxedit
