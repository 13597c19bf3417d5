// boxedit: the editor, on the character files of the folder given, or of the working directory.
#include <filesystem>
#include <iostream>

#include "shell/editor.h"

#if defined(_WIN32)

#include "app/log_file.h"
#include "backends/win32/win32_platform.h"

// A folder dropped on the program's icon arrives as its argument. Started from Explorer, the
// working directory is the program's own folder.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::filesystem::path dir = argv != nullptr && argc > 1 ? argv[1] : L".";
  LocalFree(argv);
  boxedit::LogFile log(dir / "boxedit.log");
  boxedit::Win32Platform platform(instance);
  const int status = boxedit::RunEditor(platform, dir, log);
  log.flush();
  if (status != 0) {
    // Nothing else would tell the user why the editor did not open.
    const std::string text = log.text();
    MessageBoxA(nullptr, text.c_str(), "boxedit", MB_OK | MB_ICONERROR);
  }
  return status;
}

#else
#include "backends/sdl2/sdl2_platform.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: boxedit [DIR]\n";
    return 2;
  }
  boxedit::Sdl2Platform platform;
  return boxedit::RunEditor(platform, argc > 1 ? argv[1] : ".", std::cerr);
}
#endif
