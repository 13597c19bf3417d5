// The arguments of a boxtool command: its plain words in order and the values of its options.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tool_commands.h"

namespace boxedit {

struct ParsedArgs {
  std::vector<std::string> words;
  std::map<std::string, std::string, std::less<>> options;  // "--name" -> its value ("" for flags)

  std::optional<std::string> Option(std::string_view name) const;
};

// Options named in `valued` take the next argument as their value, those in `flags` none. False
// with the reason in *error for any other option, a value missing or an option given twice.
bool ParseArgs(const ToolArgs& args, std::initializer_list<std::string_view> valued,
               std::initializer_list<std::string_view> flags, ParsedArgs* out, std::string* error);

// The motion that --motion names (none when the option is not given); false, having said why on
// stderr with the command's usage, when it names no motion of the table.
bool MotionOption(const ParsedArgs& parsed, const char* command, const char* usage,
                  std::optional<int>* motion);

// The whole of `text` as a decimal number from min to max; none otherwise.
std::optional<int> ParseNumber(std::string_view text, int min, int max);

}  // namespace boxedit
