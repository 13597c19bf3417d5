#include "shell/editor.h"

namespace boxedit {

namespace {

void Mouse(Editor& e, MouseEvent event, const Message& m) {
  HandleMouse(e.state, e.list, event, MouseColumn(m.lParam), MouseRow(m.lParam));
}

}  // namespace

// Every message of the table is handled here and answered 1; anything else goes to the
// platform's default handling.
intptr_t EditorWindowProc(Editor& e, const Message& m) {
  switch (m.message) {
    case msg::kDestroy:
      e.platform.PostQuitMessage(0);
      return 1;
    case msg::kClose:
      Shutdown(e);
      return 1;
    case msg::kKeyDown:
      HandleKey(e.state, e.list, e.actions, static_cast<uint32_t>(m.wParam));
      return 1;
    case msg::kMouseMove:
      Mouse(e, MouseEvent::kMove, m);
      return 1;
    case msg::kLButtonDown:
      Mouse(e, MouseEvent::kLeftDown, m);
      return 1;
    case msg::kLButtonUp:
      Mouse(e, MouseEvent::kLeftUp, m);
      return 1;
    case msg::kRButtonDown:
      Mouse(e, MouseEvent::kRightDown, m);
      return 1;
    case msg::kRButtonUp:
      Mouse(e, MouseEvent::kRightUp, m);
      return 1;
    default:
      return e.platform.DefWindowProc(m);
  }
}

}  // namespace boxedit
