// boxtool check [DIR]: reports the problems of DIR's character (app/character_check.h).
#include <cstdio>
#include <string>
#include <vector>

#include "app/character_check.h"
#include "app/tool_commands.h"
#include "chardata/character_files.h"

namespace boxedit {

// Prints each problem on stdout. Exit status 0 when there is none, 1 when there are problems
// (warnings too), 2 when motion.lst cannot be read or the arguments are wrong.
int RunCheck(const ToolArgs& args) {
  if (args.size() > 1) {
    std::fprintf(stderr, "usage: boxtool check [DIR]\n");
    return 2;
  }
  const std::filesystem::path dir = args.empty() ? "." : args[0];
  std::vector<FileDiagnostic> found;
  std::string error;
  if (!CheckCharacter(dir, &found, &error)) {
    std::fprintf(stderr, "boxtool: cannot read %s: %s\n", (dir / kListFileName).string().c_str(),
                 error.c_str());
    return 2;
  }
  for (const FileDiagnostic& f : found) {
    std::printf("%s\n", FormatDiagnostic(f.diagnostic, f.fileName).c_str());
  }
  return found.empty() ? 0 : 1;
}

}  // namespace boxedit
