// The scripted back end: input from a replay script, a virtual clock that jumps to each
// deadline at once, and a screen that keeps the last presented frame for images and tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backends/headless/image_writer.h"
#include "backends/headless/replay_script.h"
#include "platform/message_queue.h"
#include "platform/platform.h"

namespace boxedit {

struct HeadlessOptions {
  bool is565 = true;            // the screen's layout; false gives 5-5-5
  uint32_t clockStartMs = 0;    // the first clock reading
  bool failOpenWindow = false;  // OpenWindow refuses, as a desktop without a display would
  bool failOpenScreen = false;  // OpenScreen refuses, as a missing video device would
};

class HeadlessPlatform : public Platform, public Screen {
 public:
  explicit HeadlessPlatform(std::vector<ReplayCommand> script = {}, HeadlessOptions options = {});

  uint32_t ClockMs() override { return clockMs_; }
  // Waits are instant: the clock jumps to the deadline.
  void Idle(uint32_t remainingMs) override { clockMs_ += remainingMs; }

  bool OpenWindow(const std::string& title, WindowProc proc, std::string* error) override;
  void DestroyWindow() override;
  Screen& screen() override { return *this; }
  bool OpenScreen(int width, int height, bool* is565, std::string* error) override;
  void CloseScreen() override;
  void Present(const uint16_t* pixels, int pitchBytes, int width, int height) override;

  // True when a message waits. Otherwise plays the script forward: returns false once for each
  // frame a `frame` command asks for, queues the next message command and returns true, writes
  // shots on the way. At the script's end queues the close message once, then the quit message.
  bool PeekMessage() override;
  bool GetMessage(Message* out) override;
  void PostMessage(const Message& m) override { queue_.Post(m); }
  void PostQuitMessage(int exitCode) override;

  // What a test or the replay looks at.
  bool windowOpen() const { return windowOpen_; }
  bool screenOpen() const { return screenOpen_; }
  const std::string& windowTitle() const { return title_; }
  bool is565() const { return options_.is565; }
  int presentCount() const { return presentCount_; }
  // The frame the screen shows now: width x height pixels, tightly packed, in the screen's
  // layout; black until the first Present.
  const std::vector<uint16_t>& shownPixels() const { return shown_; }
  int shownWidth() const { return shownWidth_; }
  int shownHeight() const { return shownHeight_; }
  FrameView ShownFrame() const;
  // The shots that could not be written, one message each ("cannot write FILE: reason").
  const std::vector<std::string>& shotErrors() const { return shotErrors_; }
  // True once every command of the script has been played.
  bool scriptFinished() const { return next_ >= script_.size(); }

 private:
  // Plays script commands until one queues a message (true) or asks for a frame (false).
  bool PlayScript();
  // Queues a key as a keyboard sends it: a key-down for each modifier in `held`, Ctrl, Shift,
  // then Alt, with the modifiers pressed so far held, then the key's with all of them held. They
  // are let go at once: later messages have none held.
  void PressKey(uint32_t code, HeldKeys held);
  void TakeShot(const std::string& file);

  std::vector<ReplayCommand> script_;
  HeadlessOptions options_;
  size_t next_ = 0;             // the next script command to play
  uint32_t pendingFrames_ = 0;  // frames still owed to the last `frame` command
  bool closeQueued_ = false;    // the close message that ends the editor at the script's end
  MessageQueue queue_;
  uint32_t clockMs_;

  WindowProc proc_;
  std::string title_;
  bool windowOpen_ = false;
  bool screenOpen_ = false;
  int presentCount_ = 0;
  int shownWidth_ = 640;
  int shownHeight_ = 480;
  std::vector<uint16_t> shown_;
  std::vector<std::string> shotErrors_;
};

}  // namespace boxedit
