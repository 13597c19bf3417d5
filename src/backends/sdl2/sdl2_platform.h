// The desktop back end: one full-screen-desktop SDL window with a renderer scaled to the
// editor's 640x480 logical screen, a streaming 16-bit texture presented each flip, SDL events
// translated into window messages on a queue of our own, and SDL's millisecond ticks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_queue.h"
#include "platform/platform.h"
#include "platform/steady_clock.h"

// SDL's own types, declared here so that the editor's code never sees SDL's headers.
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace boxedit {

// True when SDL's video `driver` shows nothing on any screen (its offscreen and dummy drivers)
// and `requested`, the comma-separated SDL_VIDEODRIVER list, does not name it: SDL falls back
// to such a driver when there is no display, and the editor would then run unseen.
bool IsUnrequestedWindowlessDriver(std::string_view driver, std::string_view requested);

class Sdl2Platform : public Platform, public Screen {
 public:
  Sdl2Platform();
  ~Sdl2Platform() override;
  Sdl2Platform(const Sdl2Platform&) = delete;
  Sdl2Platform& operator=(const Sdl2Platform&) = delete;

  uint32_t ClockMs() override { return clock_.ClockMs(); }
  // Sleeps to the deadline: an idle editor costs a wake-up a frame and nothing more.
  void Idle(uint32_t remainingMs) override { clock_.Idle(remainingMs); }

  // Starts SDL's video and opens the window; false with SDL's reason when there is no display.
  bool OpenWindow(const std::string& title, WindowProc proc, std::string* error) override;
  void DestroyWindow() override;
  Screen& screen() override { return *this; }
  bool OpenScreen(int width, int height, bool* is565, std::string* error) override;
  void CloseScreen() override;
  void Present(const uint16_t* pixels, int pitchBytes, int width, int height) override;
  void PresentAgain() override;

  bool PeekMessage() override;
  bool GetMessage(Message* out) override;
  void PostMessage(const Message& m) override { queue_.Post(m); }
  void PostQuitMessage(int exitCode) override;

  // True while the window covers the desktop; Alt+Enter switches to a window and back.
  bool fullscreen() const { return fullscreen_; }
  bool screenOpen() const { return texture_ != nullptr; }
  // SDL's number of the window (0 when there is none), for events aimed at it.
  uint32_t windowId() const;

 private:
  struct SdlSession;  // made once SDL_Init succeeds; SDL_Quit when it goes
  struct Deleter {
    void operator()(SDL_Window* window) const;
    void operator()(SDL_Renderer* renderer) const;
    void operator()(SDL_Texture* texture) const;
    void operator()(SdlSession* session) const;
  };

  // Translates one SDL event and queues its message, if the window is there to receive it.
  void Take(const SDL_Event& event);
  void ToggleFullscreen();

  // Declared in the order of creation, so they are destroyed in reverse.
  std::unique_ptr<SdlSession, Deleter> session_;
  std::unique_ptr<SDL_Window, Deleter> window_;
  std::unique_ptr<SDL_Renderer, Deleter> renderer_;
  std::unique_ptr<SDL_Texture, Deleter> texture_;

  SteadyClock clock_;
  WindowProc proc_;
  MessageQueue queue_;
  // The modifiers of the last key event taken from SDL, which every message made after it
  // carries (SDL's own modifier state is already that of events still waiting).
  HeldKeys keyboardHeld_ = 0;
  int screenWidth_ = 640;
  int screenHeight_ = 480;
  // Scales `pixels` (the screen's size, rows pitchBytes apart) onto the window.
  void Show(const void* pixels, int pitchBytes);

  std::vector<uint8_t> shown_;  // the rows of the frame on the screen, packed
  bool mustPresent_ = true;     // the next frame is shown even when it equals shown_
  bool fullscreen_ = false;
};

}  // namespace boxedit
