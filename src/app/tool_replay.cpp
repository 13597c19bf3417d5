// placeholder until the subcommand lands
#include <cstdio>

#include "app/tool_commands.h"

namespace boxedit {

int RunReplay(const ToolArgs&) {
  std::fprintf(stderr, "boxtool: not built yet\n");
  return 2;
}

}  // namespace boxedit
