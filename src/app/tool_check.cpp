// boxtool check [DIR]: reports the problems of DIR/motion.lst.
#include <cstdio>
#include <memory>
#include <string>

#include "app/tool_commands.h"
#include "chardata/input_file.h"
#include "chardata/list_reader.h"

namespace boxedit {

// Prints each problem on stdout. Exit status 0 when there is none, 1 when there are problems,
// 2 when the file cannot be read or the arguments are wrong.
int RunCheck(const ToolArgs& args) {
  if (args.size() > 1) {
    std::fprintf(stderr, "usage: boxtool check [DIR]\n");
    return 2;
  }
  const std::filesystem::path dir = args.empty() ? "." : args[0];
  std::string text;
  std::string error;
  if (!ReadInputFile(dir / kListFileName, kMaxListFileBytes, &text, &error)) {
    std::fprintf(stderr, "boxtool: cannot read %s: %s\n", (dir / kListFileName).string().c_str(),
                 error.c_str());
    return 2;
  }
  auto list = std::make_unique<MotionList>();
  const Diagnostics diagnostics = LoadText(*list, text);
  for (const Diagnostic& d : diagnostics) std::printf("%s\n", FormatDiagnostic(d).c_str());
  return diagnostics.empty() ? 0 : 1;
}

}  // namespace boxedit
