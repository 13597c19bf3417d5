#include "platform/sdl2/sdl2_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace boxedit {
namespace {

// The whole back end under SDL's dummy video driver, whose desktop is 1024x768.
class Sdl2PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    ASSERT_TRUE(platform_.OpenWindow(
        "Sample",
        [this](const Message& m) {
          received_.push_back(m.message);
          return intptr_t{1};
        },
        &error))
        << error;
    bool is565 = false;
    ASSERT_TRUE(platform_.OpenScreen(640, 480, &is565, &error)) << error;
    EXPECT_TRUE(is565);
    window_ = SDL_GetWindowFromID(platform_.windowId());
    ASSERT_NE(window_, nullptr);
    Drain();  // what SDL says about the new window
  }

  // Pushes an event; windowID sits at the same place in every kind of event.
  void Push(SDL_Event e, bool toWindow = false) {
    e.window.windowID = toWindow ? platform_.windowId() : 0;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  }
  void PushKey(SDL_Keycode sym, uint16_t mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    Push(e);
  }
  void PushMotion(int32_t x, int32_t y) {  // in window pixels
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    Push(e, true);
  }
  // Every waiting message as "message wParam lParam".
  std::vector<std::string> Drain() {
    std::vector<std::string> out;
    Message m;
    while (platform_.PeekMessage() && platform_.GetMessage(&m)) {
      out.push_back(std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
                    std::to_string(m.lParam));
    }
    return out;
  }

  Sdl2Platform platform_;
  SDL_Window* window_ = nullptr;
  std::vector<uint32_t> received_;
};

using Texts = std::vector<std::string>;

TEST_F(Sdl2PlatformTest, OpensFullScreenDesktopWindow_AndPresents) {
  EXPECT_STREQ(SDL_GetWindowTitle(window_), "Sample");
  EXPECT_TRUE(platform_.fullscreen());
  EXPECT_EQ(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP,
            uint32_t{SDL_WINDOW_FULLSCREEN_DESKTOP});
  std::vector<uint16_t> frame(640 * 480, 0xF800);
  platform_.Present(frame.data(), 640 * 2, 640, 480);
  platform_.Present(frame.data(), 640 * 2, 320, 240);  // not the screen's size: ignored
  platform_.CloseScreen();
  EXPECT_FALSE(platform_.screenOpen());
  platform_.Present(frame.data(), 640 * 2, 640, 480);  // no screen: nothing to do
}

TEST_F(Sdl2PlatformTest, DeliversEventsAsMessagesInOrder) {
  PushKey(SDLK_F5);
  PushKey(SDLK_s, KMOD_LALT);  // Alt held: dropped
  SDL_Event down{};
  down.type = SDL_MOUSEBUTTONDOWN;
  down.button.button = SDL_BUTTON_RIGHT;
  down.button.x = 300;
  down.button.y = 200;
  Push(down);
  platform_.PostMessage(Message{msg::kKeyDown, 'S', 0});
  Message m;
  ASSERT_TRUE(platform_.GetMessage(&m));  // waits for nothing: one is there
  EXPECT_EQ(m.wParam, 'S');
  EXPECT_EQ(Drain(), (Texts{"256 116 0", "516 0 " + std::to_string(MakeMouseLParam(300, 200))}));
}

TEST_F(Sdl2PlatformTest, CloseButtonAndAltF4GiveOneCloseRequest) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  Push(e);
  e.type = SDL_QUIT;  // the last window's close button sends both
  Push(e);
  PushKey(SDLK_F4, KMOD_LALT);
  EXPECT_EQ(Drain(), Texts{"16 0 0"});
}

TEST_F(Sdl2PlatformTest, AltEnterSwitchesBetweenWindowAndFullScreen) {
  PushKey(SDLK_RETURN, KMOD_LALT);
  EXPECT_FALSE(platform_.PeekMessage());
  EXPECT_FALSE(platform_.fullscreen());
  EXPECT_EQ(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
  PushKey(SDLK_RETURN, KMOD_LALT);
  EXPECT_FALSE(platform_.PeekMessage());
  EXPECT_TRUE(platform_.fullscreen());
}

TEST_F(Sdl2PlatformTest, MousePositionsArriveInScreenPixels_ClampedOffTheBands) {
  PushMotion(512, 384);  // the middle of the 1024x768 desktop, scaled by 1.6
  EXPECT_EQ(Drain(), Texts{"512 0 " + std::to_string(MakeMouseLParam(320, 240))});
  // In an 800x480 window the screen sits between two 80-pixel bands.
  PushKey(SDLK_RETURN, KMOD_LALT);
  ASSERT_FALSE(platform_.PeekMessage());  // now windowed
  SDL_SetWindowSize(window_, 800, 480);
  Drain();
  PushMotion(10, 100);
  PushMotion(790, 479);
  PushMotion(97, 33);
  EXPECT_EQ(Drain(), (Texts{"512 0 " + std::to_string(MakeMouseLParam(0, 100)),
                            "512 0 " + std::to_string(MakeMouseLParam(639, 479)),
                            "512 0 " + std::to_string(MakeMouseLParam(17, 33))}));
}

TEST_F(Sdl2PlatformTest, DestroyDeliversDestroyAtOnce_ThenOnlyTheQuitMessageComes) {
  platform_.DestroyWindow();
  platform_.DestroyWindow();
  EXPECT_EQ(received_, std::vector<uint32_t>{msg::kDestroy});
  EXPECT_EQ(platform_.windowId(), 0u);
  PushKey(SDLK_a);  // the window is gone: nobody gets this
  platform_.PostQuitMessage(4);
  Message m;
  ASSERT_TRUE(platform_.PeekMessage());
  EXPECT_FALSE(platform_.GetMessage(&m));
  EXPECT_EQ(m.wParam, 4u);
  // Nothing can arrive without a window, so a wait ends at once instead of never.
  EXPECT_FALSE(platform_.PeekMessage());
  EXPECT_FALSE(platform_.GetMessage(&m));
}

TEST_F(Sdl2PlatformTest, IdleSleepsAllButTheLastTwoMilliseconds) {
  const uint32_t start = platform_.ClockMs();
  platform_.Idle(12);
  EXPECT_GE(platform_.ClockMs() - start, 10u);
}

TEST(WindowlessDriver, IsRefusedUnlessAskedFor) {
  EXPECT_TRUE(IsUnrequestedWindowlessDriver("offscreen", ""));
  EXPECT_TRUE(IsUnrequestedWindowlessDriver("dummy", "x11,wayland"));
  EXPECT_FALSE(IsUnrequestedWindowlessDriver("dummy", "dummy"));
  EXPECT_FALSE(IsUnrequestedWindowlessDriver("offscreen", "x11,OFFSCREEN"));
  EXPECT_FALSE(IsUnrequestedWindowlessDriver("x11", ""));
}

TEST(Sdl2PlatformOpen, FailsSayingWhy_WhenThereIsNoDisplayOrNoVideo) {
  auto noProc = [](const Message&) { return intptr_t{0}; };
  std::string error;
  bool is565;
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  {
    Sdl2Platform platform;
    EXPECT_FALSE(platform.OpenWindow("Sample", noProc, &error));
    EXPECT_EQ(error.rfind("cannot start SDL video: ", 0), 0u) << error;
    EXPECT_FALSE(platform.OpenScreen(640, 480, &is565, &error));
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
