// boxedit: the editor, on the character files of the current directory.
#include <iostream>

#include "platform/sdl2/sdl2_platform.h"
#include "shell/editor.h"

int main() {
  boxedit::Sdl2Platform platform;
  return boxedit::RunEditor(platform, ".", std::cerr);
}
