// boxtool make-sample DIR: writes the sample character (motion.lst, chara.bmp, pattern.pat).
#include <cstdio>
#include <string>

#include "app/tool_commands.h"
#include "sample/sample_character.h"

namespace boxedit {

int RunMakeSample(const ToolArgs& args) {
  if (args.size() != 1 || args[0].empty()) {
    std::fprintf(stderr, "usage: boxtool make-sample DIR\n");
    return 2;
  }
  std::string error;
  if (!WriteSampleCharacter(args[0], &error)) {
    std::fprintf(stderr, "boxtool make-sample: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace boxedit
