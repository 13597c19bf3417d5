// boxtool import FILE.json [DIR] [--layout s|l]: writes DIR/motion2.lst from a JSON document of
// the list (FILE "-" reads it from stdin), with the document's header, as the S or L key would.
// A document with any problem is refused whole: nothing is written.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/list_json.h"
#include "app/tool_args.h"
#include "app/tool_commands.h"
#include "chardata/input_file.h"

namespace boxedit {

namespace {

constexpr const char* kUsage = "usage: boxtool import FILE.json [DIR] [--layout s|l]\n";

// All of stdin, up to the bound of a list file.
bool ReadStdin(std::string* text, std::string* error) {
  char buffer[65536];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    text->append(buffer, n);
    if (text->size() > kMaxListFileBytes) {
      *error = "more than the 64 MiB allowed";
      return false;
    }
  }
  if (std::ferror(stdin) == 0) return true;
  *error = "stdin could not be read";
  return false;
}

}  // namespace

// Exit 0 when written, 1 when the document is refused or the file cannot be written, 2 on
// wrong arguments.
int RunImport(const ToolArgs& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--layout"}, {}, &parsed, &error) || parsed.words.empty() ||
      parsed.words.size() > 2) {
    std::fprintf(stderr, "boxtool import: %s\n%s",
                 error.empty() ? "it takes a document and a folder" : error.c_str(), kUsage);
    return 2;
  }
  const std::string layout = parsed.Option("--layout").value_or("s");
  if (layout != "s" && layout != "l") {
    std::fprintf(stderr, "boxtool import: no layout '%s' (s or l)\n%s", layout.c_str(), kUsage);
    return 2;
  }
  const std::string& file = parsed.words[0];
  const std::filesystem::path dir = parsed.words.size() > 1 ? parsed.words[1] : ".";
  const std::string target = (dir / kSavedListFileName).string();
  std::string text;
  if (file == "-" ? !ReadStdin(&text, &error)
                  : !ReadInputFile(file, kMaxListFileBytes, &text, &error)) {
    std::fprintf(stderr, "boxtool import: cannot read %s: %s\n", file.c_str(), error.c_str());
    return 1;
  }
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    std::fprintf(stderr, "boxtool import: %s is not JSON: %s\nboxtool import: %s not written\n",
                 file.c_str(), e.what(), target.c_str());
    return 1;
  }
  auto list = std::make_unique<MotionList>();
  ListHeader header;
  std::vector<std::string> problems;
  if (!ListFromJson(document, list.get(), &header, &problems)) {
    for (const std::string& p : problems) std::fprintf(stderr, "%s\n", p.c_str());
    std::fprintf(stderr, "boxtool import: %s not written: %zu problem%s in %s\n", target.c_str(),
                 problems.size(), problems.size() == 1 ? "" : "s", file.c_str());
    return 1;
  }
  if (!SaveWithHeader(*list, header, dir, layout == "s" ? SaveLayout::kS : SaveLayout::kL,
                      &error)) {
    std::fprintf(stderr, "boxtool import: %s not written: %s\n", target.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace boxedit
