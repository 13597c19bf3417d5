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
  const char* details;  // its options and exit codes, for 'boxtool help COMMAND'
};

constexpr Subcommand kSubcommands[] = {
    {"check", "check [DIR]", "report the problems of DIR's character", "", boxedit::RunCheck,
     "DIR is the character's folder (the current one unless given). Each problem is a line\n"
     "'FILE:LINE: error|warning: message'. Defense box 0's x values are not checked: the\n"
     "editor sets them to -18 and 18 at each frame it draws; resave keeps the file's own.\n"
     "exit: 0 no problem, 1 problems (warnings too), 2 motion.lst unreadable or bad arguments\n"},
    {"frames", "frames [DIR] [--motion M] [--format text|csv|json|markdown]",
     "frame data of the motions: startup, active frames, recovery", "--motion --format",
     boxedit::RunFrames,
     "  --motion M   only motion M (0..129)\n"
     "  --format F   text (an aligned table, the default), csv, json or markdown\n"
     "exit: 0, 1 when motion.lst has errors (what was read is still counted),\n"
     "      2 motion.lst unreadable or bad arguments\n"},
    {"diff", "diff A B [--format text|json]",
     "what differs between two lists (files or character folders)", "--format", boxedit::RunDiff,
     "A and B are each a list file or a character folder (its motion.lst).\n"
     "  --format F   text (one change a line: '251 attack 0 x2: 40 -> 44', the default) or json\n"
     "exit: 0 the same, 1 different, 2 one cannot be read or bad arguments\n"},
    {"export", "export [DIR] [--output FILE]", "the character's list as JSON for other tools",
     "--output", boxedit::RunExport,
     "Writes DIR/motion.lst as a JSON document (schema/motion-list.schema.json).\n"
     "  --output FILE   write it to FILE (replaced whole) instead of stdout\n"
     "exit: 0, 1 when motion.lst has errors (nothing is written) or FILE cannot be written,\n"
     "      2 bad arguments\n"},
    {"import", "import FILE.json [DIR] [--layout s|l]",
     "write DIR/motion2.lst from a JSON document of the list (FILE - reads stdin)", "--layout",
     boxedit::RunImport,
     "Writes DIR/motion2.lst (never motion.lst) with the document's header, as the S or L key\n"
     "would. A document with any problem is refused whole, each problem named by its pattern\n"
     "and JSON Pointer.\n"
     "  --layout s|l   the S (default) or L layout\n"
     "exit: 0, 1 the document is refused or the file cannot be written, 2 bad arguments\n"},
    {"sheet", "sheet [DIR] OUT.png [--motion M] [--columns N] [--layout 565|555]",
     "a contact sheet of the patterns as the editor draws them", "--motion --columns --layout",
     boxedit::RunSheet,
     "  --motion M      only motion M (0..129)\n"
     "OUT must end in .png.\n"
     "  --columns N     patterns a row (8 unless given); past 64 rows the sheet goes on in\n"
     "                  OUT-2.png, OUT-3.png, ... (those a longer sheet left are removed)\n"
     "  --layout L      the screen's pixel layout, 565 (default) or 555\n"
     "exit: 0, 1 when motion.lst has errors (the sheet is still written), no pattern is drawn\n"
     "      or a file cannot be written, 2 motion.lst unreadable or bad arguments\n"},
    {"resave", "resave s|l [DIR]", "write DIR/motion2.lst as the S or L key does", "",
     boxedit::RunResave,
     "exit: 0, 1 when motion.lst has errors (nothing is written) or the file cannot be\n"
     "      written, 2 bad arguments\n"},
    {"replay", "replay SCRIPT [--layout 565|555]", "run the editor headless from a script",
     "--layout", boxedit::RunReplay,
     "Runs the editor on the current directory's files. SCRIPT has a command a line: key NAME,\n"
     "type TEXT, move X Y, ldown X Y, lup X Y, rdown X Y, rup X Y, frame [N], shot FILE, close.\n"
     "Key names (in any case): A-Z, 0-9, Esc, Enter, Space, Tab, Backspace, Minus, Up, Down,\n"
     "Left, Right, Home, End, PageUp, PageDown, F1-F12, or a code 0..255; CTRL+, SHIFT+ and\n"
     "ALT+ hold modifiers.\n"
     "  --layout L   the screen's pixel layout, 565 (default) or 555\n"
     "exit: 0, 1 when a shot or a save failed, 2 a malformed script or bad arguments\n"},
    {"make-sample", "make-sample [--force] DIR", "write the sample character into DIR", "--force",
     boxedit::RunMakeSample,
     "  --force   write over a character already in DIR\n"
     "exit: 0, 1 a file cannot be written or DIR holds a character, 2 bad arguments\n"},
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

int CommandHelp(const Subcommand& s) {
  std::printf("usage: boxtool %s\n%s.\n\n%s", s.usage, s.summary, s.details);
  return 0;
}

// Runs a command after the checks every command shares: --help (or -h) shows its usage, and an
// option it does not take is a usage error.
int Run(const Subcommand& s, const boxedit::ToolArgs& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return CommandHelp(s);
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
               "  help [COMMAND]\n      show this list, or a command's options and exit codes (as\n"
               "      'boxtool COMMAND --help' does)\n");
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
  if (name == "help" || name == "--help" || name == "-h") {
    if (argc == 2) return Help(stdout);
    for (const Subcommand& s : kSubcommands) {
      if (argv[2] == std::string_view(s.name)) return CommandHelp(s);
    }
    std::fprintf(stderr, "boxtool: no command '%s' (see 'boxtool help')\n", argv[2]);
    return 2;
  }
  for (const Subcommand& s : kSubcommands) {
    if (name == s.name) return Run(s, boxedit::ToolArgs(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "boxtool: unknown command '%s' (see 'boxtool help')\n", name.c_str());
  return 2;
}
