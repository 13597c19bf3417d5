// The queue of window messages that every back end keeps: messages in the order they were
// posted, the quit message among them, each with the modifier keys held when it was sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "platform/messages.h"

namespace boxedit {

// The modifier keys held when a message was sent, a bit each. A back end that turns input into
// queued messages records them with each message and makes them current when the message is
// taken, so that Platform::KeyHeld answers as of the message being handled, not as of now.
using HeldKeys = uint8_t;
inline constexpr HeldKeys kHeldControl = 1;
inline constexpr HeldKeys kHeldShift = 2;
inline constexpr HeldKeys kHeldMenu = 4;

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

class MessageQueue {
 public:
  bool Empty() const { return entries_.empty(); }
  size_t Size() const { return entries_.size(); }
  const Message& Front() const { return entries_.front().message; }
  // True when a message of this kind waits.
  bool Holds(uint32_t message) const;

  void Post(const Message& m, HeldKeys held = 0) { entries_.push_back(Entry{m, held}); }
  void PostQuit(int exitCode) {
    entries_.push_back(Entry{Message{msg::kQuit, static_cast<uintptr_t>(exitCode), 0}, 0});
  }
  // Takes the oldest message into *out, and the keys held with it into *held (may be null);
  // false when it is the quit message. The queue must not be empty.
  bool Take(Message* out, HeldKeys* held = nullptr);
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    Message message;
    HeldKeys held;
  };
  std::deque<Entry> entries_;
};

}  // namespace boxedit
