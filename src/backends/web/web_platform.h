// The web back end, built with Emscripten: frames put on the page's 640x480 canvas, keyboard and
// mouse events of the page translated into window messages on a queue of our own, the page's
// clock, and waits that hand the thread back to the browser.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_queue.h"
#include "platform/platform.h"

namespace boxedit {

class WebPlatform : public Platform, public Screen {
 public:
  WebPlatform();
  ~WebPlatform() override;
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

  // Milliseconds since the platform was made, from the page's performance clock.
  uint32_t ClockMs() override;
  // Sleeps with emscripten_sleep, built with Asyncify: the editor's call stack is saved, the
  // browser runs its event loop (input, painting) until a timer resumes the stack where it
  // stopped. The shell's loop and frame pacing stay those of the desktop, and the page never
  // blocks.
  void Idle(uint32_t remainingMs) override;

  // Starts listening to the page's keyboard and its canvas's mouse; false without a canvas.
  bool OpenWindow(const std::string& title, WindowProc proc, std::string* error) override;
  // Stops listening and delivers the destroy message to the window procedure at once.
  void DestroyWindow() override;
  Screen& screen() override { return *this; }
  bool OpenScreen(int width, int height, bool* is565, std::string* error) override;
  void CloseScreen() override;
  // Converts the frame to RGBA with the shots' PixelToRgb and puts it on the canvas; a frame
  // equal to the one shown is skipped.
  void Present(const uint16_t* pixels, int pitchBytes, int width, int height) override;
  void PresentAgain() override;

  // True when a message waits; also tells the page when the watched file was replaced.
  bool PeekMessage() override;
  // Takes the next message, sleeping while none waits; false on the quit message.
  bool GetMessage(Message* out) override;
  void PostMessage(const Message& m) override { queue_.Post(m); }
  void PostQuitMessage(int exitCode) override { queue_.PostQuit(exitCode); }

  // Input from the page's listeners, each with the modifiers its event says were held. KeyDown
  // is true when the key is the editor's: the page then prevents the browser's own action.
  bool KeyDown(std::string_view key, std::string_view code, HeldKeys held);
  void Mouse(int event, int button, int x, int y, HeldKeys held);
  // The close request of the page (when another character is opened): Esc's close message.
  void RequestClose();
  size_t pendingMessages() const { return queue_.Size(); }

  // The page is told (Module.boxeditFileReplaced) each time `file` is written anew, so that it
  // can offer the saved list for download.
  void OfferWhenReplaced(std::filesystem::path file);

  // The platform whose window is open, for the page's listeners; null when there is none.
  static WebPlatform* current();

 private:
  // The identity of the watched file as it is now: its inode, which every save's rename
  // changes; 0 when it is missing.
  ino_t WatchedIdentity() const;

  double originMs_;
  double wakeMs_;       // when the last sleep ended
  double frameWorkMs_;  // time spent outside sleeps since the last frame was presented
  WindowProc proc_;
  bool windowOpen_ = false;
  bool screenOpen_ = false;
  MessageQueue queue_;
  int screenWidth_ = 640;
  int screenHeight_ = 480;
  std::vector<uint16_t> shown_;  // the frame on the canvas, packed, in the screen's layout
  std::vector<uint8_t> rgba_;    // the same frame as the canvas takes it
  bool shownValid_ = false;
  std::filesystem::path watched_;
  ino_t watchedIdentity_ = 0;
  bool watchDue_ = true;  // a message was taken since the file was last looked at
};

}  // namespace boxedit
