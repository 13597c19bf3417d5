#include "platform/message_queue.h"

#include <algorithm>

namespace boxedit {

bool MessageQueue::Holds(uint32_t message) const {
  return std::any_of(messages_.begin(), messages_.end(),
                     [message](const Message& m) { return m.message == message; });
}

bool MessageQueue::Take(Message* out) {
  *out = messages_.front();
  messages_.pop_front();
  return out->message != msg::kQuit;
}

}  // namespace boxedit
