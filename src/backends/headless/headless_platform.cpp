#include "backends/headless/headless_platform.h"

#include <cstring>
#include <initializer_list>
#include <utility>

namespace boxedit {
namespace {

// Sides above this are refused, as the image writers refuse them.
constexpr int kMaxSide = 32767;

uint32_t MouseMessageOf(ReplayOp op) {
  switch (op) {
    case ReplayOp::kMove:
      return msg::kMouseMove;
    case ReplayOp::kLeftDown:
      return msg::kLButtonDown;
    case ReplayOp::kLeftUp:
      return msg::kLButtonUp;
    case ReplayOp::kRightDown:
      return msg::kRButtonDown;
    case ReplayOp::kRightUp:
      return msg::kRButtonUp;
    default:
      return 0;
  }
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::vector<ReplayCommand> script, HeadlessOptions options)
    : script_(std::move(script)),
      options_(options),
      clockMs_(options.clockStartMs),
      shown_(static_cast<size_t>(shownWidth_) * shownHeight_, 0) {}

bool HeadlessPlatform::OpenWindow(const std::string& title, WindowProc proc, std::string* error) {
  if (options_.failOpenWindow) {
    if (error) *error = "the headless window was refused on request";
    return false;
  }
  title_ = title;
  proc_ = std::move(proc);
  windowOpen_ = true;
  return true;
}

void HeadlessPlatform::DestroyWindow() {
  if (!windowOpen_) return;
  // Closed before the procedure runs, so a DestroyWindow from inside it does nothing.
  windowOpen_ = false;
  WindowProc proc = std::move(proc_);
  proc_ = nullptr;
  if (proc) proc(Message{msg::kDestroy, 0, 0});
}

bool HeadlessPlatform::OpenScreen(int width, int height, bool* is565, std::string* error) {
  if (options_.failOpenScreen) {
    if (error) *error = "the headless screen was refused on request";
    return false;
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    if (error) {
      *error = "cannot open a " + std::to_string(width) + "x" + std::to_string(height) + " screen";
    }
    return false;
  }
  shownWidth_ = width;
  shownHeight_ = height;
  shown_.assign(static_cast<size_t>(width) * height, 0);
  screenOpen_ = true;
  if (is565) *is565 = options_.is565;
  return true;
}

void HeadlessPlatform::CloseScreen() {
  screenOpen_ = false;
}

void HeadlessPlatform::Present(const uint16_t* pixels, int pitchBytes, int width, int height) {
  if (pixels == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      pitchBytes < width * 2) {
    return;
  }
  shownWidth_ = width;
  shownHeight_ = height;
  shown_.resize(static_cast<size_t>(width) * height);
  const auto* source = reinterpret_cast<const uint8_t*>(pixels);
  for (int y = 0; y < height; ++y) {
    std::memcpy(shown_.data() + static_cast<size_t>(y) * width,
                source + static_cast<size_t>(y) * pitchBytes, static_cast<size_t>(width) * 2);
  }
  ++presentCount_;
}

FrameView HeadlessPlatform::ShownFrame() const {
  return FrameView{shown_.data(), shownWidth_ * 2, shownWidth_, shownHeight_,
                   LayoutOf(options_.is565)};
}

bool HeadlessPlatform::PeekMessage() {
  if (!queue_.Empty()) return true;
  if (pendingFrames_ > 0) {
    --pendingFrames_;
    return false;
  }
  return PlayScript();
}

bool HeadlessPlatform::GetMessage(Message* out) {
  while (queue_.Empty()) {
    // A caller waiting here draws no frames, so frames owed to the script lapse.
    pendingFrames_ = 0;
    PlayScript();
  }
  return queue_.Take(out);
}

void HeadlessPlatform::PostQuitMessage(int exitCode) {
  queue_.PostQuit(exitCode);
}

bool HeadlessPlatform::PlayScript() {
  while (next_ < script_.size()) {
    const ReplayCommand& command = script_[next_++];
    switch (command.op) {
      case ReplayOp::kKey:
        PressKey(command.value, command.held);
        return true;
      case ReplayOp::kType:
        // The keys follow one another with no frame between, as `key` lines would.
        for (const char c : command.text) {
          if (const std::optional<uint32_t> code = ReplayTypedKeyCode(c)) PressKey(*code, 0);
        }
        return true;
      case ReplayOp::kMove:
      case ReplayOp::kLeftDown:
      case ReplayOp::kLeftUp:
      case ReplayOp::kRightDown:
      case ReplayOp::kRightUp:
        queue_.Post(Message{MouseMessageOf(command.op), 0, MakeMouseLParam(command.x, command.y)});
        return true;
      case ReplayOp::kClose:
        queue_.Post(Message{msg::kClose, 0, 0});
        return true;
      case ReplayOp::kFrame:
        if (command.value == 0) break;
        pendingFrames_ = command.value - 1;  // this call answers for the first frame
        return false;
      case ReplayOp::kShot:
        TakeShot(command.text);
        break;
    }
  }
  // The script is over: the close message that Esc sends ends the editor whatever it is doing
  // (a key would only stop a motion playing); should that not end the run, the quit message
  // does, so a replay can never spin forever.
  if (!closeQueued_) {
    closeQueued_ = true;
    queue_.Post(Message{msg::kClose, 0, 0});
  } else {
    queue_.PostQuit(0);
  }
  return true;
}

void HeadlessPlatform::PressKey(uint32_t code, HeldKeys held) {
  HeldKeys pressed = 0;
  for (const uint32_t modifier : {vk::kControl, vk::kShift, vk::kMenu}) {
    const HeldKeys bit = HeldBitOf(modifier);
    if ((held & bit) == 0) continue;
    pressed |= bit;
    queue_.Post(Message{msg::kKeyDown, modifier, 0, pressed});
  }
  queue_.Post(Message{msg::kKeyDown, code, 0, held});
}

void HeadlessPlatform::TakeShot(const std::string& file) {
  std::string error;
  if (!WriteFrameImage(file, ShownFrame(), &error)) shotErrors_.push_back(error);
}

}  // namespace boxedit
