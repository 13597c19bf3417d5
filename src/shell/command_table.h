// Every key and mouse action of the editor in one table: what the window procedure runs for it,
// and the line the key help shows of it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/messages.h"
#include "view/key_help.h"

namespace boxedit {

enum class Command : uint8_t {
  kNone,  // the key does nothing but the corner ordering every key runs
  kPreviousPattern,
  kNextPattern,
  kSelectDefense0,
  kSelectDefense1,
  kSelectAttack0,
  kSetUpperLeft,   // left button: press, and drag while held
  kSetLowerRight,  // right button
  kMouseMove,
  kReleaseLeft,
  kReleaseRight,
  kClearBox,
  kClearAttackBoxes,
  kCopyAttackToDefense1,
  kCopyBoxes,
  kPasteBoxes,
  kUndo,
  kRedo,
  kPlay,
  kOnionSkin,
  kSave,        // amount 0: layout S, 1: layout L
  kFullScreen,  // the window's own: the back ends switch before the editor sees the key
  kClose,       // or, while a value is typed, its cancel
  kKeyHelp,
  kReload,  // reads the character's files again
  kNextField,
  kPreviousField,
  kTypeCharacter,
  kTakeBack,
  kEndEntry,
  kStepValue,  // by amount
  kNudgeX,     // by amount
  kNudgeY,
  // While a motion plays or is paused:
  kPauseOrGoOn,
  kStepFrame,      // amount 1: on, -1: back
  kPlaybackSpeed,  // amount 1: twice as fast, -1: half as fast
  kPlayAgain,      // from the first frame when paused; while playing, it stops as any key does
};

struct CommandEntry {
  uint32_t message;  // msg::kKeyDown, or the mouse message
  uint32_t key;      // the virtual key of a key-down; 0 for a mouse message
  HeldKeys held;     // the modifiers that must be held; others may be held as well
  Command command;
  int32_t amount;
  // The key help's line: the keys and what they do; the entries after the first of a line
  // have none.
  std::string_view keys, help;
  bool whilePlaying = false;  // the key's meaning while a motion plays or is paused
};

std::span<const CommandEntry> CommandTable();
// The lines of the key help: the entries that have one, in the table's order.
std::span<const HelpLine> KeyHelpLines();
// The entry for a message with the modifiers held, while a motion plays or not: of those that
// match, the one that asks for the most modifiers (Ctrl+Shift+Z before Ctrl+Z before Z). Null
// when none matches.
const CommandEntry* FindCommand(uint32_t message, uint32_t key, HeldKeys held,
                                bool playing = false);

}  // namespace boxedit
