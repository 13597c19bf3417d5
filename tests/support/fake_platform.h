// A recording stand-in for the platform: frames counted, the last kept; a clock moved when told.
#pragma once

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

  bool screenIs565;             // the layout OpenScreen reports
  bool failOpenScreen = false;  // OpenScreen fails with `openScreenError`
  std::string openScreenError = "no video device";
  uint32_t nowMs = 0;  // what ClockMs returns
  bool windowOpen = false, quitPosted = false;
  std::string windowTitle;
  WindowProc windowProc;
  int closeScreenCalls = 0, presentCount = 0, presentWidth = 0;
  std::vector<uint16_t> lastFrame;  // rows packed without padding
  MessageQueue queue;

  uint16_t FramePixel(int x, int y) const { return lastFrame.at(size_t(y) * presentWidth + x); }
  Screen& screen() override { return *this; }
  bool OpenWindow(const std::string& title, WindowProc proc, std::string*) override {
    windowTitle = title;
    windowProc = std::move(proc);
    return windowOpen = true;
  }
  void DestroyWindow() override {
    if (std::exchange(windowOpen, false) && windowProc) windowProc(Message{msg::kDestroy, 0, 0});
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
    lastFrame.resize(size_t(width) * height);
    for (int y = 0; y < height; ++y)
      std::memcpy(&lastFrame[size_t(y) * width],
                  reinterpret_cast<const uint8_t*>(pixels) + size_t(pitchBytes) * y, width * 2);
  }
  bool PeekMessage() override { return !queue.Empty(); }
  // An empty queue returns false at once, as the quit message does, so a loop under test ends.
  bool GetMessage(Message* out) override {
    if (!queue.Empty()) return queue.Take(out);
    *out = Message{msg::kQuit, 0, 0};
    return false;
  }
  void PostMessage(const Message& m) override { queue.Post(m); }
  void PostQuitMessage(int exitCode) override { quitPosted = true, queue.PostQuit(exitCode); }
  uint32_t ClockMs() override { return nowMs; }
  void Idle(uint32_t remainingMs) override { nowMs += remainingMs; }  // jumps to the deadline
};

}  // namespace boxedit::testing
