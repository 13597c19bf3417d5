#include "platform/sdl2/sdl2_input.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <utility>

namespace boxedit {
namespace {

// Events go through SDL's own queue (SDL_PushEvent, SDL_PollEvent) under the dummy video
// driver before the translator sees them, as in the back end.
class SdlInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  void TearDown() override { SDL_Quit(); }

  std::optional<Message> RoundTrip(SDL_Event event, bool* toggle = nullptr) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    EXPECT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    SDL_Event polled;
    while (SDL_PollEvent(&polled)) {
      if (polled.type != event.type) continue;  // SDL's own notices
      bool ignored = false;
      return TranslateEvent(polled, 640, 480, toggle ? toggle : &ignored);
    }
    ADD_FAILURE() << "the pushed event did not come back";
    return std::nullopt;
  }
  std::optional<Message> Key(SDL_Keycode sym, uint16_t mod = 0, bool repeat = false,
                             bool* toggle = nullptr) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.repeat = repeat;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return RoundTrip(e, toggle);
  }
  std::optional<Message> Mouse(uint32_t type, int32_t x, int32_t y, uint8_t button = 0) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
      e.motion.x = x;
      e.motion.y = y;
    } else {
      e.button.button = button;
      e.button.x = x;
      e.button.y = y;
    }
    return RoundTrip(e);
  }
};

Message KeyDown(uint32_t code) {
  return Message{msg::kKeyDown, code, 0};
}
Message MouseAt(uint32_t message, uint16_t column, uint16_t row) {
  return Message{message, 0, MakeMouseLParam(column, row)};
}
// Messages compared as text, which also reads well when an expectation fails.
std::string S(const std::optional<Message>& m) {
  if (!m) return "none";
  return std::to_string(m->message) + " " + std::to_string(m->wParam) + " " +
         std::to_string(m->lParam);
}

TEST_F(SdlInputTest, KeysBecomeTheirVirtualKeyCodes) {
  for (int i = 0; i < 26; ++i) EXPECT_EQ(S(Key(SDLK_a + i)), S(KeyDown('A' + i)));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(S(Key(SDLK_0 + i)), S(KeyDown('0' + i)));
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(S(Key(SDLK_F1 + i)), S(KeyDown(112 + i))) << "F" << i + 1;
  }
  const std::pair<SDL_Keycode, uint32_t> keys[] = {
      {SDLK_LEFT, 37},     {SDLK_UP, 38},        {SDLK_RIGHT, 39},      {SDLK_DOWN, 40},
      {SDLK_HOME, 36},     {SDLK_END, 35},       {SDLK_PAGEUP, 33},     {SDLK_PAGEDOWN, 34},
      {SDLK_INSERT, 45},   {SDLK_DELETE, 46},    {SDLK_ESCAPE, 27},     {SDLK_SPACE, 32},
      {SDLK_RETURN, 13},   {SDLK_TAB, 9},        {SDLK_BACKSPACE, 8},   {SDLK_RSHIFT, 16},
      {SDLK_LCTRL, 17},    {SDLK_KP_0, 96},      {SDLK_KP_9, 105},      {SDLK_KP_MULTIPLY, 106},
      {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109}, {SDLK_KP_PERIOD, 110}, {SDLK_KP_DIVIDE, 111},
      {SDLK_KP_ENTER, 13}};
  for (const auto& [sym, code] : keys) EXPECT_EQ(S(Key(sym)), S(KeyDown(code))) << code;
  // Shift and Caps Lock leave the code as it is; auto-repeat is a key-down like the first.
  EXPECT_EQ(S(Key(SDLK_s, KMOD_LSHIFT | KMOD_CAPS)), S(KeyDown('S')));
  EXPECT_EQ(S(Key(SDLK_DOWN, 0, true)), S(KeyDown(vk::kDown)));
  EXPECT_EQ(S(Key(SDLK_PRINTSCREEN)), S(std::nullopt));
  EXPECT_EQ(S(Key(SDLK_F13)), S(std::nullopt));
}

TEST_F(SdlInputTest, KeysWithAltHeldAreNotKeyDowns_ExceptAltF4WhichCloses) {
  EXPECT_EQ(S(Key(SDLK_s, KMOD_LALT)), S(std::nullopt));
  EXPECT_EQ(S(Key(SDLK_ESCAPE, KMOD_RALT)), S(std::nullopt));
  EXPECT_EQ(S(Key(SDLK_LALT, KMOD_LALT)), S(std::nullopt));  // Alt itself
  EXPECT_EQ(S(Key(SDLK_F4, KMOD_LALT)), S((Message{msg::kClose, 0, 0})));
  EXPECT_EQ(S(Key(SDLK_F4, KMOD_LALT, true)), S(std::nullopt));  // one request per press
  EXPECT_EQ(S(Key(SDLK_F4)), S(KeyDown(115)));
}

TEST_F(SdlInputTest, AltEnterTogglesFullScreenOncePerPress_AndIsNeverPassedOn) {
  bool toggle = false;
  EXPECT_EQ(S(Key(SDLK_RETURN, KMOD_LALT, false, &toggle)), S(std::nullopt));
  EXPECT_TRUE(toggle);
  toggle = false;
  EXPECT_EQ(S(Key(SDLK_KP_ENTER, KMOD_RALT, false, &toggle)), S(std::nullopt));
  EXPECT_TRUE(toggle);
  toggle = false;
  EXPECT_EQ(S(Key(SDLK_RETURN, KMOD_LALT, true, &toggle)), S(std::nullopt));
  EXPECT_EQ(S(Key(SDLK_RETURN, 0, false, &toggle)), S(KeyDown(vk::kReturn)));
  EXPECT_FALSE(toggle);
}

TEST_F(SdlInputTest, QuitAndWindowCloseAreTheCloseRequest_KeyReleasesNothing) {
  SDL_Event e{};
  e.type = SDL_QUIT;
  EXPECT_EQ(S(RoundTrip(e)), S((Message{msg::kClose, 0, 0})));
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  EXPECT_EQ(S(RoundTrip(e)), S((Message{msg::kClose, 0, 0})));
  e.window.event = SDL_WINDOWEVENT_EXPOSED;
  EXPECT_EQ(S(RoundTrip(e)), S(std::nullopt));
  e = SDL_Event{};
  e.type = SDL_KEYUP;
  e.key.keysym.sym = SDLK_a;
  EXPECT_EQ(S(RoundTrip(e)), S(std::nullopt));
}

TEST_F(SdlInputTest, MouseMessagesCarryPositionsClampedOntoTheScreen) {
  EXPECT_EQ(S(Mouse(SDL_MOUSEMOTION, 300, 200)), S(MouseAt(msg::kMouseMove, 300, 200)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEMOTION, 639, 479)), S(MouseAt(msg::kMouseMove, 639, 479)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEMOTION, -5, -1)), S(MouseAt(msg::kMouseMove, 0, 0)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEMOTION, 640, 100000)), S(MouseAt(msg::kMouseMove, 639, 479)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEBUTTONDOWN, 200, 150, SDL_BUTTON_LEFT)),
            S(MouseAt(msg::kLButtonDown, 200, 150)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEBUTTONUP, -70, 900, SDL_BUTTON_LEFT)),
            S(MouseAt(msg::kLButtonUp, 0, 479)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEBUTTONDOWN, 300, 200, SDL_BUTTON_RIGHT)),
            S(MouseAt(msg::kRButtonDown, 300, 200)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEBUTTONUP, 700, -3, SDL_BUTTON_RIGHT)),
            S(MouseAt(msg::kRButtonUp, 639, 0)));
  EXPECT_EQ(S(Mouse(SDL_MOUSEBUTTONDOWN, 5, 5, SDL_BUTTON_MIDDLE)), S(std::nullopt));
}

}  // namespace
}  // namespace boxedit
