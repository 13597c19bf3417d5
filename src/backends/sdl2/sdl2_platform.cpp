#include "backends/sdl2/sdl2_platform.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "backends/sdl2/sdl2_input.h"

namespace boxedit {

// SDL is started by OpenWindow (SDL_Init) and stopped when this owner goes.
struct Sdl2Platform::SdlSession {
  ~SdlSession() { SDL_Quit(); }
};

void Sdl2Platform::Deleter::operator()(SDL_Window* window) const {
  SDL_DestroyWindow(window);
}
void Sdl2Platform::Deleter::operator()(SDL_Renderer* renderer) const {
  SDL_DestroyRenderer(renderer);
}
void Sdl2Platform::Deleter::operator()(SDL_Texture* texture) const {
  SDL_DestroyTexture(texture);
}
void Sdl2Platform::Deleter::operator()(SdlSession* session) const {
  delete session;
}

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return SDL_tolower(static_cast<unsigned char>(x)) ==
                  SDL_tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool IsUnrequestedWindowlessDriver(std::string_view driver, std::string_view requested) {
  if (!EqualNoCase(driver, "offscreen") && !EqualNoCase(driver, "dummy")) return false;
  while (!requested.empty()) {
    const size_t comma = requested.find(',');
    if (EqualNoCase(requested.substr(0, comma), driver)) return false;
    if (comma == std::string_view::npos) break;
    requested.remove_prefix(comma + 1);
  }
  return true;
}

Sdl2Platform::Sdl2Platform() = default;

Sdl2Platform::~Sdl2Platform() {
  // Children before parents, then SDL itself.
  texture_.reset();
  renderer_.reset();
  window_.reset();
  session_.reset();
}

bool Sdl2Platform::OpenWindow(const std::string& title, WindowProc proc, std::string* error) {
  if (!session_) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
      if (error) *error = std::string("cannot start SDL video: ") + SDL_GetError();
      SDL_Quit();
      return false;
    }
    session_.reset(new SdlSession);
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (driver && IsUnrequestedWindowlessDriver(driver, requested ? requested : "")) {
      if (error) {
        *error = std::string("no display to open the window on (no X server or Wayland ") +
                 "compositor was found; SDL could start only its '" + driver + "' driver)";
      }
      session_.reset();
      return false;
    }
  }
  if (!window_) {
    // 640x480 is the size of the window when Alt+Enter leaves full screen.
    window_.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   screenWidth_, screenHeight_,
                                   SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_RESIZABLE));
    if (!window_) {
      if (error) *error = std::string("cannot open the window: ") + SDL_GetError();
      session_.reset();
      return false;
    }
    fullscreen_ = true;
    // The editor reads key presses, never text; this keeps input methods out of the way.
    SDL_StopTextInput();
  }
  proc_ = std::move(proc);
  return true;
}

void Sdl2Platform::DestroyWindow() {
  if (!window_) return;
  // The window is taken out first: input that arrives from now on goes nowhere, and a second
  // DestroyWindow from inside the procedure does nothing.
  std::unique_ptr<SDL_Window, Deleter> window = std::move(window_);
  WindowProc proc = std::move(proc_);
  proc_ = nullptr;
  if (proc) proc(Message{msg::kDestroy, 0, 0});
  texture_.reset();
  renderer_.reset();
  window.reset();
}

bool Sdl2Platform::OpenScreen(int width, int height, bool* is565, std::string* error) {
  if (!window_) {
    if (error) *error = "cannot open the screen: there is no window";
    return false;
  }
  if (width <= 0 || height <= 0) {
    if (error) *error = "cannot open the screen: bad size";
    return false;
  }
  texture_.reset();
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (!renderer_) {
    if (error) *error = std::string("cannot create the renderer: ") + SDL_GetError();
    return false;
  }
  // The program sees a width x height screen at any desktop size; the renderer scales it and
  // letterboxes, and hands mouse positions back in these logical coordinates.
  if (SDL_RenderSetLogicalSize(renderer_.get(), width, height) != 0) {
    if (error) *error = std::string("cannot set the logical size: ") + SDL_GetError();
    renderer_.reset();
    return false;
  }
  bool layout565 = true;
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB565,
                                   SDL_TEXTUREACCESS_STREAMING, width, height));
  if (!texture_) {
    layout565 = false;  // 5-5-5 is the other layout the editor draws in
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB555,
                                     SDL_TEXTUREACCESS_STREAMING, width, height));
  }
  if (!texture_) {
    if (error) *error = std::string("cannot create the screen texture: ") + SDL_GetError();
    renderer_.reset();
    return false;
  }
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);  // the letterbox bands
  screenWidth_ = width;
  screenHeight_ = height;
  if (is565) *is565 = layout565;
  return true;
}

void Sdl2Platform::CloseScreen() {
  texture_.reset();
  renderer_.reset();
}

void Sdl2Platform::Present(const uint16_t* pixels, int pitchBytes, int width, int height) {
  if (!texture_ || pixels == nullptr || width != screenWidth_ || height != screenHeight_ ||
      pitchBytes < width * 2) {
    return;
  }
  // Most frames of an idle editor are the frame before: showing it again would only cost the
  // scaling and the copy to the desktop. A window event (exposure, resize, a mode switch)
  // makes the next frame show whatever it holds.
  const size_t rowBytes = static_cast<size_t>(width) * 2;
  const auto* bytes = reinterpret_cast<const uint8_t*>(pixels);
  bool same = !mustPresent_ && shown_.size() == rowBytes * height;
  for (int y = 0; same && y < height; ++y) {
    same = std::memcmp(shown_.data() + rowBytes * y, bytes + static_cast<size_t>(pitchBytes) * y,
                       rowBytes) == 0;
  }
  if (same) return;
  shown_.resize(rowBytes * height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(shown_.data() + rowBytes * y, bytes + static_cast<size_t>(pitchBytes) * y,
                rowBytes);
  }
  Show(pixels, pitchBytes);
}

void Sdl2Platform::PresentAgain() {
  if (mustPresent_ && texture_ && !shown_.empty()) Show(shown_.data(), screenWidth_ * 2);
}

void Sdl2Platform::Show(const void* pixels, int pitchBytes) {
  mustPresent_ = false;
  SDL_UpdateTexture(texture_.get(), nullptr, pixels, pitchBytes);
  SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer_.get());
}

bool Sdl2Platform::PeekMessage() {
  SDL_Event event;
  while (session_ && SDL_PollEvent(&event)) Take(event);
  return !queue_.Empty();
}

bool Sdl2Platform::GetMessage(Message* out) {
  while (queue_.Empty()) {
    SDL_Event event;
    // Without a window nothing can arrive, and without SDL the wait fails: both end the loop
    // as the quit message would rather than wait forever.
    if (!window_ || !SDL_WaitEvent(&event)) {
      *out = Message{msg::kQuit, 0, 0};
      return false;
    }
    Take(event);
  }
  return queue_.Take(out);
}

void Sdl2Platform::PostQuitMessage(int exitCode) {
  queue_.PostQuit(exitCode);
}

void Sdl2Platform::Take(const SDL_Event& event) {
  bool toggle = false;
  const std::optional<Message> message =
      TranslateEvent(event, screenWidth_, screenHeight_, &toggle);
  if (!window_) return;  // the window is gone; its input goes with it
  if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
    keyboardHeld_ = HeldKeysOf(event.key.keysym.mod);
  }
  if (event.type == SDL_WINDOWEVENT) mustPresent_ = true;
  if (toggle) ToggleFullscreen();
  if (!message) return;
  // The close button sends both a window-close and a quit event; one close request is enough.
  if (message->message == msg::kClose && queue_.Holds(msg::kClose)) return;
  Message stamped = *message;
  stamped.held = keyboardHeld_;
  queue_.Post(stamped);
}

uint32_t Sdl2Platform::windowId() const {
  return window_ ? SDL_GetWindowID(window_.get()) : 0;
}

void Sdl2Platform::ToggleFullscreen() {
  const uint32_t flags = fullscreen_ ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
  if (SDL_SetWindowFullscreen(window_.get(), flags) == 0) fullscreen_ = !fullscreen_;
  mustPresent_ = true;
}

}  // namespace boxedit
