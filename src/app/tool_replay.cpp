// boxtool replay SCRIPT [--layout 565|555]: the whole editor, headless, on the current
// directory's character files, driven by a script.
#include <cstdio>
#include <iostream>

#include "app/tool_commands.h"
#include "backends/headless/headless_platform.h"
#include "shell/editor.h"

namespace boxedit {

int RunReplay(const ToolArgs& args) {
  std::string script;
  HeadlessOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--layout" && i + 1 < args.size() &&
        (args[i + 1] == "565" || args[i + 1] == "555")) {
      options.is565 = args[++i] == "565";
    } else if (script.empty() && !args[i].starts_with("--")) {
      script = args[i];
    } else {
      script.clear();
      break;
    }
  }
  if (script.empty()) {
    std::fprintf(stderr, "usage: boxtool replay SCRIPT [--layout 565|555]\n");
    return 2;
  }

  std::vector<ReplayCommand> commands;
  std::string error;
  if (!LoadReplayScript(script, &commands, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  HeadlessPlatform platform(std::move(commands), options);
  int failedSaves = 0;
  const int status = RunEditor(platform, ".", std::cerr, &failedSaves);
  for (const std::string& e : platform.shotErrors()) {
    std::fprintf(stderr, "boxtool: %s\n", e.c_str());
  }
  if (status != 0) return status;
  // A replay that meant to save and could not, or could not take a shot, has failed.
  return platform.shotErrors().empty() && failedSaves == 0 ? 0 : 1;
}

}  // namespace boxedit
