#include "backends/web/web_platform.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <cstring>
#include <utility>

#include "backends/web/web_input.h"
#include "display/pixel_layout.h"

// The browser's side of the back end, in web_library.js.
extern "C" {
int boxedit_web_has_canvas();
int boxedit_web_open_canvas(int width, int height);
void boxedit_web_present(const uint8_t* rgba, int width, int height, double frameWorkMs);
void boxedit_web_listen();
void boxedit_web_unlisten();
void boxedit_web_toggle_fullscreen();
void boxedit_web_file_replaced(const char* path);
}

namespace boxedit {
namespace {

// The layout the frames are drawn in: the canvas takes any, and 5-6-5 is the desktop's.
constexpr bool kScreenIs565 = true;
// How often a GetMessage with nothing to take looks again.
constexpr uint32_t kMessagePollMs = 10;

WebPlatform* openPlatform = nullptr;

HeldKeys HeldOf(int ctrl, int shift, int alt) {
  return static_cast<HeldKeys>((ctrl != 0 ? kHeldControl : 0) | (shift != 0 ? kHeldShift : 0) |
                               (alt != 0 ? kHeldMenu : 0));
}

}  // namespace

WebPlatform::WebPlatform() : originMs_(emscripten_get_now()), wakeMs_(originMs_), frameWorkMs_(0) {}

WebPlatform::~WebPlatform() {
  if (openPlatform == this) {
    boxedit_web_unlisten();
    openPlatform = nullptr;
  }
}

WebPlatform* WebPlatform::current() {
  return openPlatform;
}

uint32_t WebPlatform::ClockMs() {
  // Wraps after 49.7 days, as the frame timer expects.
  return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now() - originMs_));
}

void WebPlatform::Idle(uint32_t remainingMs) {
  frameWorkMs_ += emscripten_get_now() - wakeMs_;
  emscripten_sleep(remainingMs);
  wakeMs_ = emscripten_get_now();
}

bool WebPlatform::OpenWindow(const std::string&, WindowProc proc, std::string* error) {
  if (openPlatform != nullptr && openPlatform != this) {
    if (error) *error = "the page's canvas is already in use";
    return false;
  }
  if (!boxedit_web_has_canvas()) {
    if (error) *error = "the page has no canvas (Module.canvas) to show the editor on";
    return false;
  }
  if (!windowOpen_) boxedit_web_listen();
  openPlatform = this;
  windowOpen_ = true;
  proc_ = std::move(proc);
  return true;
}

void WebPlatform::DestroyWindow() {
  if (!windowOpen_) return;
  // Closed first: input that arrives from now on goes nowhere, and a second DestroyWindow from
  // inside the procedure does nothing.
  windowOpen_ = false;
  boxedit_web_unlisten();
  openPlatform = nullptr;
  WindowProc proc = std::move(proc_);
  proc_ = nullptr;
  if (proc) proc(Message{msg::kDestroy, 0, 0});
  screenOpen_ = false;
}

bool WebPlatform::OpenScreen(int width, int height, bool* is565, std::string* error) {
  if (!windowOpen_) {
    if (error) *error = "cannot open the screen: there is no window";
    return false;
  }
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
    if (error) *error = "cannot open the screen: bad size";
    return false;
  }
  if (!boxedit_web_open_canvas(width, height)) {
    if (error) *error = "cannot open the screen: the browser gave the canvas no 2D context";
    return false;
  }
  screenWidth_ = width;
  screenHeight_ = height;
  rgba_.assign(static_cast<size_t>(width) * height * 4, 0);
  shownValid_ = false;
  screenOpen_ = true;
  if (is565) *is565 = kScreenIs565;
  return true;
}

void WebPlatform::CloseScreen() {
  screenOpen_ = false;
}

void WebPlatform::Present(const uint16_t* pixels, int pitchBytes, int width, int height) {
  if (!screenOpen_ || pixels == nullptr || width != screenWidth_ || height != screenHeight_ ||
      pitchBytes < width * 2) {
    return;
  }
  const double frameWorkMs = frameWorkMs_;
  frameWorkMs_ = 0;
  // Most frames of an idle editor are the frame before: converting it again would cost the
  // page a pass over every pixel for nothing.
  const size_t rowBytes = static_cast<size_t>(width) * 2;
  const auto* bytes = reinterpret_cast<const uint8_t*>(pixels);
  bool same = shownValid_;
  for (int y = 0; same && y < height; ++y) {
    same = std::memcmp(shown_.data() + static_cast<size_t>(width) * y,
                       bytes + static_cast<size_t>(pitchBytes) * y, rowBytes) == 0;
  }
  if (!same) {
    shown_.resize(static_cast<size_t>(width) * height);
    const PixelLayout& layout = LayoutOf(kScreenIs565);
    uint8_t* out = rgba_.data();
    for (int y = 0; y < height; ++y) {
      uint16_t* row = shown_.data() + static_cast<size_t>(width) * y;
      std::memcpy(row, bytes + static_cast<size_t>(pitchBytes) * y, rowBytes);
      for (int x = 0; x < width; ++x) {
        const Rgb rgb = PixelToRgb(layout, row[x]);
        *out++ = rgb.red;
        *out++ = rgb.green;
        *out++ = rgb.blue;
        *out++ = 255;
      }
    }
    shownValid_ = true;
  }
  // Put on the canvas even when unchanged: the page counts the frames it is handed.
  boxedit_web_present(same ? nullptr : rgba_.data(), width, height, frameWorkMs);
}

void WebPlatform::PresentAgain() {
  if (!screenOpen_) return;
  const double frameWorkMs = frameWorkMs_;
  frameWorkMs_ = 0;
  boxedit_web_present(nullptr, screenWidth_, screenHeight_, frameWorkMs);
}

bool WebPlatform::PeekMessage() {
  // Only the handling of a message can have saved: an idle editor does not look at the file.
  if (!watched_.empty() && watchDue_) {
    watchDue_ = false;
    const ino_t identity = WatchedIdentity();
    if (identity != watchedIdentity_) {
      watchedIdentity_ = identity;
      if (identity != 0) boxedit_web_file_replaced(watched_.c_str());
    }
  }
  return !queue_.Empty();
}

bool WebPlatform::GetMessage(Message* out) {
  while (queue_.Empty()) {
    // Without a window nothing can arrive: that ends the loop as the quit message would.
    if (!windowOpen_) {
      *out = Message{msg::kQuit, 0, 0};
      return false;
    }
    Idle(kMessagePollMs);
  }
  watchDue_ = true;
  return queue_.Take(out);
}

bool WebPlatform::KeyDown(std::string_view key, std::string_view code, HeldKeys held) {
  if (!windowOpen_) return false;
  const WebKey translated = TranslateKeyDown(key, code, held);
  if (translated.toggleFullscreen) boxedit_web_toggle_fullscreen();
  if (translated.message) {
    if (translated.message->message != msg::kClose || !queue_.Holds(msg::kClose)) {
      Message m = *translated.message;
      m.held = held;
      queue_.Post(m);
    }
  }
  return translated.editorKey;
}

void WebPlatform::Mouse(int event, int button, int x, int y, HeldKeys held) {
  if (!windowOpen_ || event < 0 || event > static_cast<int>(WebMouse::kUp)) return;
  const std::optional<Message> message =
      TranslateMouse(static_cast<WebMouse>(event), button, x, y, screenWidth_, screenHeight_);
  if (!message) return;
  Message m = *message;
  m.held = held;
  queue_.Post(m);
}

void WebPlatform::RequestClose() {
  if (windowOpen_ && !queue_.Holds(msg::kClose)) queue_.Post(Message{msg::kClose, 0, 0});
}

void WebPlatform::OfferWhenReplaced(std::filesystem::path file) {
  watched_ = std::move(file);
  watchedIdentity_ = WatchedIdentity();
}

ino_t WebPlatform::WatchedIdentity() const {
  struct stat st {};
  return stat(watched_.c_str(), &st) == 0 ? st.st_ino : 0;
}

}  // namespace boxedit

// What the page's listeners call (web_library.js), on the platform whose window is open.
extern "C" {

EMSCRIPTEN_KEEPALIVE int boxedit_web_key_down(const char* key, const char* code, int ctrl,
                                              int shift, int alt) {
  boxedit::WebPlatform* platform = boxedit::WebPlatform::current();
  if (platform == nullptr || key == nullptr || code == nullptr) return 0;
  return platform->KeyDown(key, code, boxedit::HeldOf(ctrl, shift, alt)) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void boxedit_web_mouse(int event, int button, int x, int y, int ctrl,
                                            int shift, int alt) {
  boxedit::WebPlatform* platform = boxedit::WebPlatform::current();
  if (platform != nullptr) platform->Mouse(event, button, x, y, boxedit::HeldOf(ctrl, shift, alt));
}

EMSCRIPTEN_KEEPALIVE void boxedit_web_close() {
  if (boxedit::WebPlatform* platform = boxedit::WebPlatform::current()) platform->RequestClose();
}

// Messages still waiting to be handled, so that a test can tell when its input has been.
EMSCRIPTEN_KEEPALIVE int boxedit_web_pending() {
  const boxedit::WebPlatform* platform = boxedit::WebPlatform::current();
  return platform == nullptr ? 0 : static_cast<int>(platform->pendingMessages());
}

}  // extern "C"
