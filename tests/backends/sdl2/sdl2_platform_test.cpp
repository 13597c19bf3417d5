// The desktop back end under SDL's dummy video driver, whose desktop is 1024x768: events are
// pushed onto SDL's own queue (SDL_PushEvent) and come out of the platform as window messages.
#include "backends/sdl2/sdl2_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace boxedit {
namespace {

using Texts = std::vector<std::string>;

class Sdl2PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    auto proc = [this](const Message& m) {
      received_.push_back(m.message);
      return intptr_t{1};
    };
    ASSERT_TRUE(platform_.OpenWindow("Sample", proc, &error)) << error;
    bool is565 = false;
    ASSERT_TRUE(platform_.OpenScreen(640, 480, &is565, &error)) << error;
    EXPECT_TRUE(is565);
    EXPECT_TRUE(platform_.fullscreen());
    window_ = SDL_GetWindowFromID(platform_.windowId());
    ASSERT_NE(window_, nullptr);
    Drain();  // what SDL says about the new window
  }
  void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
  // A key press, or with SDL_KEYUP a release, after which `mod` is what is still held.
  void PushKey(SDL_Keycode sym, uint16_t mod = KMOD_NONE, uint8_t repeat = 0,
               uint32_t type = SDL_KEYDOWN) {
    SDL_Event e{};
    e.type = type;
    e.key.repeat = repeat;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    Push(e);
  }
  // A mouse event at (x, y); a motion aimed at the window has its position scaled by SDL from
  // window pixels, any other arrives as given.
  void PushMouse(uint32_t type, int32_t x, int32_t y, uint8_t button = 0, bool toWindow = false) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
      e.motion.windowID = toWindow ? platform_.windowId() : 0;
      e.motion.x = x;
      e.motion.y = y;
    } else {
      e.button.button = button;
      e.button.x = x;
      e.button.y = y;
    }
    Push(e);
  }
  // Every waiting message as "message wParam lParam", followed by C, S and A for Ctrl, Shift
  // and Alt when the message says they were held.
  Texts Drain() {
    Texts out;
    Message m;
    while (platform_.PeekMessage() && platform_.GetMessage(&m)) {
      std::string held;
      for (const auto& [bit, letter] :
           {std::pair{kHeldControl, 'C'}, std::pair{kHeldShift, 'S'}, std::pair{kHeldMenu, 'A'}}) {
        if ((m.held & bit) != 0) held += letter;
      }
      out.push_back(std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
                    std::to_string(m.lParam) + (held.empty() ? "" : " " + held));
    }
    return out;
  }
  static std::string At(uint32_t message, uint16_t column, uint16_t row) {
    return std::to_string(message) + " 0 " + std::to_string(MakeMouseLParam(column, row));
  }

  Sdl2Platform platform_;
  SDL_Window* window_ = nullptr;
  std::vector<uint32_t> received_;
};

TEST_F(Sdl2PlatformTest, KeysBecomeVirtualKeyCodes_ButNotWithAltHeld) {
  std::vector<std::pair<SDL_Keycode, uint32_t>> keys = {
      {SDLK_LEFT, 37},   {SDLK_UP, 38},   {SDLK_RIGHT, 39},  {SDLK_DOWN, 40},
      {SDLK_HOME, 36},   {SDLK_END, 35},  {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},
      {SDLK_RETURN, 13}, {SDLK_KP_0, 96}, {SDLK_KP_9, 105},  {SDLK_KP_ENTER, 13}};
  for (int i = 0; i < 26; ++i) keys.emplace_back(SDLK_a + i, 'A' + i);
  for (int i = 0; i < 10; ++i) keys.emplace_back(SDLK_0 + i, '0' + i);
  for (int i = 0; i < 12; ++i) keys.emplace_back(SDLK_F1 + i, 112 + i);
  Texts expected;
  for (const auto& [sym, code] : keys) {
    PushKey(sym);
    expected.push_back("256 " + std::to_string(code) + " 0");
  }
  EXPECT_EQ(Drain(), expected);
  // Shift, Caps Lock and auto-repeat change nothing; Alt held drops the key, Alt itself too,
  // and keys the editor never hears of and key releases give nothing.
  PushKey(SDLK_s, KMOD_LSHIFT | KMOD_CAPS);
  PushKey(SDLK_DOWN, KMOD_NONE, 1);
  for (SDL_Keycode sym : {SDLK_s, SDLK_ESCAPE, SDLK_LALT}) PushKey(sym, KMOD_LALT);
  PushKey(SDLK_PRINTSCREEN);
  PushKey(SDLK_a, KMOD_NONE, 0, SDL_KEYUP);
  EXPECT_EQ(Drain(), (Texts{"256 83 0 S", "256 40 0"}));
}

// Every message carries the modifiers of the last key event before it, left and right alike:
// all are queued before the first is handled, and each keeps its own.
TEST_F(Sdl2PlatformTest, EachMessageCarriesTheModifiersOfItsTime) {
  PushKey(SDLK_LCTRL, KMOD_LCTRL);
  PushKey(SDLK_z, KMOD_LCTRL);
  PushKey(SDLK_z, KMOD_RCTRL | KMOD_RSHIFT);
  PushMouse(SDL_MOUSEBUTTONDOWN, 1, 2, SDL_BUTTON_LEFT);
  PushKey(SDLK_RCTRL, KMOD_RSHIFT, 0, SDL_KEYUP);
  PushMouse(SDL_MOUSEBUTTONUP, 1, 2, SDL_BUTTON_LEFT);
  PushKey(SDLK_z);
  EXPECT_EQ(Drain(),
            (Texts{"256 17 0 C", "256 90 0 C", "256 90 0 CS", At(msg::kLButtonDown, 1, 2) + " CS",
                   At(msg::kLButtonUp, 1, 2) + " S", "256 90 0"}));
}

TEST_F(Sdl2PlatformTest, AltF4CloseButtonAndQuit_GiveOneCloseRequest_AltEnterSwitches) {
  PushKey(SDLK_F4, KMOD_LALT);
  PushKey(SDLK_F4);
  EXPECT_EQ(Drain(), (Texts{"16 0 0 A", "256 115 0"}));
  PushKey(SDLK_F4, KMOD_RALT, 1);  // auto-repeat: one request per press
  PushKey(SDLK_RALT, KMOD_NONE, 0, SDL_KEYUP);
  EXPECT_EQ(Drain(), Texts{});
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  Push(e);
  e.type = SDL_QUIT;  // the last window's close button sends both
  Push(e);
  EXPECT_EQ(Drain(), Texts{"16 0 0"});
  Push(e);
  EXPECT_EQ(Drain(), Texts{"16 0 0"});

  PushKey(SDLK_RETURN, KMOD_LALT);
  EXPECT_EQ(Drain(), Texts{});
  EXPECT_FALSE(platform_.fullscreen());
  EXPECT_EQ(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
  PushKey(SDLK_KP_ENTER, KMOD_RALT, 1);  // auto-repeat: no switch
  EXPECT_FALSE(platform_.PeekMessage());
  EXPECT_FALSE(platform_.fullscreen());
  PushKey(SDLK_KP_ENTER, KMOD_RALT);
  EXPECT_FALSE(platform_.PeekMessage());
  EXPECT_TRUE(platform_.fullscreen());
}

TEST_F(Sdl2PlatformTest, MousePositionsArriveInScreenPixels_ClampedOntoTheScreen) {
  PushMouse(SDL_MOUSEMOTION, 512, 384, 0, true);  // the middle of the desktop, scaled by 1.6
  PushMouse(SDL_MOUSEMOTION, -5, -1);
  PushMouse(SDL_MOUSEMOTION, 640, 100000);
  PushMouse(SDL_MOUSEBUTTONDOWN, 200, 150, SDL_BUTTON_LEFT);
  PushMouse(SDL_MOUSEBUTTONUP, -70, 900, SDL_BUTTON_LEFT);
  PushMouse(SDL_MOUSEBUTTONDOWN, 300, 200, SDL_BUTTON_RIGHT);
  PushMouse(SDL_MOUSEBUTTONUP, 700, -3, SDL_BUTTON_RIGHT);
  PushMouse(SDL_MOUSEBUTTONDOWN, 5, 5, SDL_BUTTON_MIDDLE);
  EXPECT_EQ(Drain(), (Texts{At(msg::kMouseMove, 320, 240), At(msg::kMouseMove, 0, 0),
                            At(msg::kMouseMove, 639, 479), At(msg::kLButtonDown, 200, 150),
                            At(msg::kLButtonUp, 0, 479), At(msg::kRButtonDown, 300, 200),
                            At(msg::kRButtonUp, 639, 0)}));
  // In an 800x480 window the screen sits between two 80-pixel bands.
  PushKey(SDLK_RETURN, KMOD_LALT);
  PushKey(SDLK_LALT, KMOD_NONE, 0, SDL_KEYUP);
  Drain();  // now windowed
  SDL_SetWindowSize(window_, 800, 480);
  Drain();
  PushMouse(SDL_MOUSEMOTION, 10, 100, 0, true);
  PushMouse(SDL_MOUSEMOTION, 790, 479, 0, true);
  PushMouse(SDL_MOUSEMOTION, 97, 33, 0, true);
  EXPECT_EQ(Drain(), (Texts{At(msg::kMouseMove, 0, 100), At(msg::kMouseMove, 639, 479),
                            At(msg::kMouseMove, 17, 33)}));
}

// A frame equal to the one on the screen is not drawn again, unless a window event came in
// between. Seen by drawing white over the window behind the platform's back and reading the
// window back: a frame that is skipped leaves the white there.
TEST_F(Sdl2PlatformTest, AnEqualFrameIsNotDrawnAgain_UnlessAWindowEventCameBetween) {
  SDL_Renderer* renderer = SDL_GetRenderer(window_);
  ASSERT_NE(renderer, nullptr);
  int w = 0, h = 0;
  ASSERT_EQ(SDL_GetRendererOutputSize(renderer, &w, &h), 0) << SDL_GetError();
  auto read = [&](int x, int y) {  // the window's pixel as 0xRRGGBB
    uint32_t rgb = 0;
    const SDL_Rect r{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(renderer, &r, SDL_PIXELFORMAT_RGB888, &rgb, 4), 0)
        << SDL_GetError();
    return rgb & 0xFFFFFF;
  };
  // Blue frames with 4 pixels of padding after each row; b differs from a in its last pixel.
  constexpr int kPitch = 644;
  std::vector<uint16_t> a(kPitch * 480, 0x001F), b = a;
  b[kPitch * 479 + 639] = 0x07E0;
  // Each step: white drawn over the window behind the platform's back, or a window event, then
  // a frame, and the middle and the bottom-right corner of the window as "RRGGBB RRGGBB".
  const struct {
    bool scribble, event;
    std::vector<uint16_t>* frame;
    const char* seen;
  } steps[] = {
      {false, false, &a, "0000ff 0000ff"}, {true, false, &a, "ffffff ffffff"},
      {false, false, &b, "0000ff 00ff00"}, {true, false, &b, "ffffff ffffff"},
      {false, true, &b, "0000ff 00ff00"},  {true, false, &b, "ffffff ffffff"},
  };
  for (const auto& step : steps) {
    if (step.scribble) {
      SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
      SDL_RenderClear(renderer);
      SDL_RenderPresent(renderer);
      SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    }
    if (step.event) {
      SDL_Event e{};
      e.type = SDL_WINDOWEVENT;
      e.window.event = SDL_WINDOWEVENT_EXPOSED;
      Push(e);
      Drain();
    }
    for (int y = 0; y < 480; ++y) (*step.frame)[kPitch * y + 640] ^= 0x5555;  // not compared
    platform_.Present(step.frame->data(), kPitch * 2, 640, 480);
    char seen[16];
    std::snprintf(seen, sizeof seen, "%06x %06x", read(w / 2, h / 2), read(w - 1, h - 1));
    EXPECT_EQ(std::string(seen), step.seen) << "step " << &step - steps;
  }
}

TEST_F(Sdl2PlatformTest, DestroyDeliversDestroyAtOnce_ThenOnlyTheQuitMessageComes) {
  platform_.DestroyWindow();
  platform_.DestroyWindow();
  EXPECT_EQ(received_, std::vector<uint32_t>{msg::kDestroy});
  const std::vector<uint16_t> frame(640 * 480);
  platform_.Present(frame.data(), 1280, 640, 480);  // the screen went with the window
  PushKey(SDLK_a);                                  // nobody gets this
  platform_.PostQuitMessage(4);
  Message m;
  EXPECT_FALSE(platform_.GetMessage(&m));
  EXPECT_EQ(m.wParam, 4u);
  // Nothing can arrive without a window, so a wait ends at once instead of never.
  EXPECT_FALSE(platform_.PeekMessage());
  EXPECT_FALSE(platform_.GetMessage(&m));
}

TEST(Sdl2PlatformOpen, FailsSayingWhy_WhenThereIsNoDisplayOrNoVideo) {
  EXPECT_TRUE(IsUnrequestedWindowlessDriver("dummy", "x11,wayland"));
  EXPECT_FALSE(IsUnrequestedWindowlessDriver("offscreen", "x11,OFFSCREEN"));
  EXPECT_FALSE(IsUnrequestedWindowlessDriver("x11", ""));
  auto noProc = [](const Message&) { return intptr_t{0}; };
  std::string error;
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  {
    Sdl2Platform platform;
    EXPECT_FALSE(platform.OpenWindow("Sample", noProc, &error));
    EXPECT_EQ(error.rfind("cannot start SDL video: ", 0), 0u) << error;
  }
  // With no display SDL falls back to a driver that shows nothing. A machine with a video
  // device of its own would be driven directly instead, so that part needs one without.
  if (!std::filesystem::exists("/dev/dri")) {
    const std::string display = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    Sdl2Platform platform;
    EXPECT_FALSE(platform.OpenWindow("Sample", noProc, &error));
    EXPECT_EQ(error.rfind("no display to open the window on", 0), 0u) << error;
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  }
  setenv("SDL_VIDEODRIVER", "dummy", 1);
}

}  // namespace
}  // namespace boxedit
