// boxtool: the editor's companion command line, with git-style subcommands.
#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "app/tool_commands.h"

namespace {

struct Subcommand {
  const char* name;
  const char* usage;
  int (*run)(const boxedit::ToolArgs&);
};

constexpr Subcommand kSubcommands[] = {
    {"check", "check [DIR]              report the problems of DIR/motion.lst", boxedit::RunCheck},
    {"resave", "resave s|l [DIR]         write DIR/motion2.lst as the S or L key does",
     boxedit::RunResave},
    {"replay", "replay SCRIPT [--layout 565|555]  run the editor headless from a script",
     boxedit::RunReplay},
    {"make-sample", "make-sample [--force] DIR  write the sample character into DIR",
     boxedit::RunMakeSample},
};

int Help(FILE* out) {
  std::fprintf(out, "usage: boxtool COMMAND [ARGS]\n\ncommands:\n");
  for (const Subcommand& s : kSubcommands) std::fprintf(out, "  %s\n", s.usage);
  std::fprintf(out, "  help                     show this list\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  // Lines end in LF on every system, so that the output is the same bytes everywhere.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  if (argc < 2) {
    Help(stderr);
    return 2;
  }
  const std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") return Help(stdout);
  for (const Subcommand& s : kSubcommands) {
    if (name == s.name) return s.run(boxedit::ToolArgs(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "boxtool: unknown command '%s' (see 'boxtool help')\n", name.c_str());
  return 2;
}
