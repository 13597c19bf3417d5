#include "app/tool_args.h"

#include <algorithm>
#include <charconv>

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
