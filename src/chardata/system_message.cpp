#include "chardata/system_message.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstring>
#endif

namespace boxedit {

std::string SystemMessage(unsigned long code) {
#if defined(_WIN32)
  char text[256] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  std::string message = text;
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.' || message.back() == ' ')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(code) : message;
#else
  return std::strerror(static_cast<int>(code));
#endif
}

}  // namespace boxedit
