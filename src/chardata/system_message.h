// The operating system's words for an error number: strerror on POSIX systems, FormatMessage
// (without its closing full stop and line end) on Windows, where it takes a GetLastError code.
#pragma once

#include <string>

namespace boxedit {

std::string SystemMessage(unsigned long code);

}  // namespace boxedit
