// The Windows edition's back end: one window of class "Sample", the Win32 message loop feeding
// the editor's window procedure (the seam already speaks Windows numbers), the screen on
// DirectDraw in exclusive full-screen mode or, after Alt+Enter or when that mode is refused, in
// a resizable window presented with GDI, and the multimedia timer's millisecond clock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backends/win32/ddraw_screen.h"
#include "backends/win32/windows_api.h"
#include "platform/platform.h"

namespace boxedit {

class Win32Platform : public Platform, public Screen {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // timeGetTime, at 1 ms resolution while the platform lives.
  uint32_t ClockMs() override { return timeGetTime(); }
  // Sleeps through the wait; the system wakes the thread within the timer's resolution.
  void Idle(uint32_t remainingMs) override { Sleep(remainingMs); }

  bool OpenWindow(const std::string& title, WindowProc proc, std::string* error) override;
  void DestroyWindow() override;
  Screen& screen() override { return *this; }

  // DirectDraw in exclusive mode; when it is refused, a window presented with GDI, in 5-6-5.
  bool OpenScreen(int width, int height, bool* is565, std::string* error) override;
  void CloseScreen() override;
  void Present(const uint16_t* pixels, int pitchBytes, int width, int height) override;
  void PresentAgain() override;

  bool PeekMessage() override;
  // Takes the next message of the editor's table, dispatching the system's own messages on the
  // way; when only those were waiting, gives the null message (0), which the editor passes on.
  // The modifiers come from GetKeyState: the thread's key state moves on as input messages are
  // taken from its queue, so as a message is taken it is that of the message.
  bool GetMessage(Message* out) override;
  void PostMessage(const Message& m) override;
  void PostQuitMessage(int exitCode) override;
  intptr_t DefWindowProc(const Message& m) override;

  // Why the full screen was refused at start, if it was; the editor then runs in a window.
  const std::string& fullScreenRefusal() const { return fullScreenRefusal_; }

 private:
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void ToggleFullScreen();
  void EnterWindowed();
  void PaintLastFrame();
  // A mouse position of the client area on the width x height screen, clamped onto it.
  LPARAM ScreenPosition(LPARAM client) const;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  WindowProc proc_;
  DirectDrawScreen fullScreen_;
  bool screenOpen_ = false;
  bool is565_ = true;  // chosen once, when the screen opens; the windowed view converts it
  int width_ = 640, height_ = 480;
  std::vector<uint16_t> lastFrame_;  // the frame on the screen, rows 4-byte aligned
  bool mustPresent_ = true;          // the next frame is shown even when it equals lastFrame_
  std::string fullScreenRefusal_;
};

}  // namespace boxedit
