#include "app/tool_args.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "chardata/pattern_table.h"

namespace boxedit {

std::optional<std::string> ParsedArgs::Option(std::string_view name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

bool ParseArgs(const ToolArgs& args, std::initializer_list<std::string_view> valued,
               std::initializer_list<std::string_view> flags, ParsedArgs* out, std::string* error) {
  auto listed = [](std::initializer_list<std::string_view> names, std::string_view arg) {
    return std::find(names.begin(), names.end(), arg) != names.end();
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      out->words.push_back(arg);
      continue;
    }
    const bool takesValue = listed(valued, arg);
    if (!takesValue && !listed(flags, arg)) {
      *error = "unknown option '" + arg + "'";
      return false;
    }
    if (out->options.count(arg) != 0) {
      *error = "'" + arg + "' given twice";
      return false;
    }
    if (takesValue && i + 1 == args.size()) {
      *error = "'" + arg + "' needs a value";
      return false;
    }
    out->options[arg] = takesValue ? args[++i] : "";
  }
  return true;
}

bool MotionOption(const ParsedArgs& parsed, const char* command, const char* usage,
                  std::optional<int>* motion) {
  const std::optional<std::string> text = parsed.Option("--motion");
  if (!text) return true;
  *motion = ParseNumber(*text, 0, kMotionCount - 1);
  if (*motion) return true;
  std::fprintf(stderr, "boxtool %s: no motion '%s' (0 to %d)\n%s", command, text->c_str(),
               kMotionCount - 1, usage);
  return false;
}

std::optional<int> ParseNumber(std::string_view text, int min, int max) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min ||
      value > max) {
    return std::nullopt;
  }
  return value;
}

}  // namespace boxedit
