#include "platform/message_queue.h"

#include <algorithm>

namespace boxedit {

bool MessageQueue::Holds(uint32_t message) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [message](const Entry& e) { return e.message.message == message; });
}

bool MessageQueue::Take(Message* out, HeldKeys* held) {
  *out = entries_.front().message;
  if (held != nullptr) *held = entries_.front().held;
  entries_.pop_front();
  return out->message != msg::kQuit;
}

}  // namespace boxedit
