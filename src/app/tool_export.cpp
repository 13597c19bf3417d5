// boxtool export [DIR] [--output FILE]: the character's list as a JSON document for other tools
// (schema/motion-list.schema.json), on stdout unless a file is named.
#include <cstdio>
#include <memory>
#include <string>

#include "app/list_json.h"
#include "app/tool_args.h"
#include "app/tool_commands.h"
#include "chardata/atomic_file.h"
#include "chardata/list_reader.h"

namespace boxedit {

namespace {
constexpr const char* kUsage = "usage: boxtool export [DIR] [--output FILE]\n";
}  // namespace

// Exit 0 when written, 1 when the list has errors (its records would be lost on the way) or the
// file cannot be written, 2 on wrong arguments.
int RunExport(const ToolArgs& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--output"}, {}, &parsed, &error) || parsed.words.size() > 1) {
    std::fprintf(stderr, "boxtool export: %s\n%s",
                 error.empty() ? "it takes one folder" : error.c_str(), kUsage);
    return 2;
  }
  const std::filesystem::path dir = parsed.words.empty() ? "." : parsed.words[0];
  auto list = std::make_unique<MotionList>();
  ReadHeader header;
  const Diagnostics diagnostics = Load(*list, dir, &header);
  for (const Diagnostic& d : diagnostics) std::fprintf(stderr, "%s\n", FormatDiagnostic(d).c_str());
  if (HasErrors(diagnostics) || !header.complete()) {
    std::fprintf(stderr, "boxtool export: nothing exported: %s has errors\n",
                 (dir / kListFileName).string().c_str());
    return 1;
  }
  const std::string text = ListToJson(*list, *header.complete()).dump(2) + "\n";
  const std::optional<std::string> output = parsed.Option("--output");
  if (!output) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (!WriteFileAtomically(*output, text, &error)) {
    std::fprintf(stderr, "boxtool export: %s not written: %s\n", output->c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace boxedit
