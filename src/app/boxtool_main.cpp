// boxtool: the editor's companion command line, with git-style subcommands.
#include <cstdio>
#include <string>
#include <string_view>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "app/tool_commands.h"

namespace {

struct Subcommand {
  const char* name;
  const char* usage;         // the command line it takes
  const char* summary;       // what it does
  std::string_view options;  // the options it takes, with their leading "--", blank-separated
  int (*run)(const boxedit::ToolArgs&);
};

constexpr Subcommand kSubcommands[] = {
    {"check", "check [DIR]", "report the problems of DIR's character", "", boxedit::RunCheck},
    {"frames", "frames [DIR] [--motion M] [--format text|csv|json|markdown]",
     "frame data of the motions: startup, active frames, recovery", "--motion --format",
     boxedit::RunFrames},
    {"diff", "diff A B [--format text|json]",
     "what differs between two lists (files or character folders)", "--format", boxedit::RunDiff},
    {"export", "export [DIR] [--output FILE]", "the character's list as JSON for other tools",
     "--output", boxedit::RunExport},
    {"import", "import FILE.json [DIR] [--layout s|l]",
     "write DIR/motion2.lst from a JSON document of the list (FILE - reads stdin)", "--layout",
     boxedit::RunImport},
    {"sheet", "sheet [DIR] OUT.png [--motion M] [--columns N] [--layout 565|555]",
     "a contact sheet of the patterns as the editor draws them", "--motion --columns --layout",
     boxedit::RunSheet},
    {"resave", "resave s|l [DIR]", "write DIR/motion2.lst as the S or L key does", "",
     boxedit::RunResave},
    {"replay", "replay SCRIPT [--layout 565|555]", "run the editor headless from a script",
     "--layout", boxedit::RunReplay},
    {"make-sample", "make-sample [--force] DIR", "write the sample character into DIR", "--force",
     boxedit::RunMakeSample},
};

bool TakesOption(const Subcommand& s, std::string_view arg) {
  std::string_view rest = s.options;
  while (!rest.empty()) {
    const size_t blank = rest.find(' ');
    if (rest.substr(0, blank) == arg) return true;
    rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank + 1);
  }
  return false;
}

// Runs a command after the checks every command shares: --help (or -h) shows its usage, and an
// option it does not take is a usage error.
int Run(const Subcommand& s, const boxedit::ToolArgs& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::printf("usage: boxtool %s\n", s.usage);
      return 0;
    }
  }
  for (const std::string& arg : args) {
    if (arg.rfind("--", 0) == 0 && !TakesOption(s, arg)) {
      std::fprintf(stderr, "boxtool %s: unknown option '%s'\nusage: boxtool %s\n", s.name,
                   arg.c_str(), s.usage);
      return 2;
    }
  }
  return s.run(args);
}

int Help(FILE* out) {
  std::fprintf(out, "usage: boxtool COMMAND [ARGS]\n\ncommands:\n");
  for (const Subcommand& s : kSubcommands)
    std::fprintf(out, "  %s\n      %s\n", s.usage, s.summary);
  std::fprintf(out,
               "  help\n      show this list; 'boxtool COMMAND --help' shows a command's usage\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  // Lines end in LF on every system, so that the output is the same bytes everywhere.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  if (argc < 2) {
    Help(stderr);
    return 2;
  }
  const std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") return Help(stdout);
  for (const Subcommand& s : kSubcommands) {
    if (name == s.name) return Run(s, boxedit::ToolArgs(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "boxtool: unknown command '%s' (see 'boxtool help')\n", name.c_str());
  return 2;
}
