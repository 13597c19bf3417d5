// The seam between the editor and the machine: one window, its messages, a millisecond clock,
// and the screen (screen.h), which the display device alone uses. The back ends that make it
// real are in src/backends: sdl2/ (the desktop), win32/ (Windows), web/ (a web page) and
// headless/ (scripted replays).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/messages.h"
#include "platform/screen.h"

namespace boxedit {

using WindowProc = std::function<intptr_t(const Message&)>;

// The clock of the frame pacing: 32-bit milliseconds that wrap, and a way to give the
// processor back while a wait has time left.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t ClockMs() = 0;
  // Called while waiting with `remainingMs` (at least 1) left before the deadline.
  virtual void Idle(uint32_t remainingMs) = 0;
};

class Platform : public Clock {
 public:
  // Opens the full-screen window; its messages go to `proc` when the shell dispatches them.
  virtual bool OpenWindow(const std::string& title, WindowProc proc, std::string* error) = 0;
  // Destroys the window, delivering the destroy message to the window procedure at once.
  virtual void DestroyWindow() = 0;

  // The back end's screen, handed to the display device.
  virtual Screen& screen() = 0;

  // True when a message waits; never blocks.
  virtual bool PeekMessage() = 0;
  // Takes the next message, waiting for one if none waits; false on the quit message.
  virtual bool GetMessage(Message* out) = 0;
  virtual void PostMessage(const Message& m) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;
  // The result of a message the window procedure does not handle.
  virtual intptr_t DefWindowProc(const Message&) { return 0; }
};

}  // namespace boxedit
