// The web back end's input edge: the browser's keyboard and mouse events become the window
// messages and virtual-key codes the editor's window procedure is written in, once, here.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/message_queue.h"
#include "platform/messages.h"

namespace boxedit {

// The virtual-key code of a key event, from its KeyboardEvent.key (what the key types in the
// user's layout, as SDL's key codes are) and KeyboardEvent.code (where the key is: the numpad,
// and letters in layouts that type no Latin letter). None for a key the editor is never told of.
std::optional<uint32_t> VirtualKeyOf(std::string_view key, std::string_view code);

struct WebKey {
  // The key has a virtual-key code: the editor owns it, and the browser's own action for it
  // (F5's reload, F12's developer tools, Ctrl+S's save dialog) is prevented.
  bool editorKey = false;
  std::optional<Message> message;  // what the editor is sent, if anything
  bool toggleFullscreen = false;   // Alt+Enter
};

// A key-down with the modifiers `held`. As on the desktop, a key pressed with Alt held is a
// system key: Alt+Enter switches full screen, Alt+F4 is the close request, the rest do nothing.
// Ctrl with minus or plus (of the top row or the numpad) is the browser's zoom, not the editor's.
WebKey TranslateKeyDown(std::string_view key, std::string_view code, HeldKeys held);

// A mouse event at (x, y) in canvas pixels of a width x height screen, pulled onto it (a drag
// goes on outside the canvas). `button` is MouseEvent.button: 0 the left, 2 the right.
enum class WebMouse { kMove, kDown, kUp };
std::optional<Message> TranslateMouse(WebMouse event, int button, int x, int y, int width,
                                      int height);

}  // namespace boxedit
