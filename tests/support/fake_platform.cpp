#include "fake_platform.h"

#include <cstring>
#include <utility>

namespace boxedit::testing {

bool FakePlatform::OpenWindow(const std::string& title, WindowProc proc, std::string*) {
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

bool FakePlatform::OpenScreen(int, int, bool* is565, std::string* error) {
  if (failOpenScreen) {
    if (error != nullptr) *error = openScreenError;
    return false;
  }
  *is565 = screenIs565;
  return true;
}

void FakePlatform::CloseScreen() {
  ++closeScreenCalls;
}

void FakePlatform::Present(const uint16_t* pixels, int pitchBytes, int width, int height) {
  ++presentCount;
  presentWidth = width;
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
  queue.PostQuit(exitCode);
}

uint32_t FakePlatform::ClockMs() {
  return nowMs;
}

void FakePlatform::Idle(uint32_t remainingMs) {
  nowMs += remainingMs;
}

}  // namespace boxedit::testing
