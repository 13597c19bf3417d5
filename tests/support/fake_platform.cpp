#include "fake_platform.h"

#include <cstring>
#include <utility>

namespace boxedit::testing {

bool FakePlatform::OpenWindow(const std::string& title, WindowProc proc, std::string* error) {
  if (failOpenWindow) {
    if (error != nullptr) *error = "no window";
    return false;
  }
  windowOpen = true;
  windowTitle = title;
  windowProc = std::move(proc);
  return true;
}

void FakePlatform::DestroyWindow() {
  if (!windowOpen) return;
  windowOpen = false;
  if (windowProc) windowProc(Message{msg::kDestroy, 0, 0});
}

bool FakePlatform::OpenScreen(int width, int height, bool* is565, std::string* error) {
  ++openScreenCalls;
  if (failOpenScreen) {
    if (error != nullptr) *error = openScreenError;
    return false;
  }
  screenOpen = true;
  screenWidth = width;
  screenHeight = height;
  *is565 = screenIs565;
  return true;
}

void FakePlatform::CloseScreen() {
  ++closeScreenCalls;
  screenOpen = false;
}

void FakePlatform::Present(const uint16_t* pixels, int pitchBytes, int width, int height) {
  ++presentCount;
  presentWidth = width;
  presentHeight = height;
  lastFrame.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const auto* row =
        reinterpret_cast<const uint8_t*>(pixels) + static_cast<size_t>(pitchBytes) * y;
    std::memcpy(lastFrame.data() + static_cast<size_t>(y) * width, row, width * sizeof(uint16_t));
  }
}

bool FakePlatform::PeekMessage() {
  return !queue.Empty();
}

bool FakePlatform::GetMessage(Message* out) {
  if (queue.Empty()) {
    *out = Message{msg::kQuit, 0, 0};
    return false;
  }
  return queue.Take(out);
}

void FakePlatform::PostMessage(const Message& m) {
  queue.Post(m);
}

void FakePlatform::PostQuitMessage(int exitCode) {
  quitPosted = true;
  quitCode = exitCode;
  queue.PostQuit(exitCode);
}

uint32_t FakePlatform::ClockMs() {
  ++clockReads;
  const uint32_t now = nowMs;
  nowMs += msPerClockRead;  // unsigned: wraps like the real clock
  return now;
}

void FakePlatform::Idle(uint32_t remainingMs) {
  idleCalls.push_back(remainingMs);
  nowMs += remainingMs;
}

}  // namespace boxedit::testing
