// A recording stand-in for the platform, for unit tests: a screen in a chosen layout whose
// presented frames are counted and the last one kept, a clock that moves only when told, a
// plain message queue and held keys the test sets. Nothing is drawn and nothing blocks.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_queue.h"
#include "platform/platform.h"

namespace boxedit::testing {

class FakePlatform : public Platform, public Screen {
 public:
  explicit FakePlatform(bool is565 = true) : screenIs565(is565) {}

  // --- What a test sets up.
  bool screenIs565;             // the layout OpenScreen reports
  bool failOpenScreen = false;  // OpenScreen fails with `openScreenError`
  std::string openScreenError = "no video device";
  uint32_t nowMs = 0;  // what ClockMs returns

  // --- What the fake recorded.
  bool windowOpen = false;
  std::string windowTitle;
  WindowProc windowProc;  // the procedure given to OpenWindow
  int closeScreenCalls = 0;
  int presentCount = 0;
  int presentWidth = 0;
  std::vector<uint16_t> lastFrame;  // the last presented frame, rows packed without padding
  MessageQueue queue;               // messages waiting, oldest first
  bool quitPosted = false;

  // A pixel of the last presented frame.
  uint16_t FramePixel(int x, int y) const {
    return lastFrame.at(static_cast<size_t>(y) * presentWidth + x);
  }

  Screen& screen() override { return *this; }
  bool OpenWindow(const std::string& title, WindowProc proc, std::string*) override {
    windowOpen = true;
    windowTitle = title;
    windowProc = std::move(proc);
    return true;
  }
  // Closes the window and calls the window procedure with the destroy message at once.
  void DestroyWindow() override {
    if (!windowOpen) return;
    windowOpen = false;
    if (windowProc) windowProc(Message{msg::kDestroy, 0, 0});
  }
  bool OpenScreen(int, int, bool* is565, std::string* error) override {
    if (failOpenScreen && error != nullptr) *error = openScreenError;
    if (!failOpenScreen) *is565 = screenIs565;
    return !failOpenScreen;
  }
  void CloseScreen() override { ++closeScreenCalls; }
  void Present(const uint16_t* pixels, int pitchBytes, int width, int height) override {
    ++presentCount;
    presentWidth = width;
    lastFrame.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      std::memcpy(lastFrame.data() + static_cast<size_t>(y) * width,
                  reinterpret_cast<const uint8_t*>(pixels) + static_cast<size_t>(pitchBytes) * y,
                  width * sizeof(uint16_t));
    }
  }
  bool PeekMessage() override { return !queue.Empty(); }
  // Takes the oldest message. With an empty queue it returns false at once (as on the quit
  // message) instead of waiting, so that a loop under test always ends.
  bool GetMessage(Message* out) override {
    if (!queue.Empty()) return queue.Take(out);
    *out = Message{msg::kQuit, 0, 0};
    return false;
  }
  void PostMessage(const Message& m) override { queue.Post(m); }
  // Queues the quit message; GetMessage returns false when it reaches it.
  void PostQuitMessage(int exitCode) override {
    quitPosted = true;
    queue.PostQuit(exitCode);
  }
  uint32_t ClockMs() override { return nowMs; }
  // A wait with time left: the clock jumps to the deadline, as a virtual clock does.
  void Idle(uint32_t remainingMs) override { nowMs += remainingMs; }
};

}  // namespace boxedit::testing
