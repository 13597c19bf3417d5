// The queue of window messages that every back end keeps: messages in the order they were
// posted, the quit message among them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "platform/messages.h"

namespace boxedit {

class MessageQueue {
 public:
  bool Empty() const { return messages_.empty(); }
  size_t Size() const { return messages_.size(); }
  const Message& Front() const { return messages_.front(); }
  // True when a message of this kind waits.
  bool Holds(uint32_t message) const;

  void Post(const Message& m) { messages_.push_back(m); }
  void PostQuit(int exitCode) {
    messages_.push_back(Message{msg::kQuit, static_cast<uintptr_t>(exitCode), 0});
  }
  // Takes the oldest message into *out; false when it is the quit message. The queue must not
  // be empty.
  bool Take(Message* out);
  void Clear() { messages_.clear(); }

 private:
  std::deque<Message> messages_;
};

}  // namespace boxedit
