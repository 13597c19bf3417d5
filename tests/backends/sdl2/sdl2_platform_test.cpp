#include "backends/sdl2/sdl2_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <tuple>
#include <vector>

namespace boxedit {
namespace {

using Texts = std::vector<std::string>;

class Sdl2PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    auto proc = [this](const Message& m) { return intptr_t(received_.emplace_back(m.message)); };
    ASSERT_TRUE(platform_.OpenWindow("Sample", proc, &error)) << error;
    bool is565 = false;
    ASSERT_TRUE(platform_.OpenScreen(640, 480, &is565, &error)) << error;
    EXPECT_TRUE(is565 && platform_.fullscreen());
    Drain();  // what SDL says about the new window
  }
  void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
  void PushKey(SDL_Keycode sym, uint16_t mod = 0, uint8_t repeat = 0, uint32_t type = SDL_KEYDOWN) {
    Push({.key = {type, 0, 0, 0, repeat, 0, 0, {SDL_Scancode{}, sym, mod, 0}}});
  }
  void PushMouse(uint32_t type, int32_t x, int32_t y, uint8_t button) {
    Push({.button = {type, 0, 0, 0, button, 0, 0, 0, x, y}});
  }
  // "message wParam lParam held" (held: 1 Ctrl, 2 Shift, 4 Alt) of every waiting message.
  Texts Drain() {
    Texts out;
    for (Message m; platform_.PeekMessage() && platform_.GetMessage(&m);)
      out.push_back(std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
                    std::to_string(m.lParam) + " " + std::to_string(m.held));
    return out;
  }

  Sdl2Platform platform_;
  std::vector<uint32_t> received_;
};

TEST_F(Sdl2PlatformTest,
       KeysBecomeVirtualKeyCodes_ButNotWithAltHeld_AltF4AndCloseAskToClose_AltEnterSwitches) {
  for (SDL_Keycode sym : {SDLK_a, SDLK_9, SDLK_MINUS, SDLK_F3, SDLK_KP_0, SDLK_KP_6, SDLK_KP_ENTER})
    PushKey(sym);
  // Shift, Caps Lock, repeat change nothing; Alt-held keys, unknown keys and releases give none.
  PushKey(SDLK_s, KMOD_LSHIFT | KMOD_CAPS);
  PushKey(SDLK_DOWN, KMOD_NONE, 1);
  for (SDL_Keycode sym : {SDLK_s, SDLK_ESCAPE, SDLK_LALT}) PushKey(sym, KMOD_LALT);
  PushKey(SDLK_PRINTSCREEN);
  PushKey(SDLK_a, KMOD_NONE, 0, SDL_KEYUP);
  PushKey(SDLK_F4, KMOD_LALT);
  PushKey(SDLK_F4);
  EXPECT_EQ(Drain(), (Texts{"256 65 0 0", "256 57 0 0", "256 189 0 0", "256 114 0 0", "256 96 0 0",
                            "256 102 0 0", "256 13 0 0", "256 83 0 2", "256 40 0 0", "16 0 0 4",
                            "256 115 0 0"}));
  Push({.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_CLOSE, 0, 0, 0, 0, 0}});
  Push({.type = SDL_QUIT});
  EXPECT_EQ(Drain(), Texts{"16 0 0 0"});
  PushKey(SDLK_RETURN, KMOD_LALT);
  PushKey(SDLK_KP_ENTER, KMOD_RALT, 1);
  EXPECT_TRUE(Drain().empty() && !platform_.fullscreen());
  PushKey(SDLK_KP_ENTER, KMOD_RALT);
  EXPECT_TRUE(Drain().empty() && platform_.fullscreen());
}

// Each message keeps the modifiers of the key event before it; the mouse is clamped to the screen.
TEST_F(Sdl2PlatformTest, EachMessageCarriesTheModifiersOfItsTime_MouseClampedOntoTheScreen) {
  PushKey(SDLK_LCTRL, KMOD_LCTRL);
  PushKey(SDLK_z, KMOD_LCTRL);
  PushKey(SDLK_z, KMOD_RCTRL | KMOD_RSHIFT);
  PushMouse(SDL_MOUSEBUTTONDOWN, 1, 2, SDL_BUTTON_LEFT);
  PushKey(SDLK_RCTRL, KMOD_RSHIFT, 0, SDL_KEYUP);
  PushMouse(SDL_MOUSEBUTTONUP, -70, 900, SDL_BUTTON_LEFT);
  PushKey(SDLK_z);
  Push({.motion = {SDL_MOUSEMOTION, 0, 0, 0, 0, 640, -1, 0, 0}});
  PushMouse(SDL_MOUSEBUTTONDOWN, 300, 200, SDL_BUTTON_RIGHT);
  PushMouse(SDL_MOUSEBUTTONDOWN, 5, 5, SDL_BUTTON_MIDDLE);
  EXPECT_EQ(Drain(), (Texts{"256 17 0 1", "256 90 0 1", "256 90 0 3", "513 0 131073 3",
                            "514 0 31391744 2", "256 90 0 0", "512 0 639 0", "516 0 13107500 0"}));
}

// Rows: a window event came, the frame (b differs from a in its last pixel), it is drawn.
TEST_F(Sdl2PlatformTest, AnEqualFrameIsNotDrawnAgain_UnlessAWindowEventCameBetween) {
  SDL_Renderer* renderer = SDL_GetRenderer(SDL_GetWindowFromID(platform_.windowId()));
  std::vector<uint16_t> a(644 * 480, 0x001F), b = a;
  b[644 * 479 + 639] = 0x07E0;
  const std::tuple<bool, std::vector<uint16_t>*, bool> steps[] = {
      {0, &a, 1}, {0, &a, 0}, {0, &b, 1}, {1, &b, 1}, {0, &b, 0}};
  for (const auto& [event, frame, drawn] : steps) {
    SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
    SDL_RenderClear(renderer);
    if (event) Push({.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_EXPOSED, 0, 0, 0, 0, 0}});
    Drain();
    platform_.Present(frame->data(), 644 * 2, 640, 480);
    uint32_t rgb = 0;
    const SDL_Rect middle{100, 100, 1, 1};
    ASSERT_EQ(SDL_RenderReadPixels(renderer, &middle, SDL_PIXELFORMAT_RGB888, &rgb, 4), 0);
    EXPECT_EQ(rgb & 0xFFFFFF, drawn ? 0x0000FFu : 0xFFFFFFu) << event << drawn;
  }
}

TEST_F(Sdl2PlatformTest, AScreenNoTextureHoldsIsRefused_DestroyThenLeavesOnlyTheQuitMessage) {
  std::string error;
  platform_.CloseScreen();
  EXPECT_FALSE(platform_.OpenScreen(1 << 30, 1 << 30, nullptr, &error));
  EXPECT_EQ(error.rfind("cannot create the screen texture: ", 0), 0u) << error;
  platform_.DestroyWindow();
  platform_.DestroyWindow();
  EXPECT_EQ(received_, std::vector<uint32_t>{msg::kDestroy});
  const std::vector<uint16_t> frame(640 * 480);
  platform_.Present(frame.data(), 1280, 640, 480);  // the screen went with the window
  PushKey(SDLK_a);                                  // nobody gets this
  platform_.PostQuitMessage(4);
  Message m;
  EXPECT_TRUE(!platform_.GetMessage(&m) && m.wParam == 4u);
  // Nothing can arrive without a window, so a wait ends at once instead of never.
  EXPECT_FALSE(platform_.PeekMessage() || platform_.GetMessage(&m));
}

TEST(Sdl2PlatformOpen, OnlyAnUnrequestedWindowlessDriverMeansNoDisplay_NoVideoSaysWhy) {
  EXPECT_TRUE(IsUnrequestedWindowlessDriver("dummy", "x11,wayland"));
  EXPECT_FALSE(IsUnrequestedWindowlessDriver("offscreen", "x11,OFFSCREEN"));
  EXPECT_FALSE(IsUnrequestedWindowlessDriver("x11", ""));
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  std::string error;
  EXPECT_FALSE(Sdl2Platform().OpenWindow(
      "Sample", [](const Message&) { return intptr_t{0}; }, &error));
  EXPECT_EQ(error.rfind("cannot start SDL video: ", 0), 0u) << error;
}

}  // namespace
}  // namespace boxedit
