// The desktop back end's input edge: SDL keyboard, mouse and window events become the window
// messages and virtual-key codes the editor's window procedure is written in, once, here.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "platform/message_queue.h"
#include "platform/messages.h"

namespace boxedit {

// The virtual-key code of an SDL key, or none for a key the editor is never told about.
std::optional<uint32_t> VirtualKeyOf(SDL_Keycode key);

// The modifiers held in SDL's modifier bits (a key event's keysym.mod); left and right count
// alike.
HeldKeys HeldKeysOf(uint16_t sdlModifiers);

// The message an event becomes, if any, for a screen of screenWidth x screenHeight logical
// pixels (mouse positions are clamped onto it). Alt+Enter becomes no message but sets
// *toggleFullscreen; every other key pressed with Alt held is dropped, except Alt+F4, which is
// the close request, as the window's close button and the quit event are.
std::optional<Message> TranslateEvent(const SDL_Event& event, int screenWidth, int screenHeight,
                                      bool* toggleFullscreen);

}  // namespace boxedit
