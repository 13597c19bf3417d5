// Runs the built boxtool in a folder, its output going to out.txt and err.txt there.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace boxedit::testing {

// The exit status of `boxtool ARGS` run in `dir`, after the shell commands `setup` (limits,
// traps); -1 when it did not exit normally. A run that hangs is stopped after 30 seconds and
// gives 124.
inline int RunBoxtool(const std::filesystem::path& dir, const std::string& args,
                      const std::string& setup = "") {
  const std::string command = "cd '" + dir.string() + "' && " +
                              (setup.empty() ? "" : setup + "; ") +
                              "exec timeout 30 '" BOXTOOL_PATH "' " + args + " >out.txt 2>err.txt";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace boxedit::testing
