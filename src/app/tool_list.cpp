#include "app/tool_list.h"

#include <cstdio>
#include <string>

#include "chardata/character_files.h"
#include "chardata/input_file.h"
#include "chardata/list_reader.h"

namespace boxedit {

bool ReadCharacterList(const std::filesystem::path& dir, MotionList& list,
                       Diagnostics* diagnostics) {
  return ReadListAt(dir / kListFileName, list, diagnostics, nullptr);
}

bool ReadListAt(const std::filesystem::path& path, MotionList& list, Diagnostics* diagnostics,
                ReadHeader* header) {
  std::error_code ec;
  const std::filesystem::path file =
      std::filesystem::is_directory(path, ec) ? path / kListFileName : path;
  std::string text;
  std::string error;
  if (!ReadInputFile(file, kMaxListFileBytes, &text, &error)) {
    std::fprintf(stderr, "boxtool: cannot read %s: %s\n", file.string().c_str(), error.c_str());
    return false;
  }
  *diagnostics = LoadText(list, text, nullptr, header);
  return true;
}

}  // namespace boxedit
