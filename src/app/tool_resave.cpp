// boxtool resave s|l [DIR]: loads DIR/motion.lst and writes DIR/motion2.lst as the S or L key
// does. No frame is drawn, so defense box 0 keeps the x values of the file. A list with errors is
// not written (exit 1).
#include <cstdio>
#include <memory>
#include <string>

#include "app/tool_commands.h"
#include "chardata/list_reader.h"
#include "chardata/list_writer.h"

namespace boxedit {

int RunResave(const ToolArgs& args) {
  if (args.empty() || args.size() > 2 || (args[0] != "s" && args[0] != "l")) {
    std::fprintf(stderr, "usage: boxtool resave s|l [DIR]\n");
    return 2;
  }
  const SaveLayout layout = args[0] == "s" ? SaveLayout::kS : SaveLayout::kL;
  const std::filesystem::path dir = args.size() > 1 ? args[1] : ".";
  auto list = std::make_unique<MotionList>();
  const Diagnostics diagnostics = Load(*list, dir);
  for (const Diagnostic& d : diagnostics) {
    std::fprintf(stderr, "%s\n", FormatDiagnostic(d).c_str());
  }
  // An error means records were dropped or cut short: writing them out would lose them, and
  // would replace an earlier motion2.lst with the loss. Warnings do not stop the save.
  if (HasErrors(diagnostics)) {
    std::fprintf(stderr, "boxtool: %s not written: %s has errors\n",
                 (dir / kSavedListFileName).string().c_str(), kListFileName);
    return 1;
  }
  std::string error;
  if (Save(*list, dir, layout, &error) == 0) {
    std::fprintf(stderr, "boxtool: %s not written: %s\n",
                 (dir / kSavedListFileName).string().c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace boxedit
