#include "app/tool_list.h"

#include <cstdio>
#include <string>

#include "chardata/character_files.h"
#include "chardata/input_file.h"
#include "chardata/list_reader.h"

namespace boxedit {

bool ReadCharacterList(const std::filesystem::path& dir, MotionList& list,
                       Diagnostics* diagnostics) {
  std::string text;
  std::string error;
  if (!ReadInputFile(dir / kListFileName, kMaxListFileBytes, &text, &error)) {
    std::fprintf(stderr, "boxtool: cannot read %s: %s\n", (dir / kListFileName).string().c_str(),
                 error.c_str());
    return false;
  }
  *diagnostics = LoadText(list, text);
  return true;
}

}  // namespace boxedit
