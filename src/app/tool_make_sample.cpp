// boxtool make-sample [--force] DIR: writes the sample character (motion.lst, chara.bmp,
// pattern.pat).
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/tool_commands.h"
#include "chardata/character_files.h"
#include "sample/sample_character.h"

namespace boxedit {

int RunMakeSample(const ToolArgs& args) {
  const bool force = !args.empty() && args[0] == "--force";
  if (args.size() != (force ? 2u : 1u) || args.back().empty()) {
    std::fprintf(stderr, "usage: boxtool make-sample [--force] DIR\n");
    return 2;
  }
  const std::filesystem::path dir = args.back();
  // A character folder of the user's is never overwritten by accident.
  for (const char* name : kCharacterFileNames) {
    std::error_code ec;
    if (!force && std::filesystem::exists(dir / name, ec)) {
      std::fprintf(stderr,
                   "boxtool make-sample: %s already holds %s; nothing written (--force replaces "
                   "it)\n",
                   dir.string().c_str(), name);
      return 1;
    }
  }
  std::string error;
  if (!WriteSampleCharacter(dir, &error)) {
    std::fprintf(stderr, "boxtool make-sample: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace boxedit
