#include "backends/headless/replay_script.h"

#include <array>
#include <sstream>
#include <utility>

#include "chardata/input_file.h"
#include "chardata/word_reader.h"
#include "platform/messages.h"

namespace boxedit {
namespace {

struct NamedKey {
  std::string_view name;
  uint32_t code;
};

// The named keys of the script; letters and digits are added by ReplayKeyCode.
constexpr std::array<NamedKey, 26> kNamedKeys{{
    {"Esc", vk::kEscape},   {"Up", vk::kUp},          {"Down", vk::kDown},
    {"Left", vk::kLeft},    {"Right", vk::kRight},    {"Home", vk::kHome},
    {"End", vk::kEnd},      {"Space", vk::kSpace},    {"Enter", vk::kReturn},
    {"F1", vk::kF1},        {"F2", vk::kF1 + 1},      {"F3", vk::kF1 + 2},
    {"F4", vk::kF1 + 3},    {"F5", vk::kF1 + 4},      {"F6", vk::kF1 + 5},
    {"F7", vk::kF1 + 6},    {"F8", vk::kF1 + 7},      {"F9", vk::kF1 + 8},
    {"F10", vk::kF1 + 9},   {"F11", vk::kF1 + 10},    {"F12", vk::kF1 + 11},
    {"Tab", vk::kTab},      {"Backspace", vk::kBack}, {"Minus", vk::kOemMinus},
    {"PageUp", vk::kPrior}, {"PageDown", vk::kNext},
}};

struct NamedModifier {
  std::string_view lowerName;
  HeldKeys bit;
};

// The modifiers a key of the script may be pressed with, as in `key CTRL+SHIFT+Z`.
constexpr std::array<NamedModifier, 3> kNamedModifiers{{
    {"ctrl", kHeldControl},
    {"shift", kHeldShift},
    {"alt", kHeldMenu},
}};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Takes the next white-space-separated word off the front of `rest`.
std::string_view NextWord(std::string_view& rest) {
  rest = Trim(rest);
  size_t end = 0;
  while (end < rest.size() && !IsSpace(rest[end])) ++end;
  std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  rest = Trim(rest);
  return word;
}

// A plain decimal number (digits only, no sign) not above `max`.
std::optional<uint32_t> ParseDecimal(std::string_view word, uint32_t max) {
  if (word.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > max) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `a` and `b` are the same ASCII text in any case.
bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// The key names for a message: "Esc, Up, ..., PageDown".
std::string KeyNames() {
  std::string names;
  for (const NamedKey& key : kNamedKeys) {
    if (!names.empty()) names += ", ";
    names += key.name;
  }
  return names;
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && EqualsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

// The bit of a modifier name of the script, in any case; 0 for any other word.
HeldKeys ModifierBitOf(std::string_view name) {
  for (const NamedModifier& modifier : kNamedModifiers) {
    if (EqualsNoCase(name, modifier.lowerName)) return modifier.bit;
  }
  return 0;
}

// A word of the script in a message: quoted, cut after 40 characters, control bytes (a NUL
// among them) shown as \xNN so that they cannot cut or garble the message.
std::string Quoted(std::string_view s) {
  return QuoteWord(s);
}

// The line without its comment: a '#' at its start or after white space begins one.
std::string_view StripComment(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || IsSpace(line[i - 1]))) return line.substr(0, i);
  }
  return line;
}

// Parses one non-blank, non-comment line into *out; false with the message in *error.
bool ParseLine(std::string_view line, ReplayCommand* out, std::string* error) {
  std::string_view rest = line;
  const std::string_view command = NextWord(rest);

  auto noMoreWords = [&]() {
    if (rest.empty()) return true;
    *error = "unexpected " + Quoted(NextWord(rest)) + " after " + Quoted(command);
    return false;
  };

  if (command == "key") {
    const std::string_view name = NextWord(rest);
    if (name.empty()) {
      *error = "'key' needs a key name or a code";
      return false;
    }
    // Modifiers come first, each ended by '+'; no key name holds a '+'.
    std::string_view keyName = name;
    HeldKeys held = 0;
    for (size_t plus = keyName.find('+'); plus != std::string_view::npos;
         plus = keyName.find('+')) {
      const std::string_view modifier = keyName.substr(0, plus);
      const HeldKeys bit = ModifierBitOf(modifier);
      if (bit == 0) {
        *error = "unknown modifier " + Quoted(modifier) + " in " + Quoted(name) +
                 " (CTRL, SHIFT or ALT)";
        return false;
      }
      if ((held & bit) != 0) {
        *error = "modifier " + Quoted(modifier) + " given twice in " + Quoted(name);
        return false;
      }
      held |= bit;
      keyName.remove_prefix(plus + 1);
    }
    if (keyName.empty()) {
      *error = "no key after the modifiers in " + Quoted(name);
      return false;
    }
    const std::optional<uint32_t> code = ReplayKeyCode(keyName);
    if (!code) {
      *error = "unknown key " + Quoted(keyName) + " (known keys: " + KeyNames() +
               ", the letters A-Z, the digits 0-9, or a code 0..255)";
      return false;
    }
    out->op = ReplayOp::kKey;
    out->value = *code;
    out->held = held;
    return noMoreWords();
  }

  if (command == "type") {
    // The text is the rest of the line; a blank in it is a character no key types.
    if (rest.empty()) {
      *error = "'type' needs the text to type";
      return false;
    }
    for (const char c : rest) {
      if (!ReplayTypedKeyCode(c)) {
        *error = "cannot type " + Quoted(std::string_view(&c, 1)) + " (digits and '-')";
        return false;
      }
    }
    out->op = ReplayOp::kType;
    out->text = std::string(rest);
    return true;
  }

  static constexpr std::pair<std::string_view, ReplayOp> kMouseCommands[] = {
      {"move", ReplayOp::kMove},       {"ldown", ReplayOp::kLeftDown}, {"lup", ReplayOp::kLeftUp},
      {"rdown", ReplayOp::kRightDown}, {"rup", ReplayOp::kRightUp},
  };
  for (const auto& [name, op] : kMouseCommands) {
    if (command != name) continue;
    const std::string_view xWord = NextWord(rest);
    const std::string_view yWord = NextWord(rest);
    if (yWord.empty()) {
      *error = Quoted(command) + " needs X and Y";
      return false;
    }
    const std::optional<uint32_t> x = ParseDecimal(xWord, 65535);
    const std::optional<uint32_t> y = ParseDecimal(yWord, 65535);
    if (!x || !y) {
      *error = "bad coordinate " + Quoted(x ? yWord : xWord) + " (0..65535)";
      return false;
    }
    out->op = op;
    out->x = static_cast<uint16_t>(*x);
    out->y = static_cast<uint16_t>(*y);
    return noMoreWords();
  }

  if (command == "frame") {
    out->op = ReplayOp::kFrame;
    out->value = 1;
    const std::string_view countWord = NextWord(rest);
    if (!countWord.empty()) {
      const std::optional<uint32_t> count = ParseDecimal(countWord, kMaxReplayFrames);
      if (!count || *count == 0) {
        *error = "bad frame count " + Quoted(countWord) + " (1..1000000)";
        return false;
      }
      out->value = *count;
    }
    return noMoreWords();
  }

  if (command == "shot") {
    // The file name is the rest of the line, so it may hold spaces.
    if (rest.empty()) {
      *error = "'shot' needs a file name";
      return false;
    }
    if (!EndsWithNoCase(rest, ".bmp") && !EndsWithNoCase(rest, ".png")) {
      *error = "shot file " + Quoted(rest) + " must end in .bmp or .png";
      return false;
    }
    out->op = ReplayOp::kShot;
    out->text = std::string(rest);
    return true;
  }

  if (command == "close") {
    out->op = ReplayOp::kClose;
    return noMoreWords();
  }

  *error = "unknown command " + Quoted(command);
  return false;
}

}  // namespace

std::optional<uint32_t> ReplayKeyCode(std::string_view name) {
  for (const NamedKey& key : kNamedKeys) {
    if (EqualsNoCase(key.name, name)) return key.code;
  }
  // Single letters (in any case) and digits name their keys, whose codes are their upper-case
  // characters; any longer run of digits is a code.
  const char c = name.size() == 1 ? Lower(name[0]) : '\0';
  if (c >= 'a' && c <= 'z') return static_cast<uint32_t>(c - 'a' + 'A');
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c);
  return ParseDecimal(name, 255);
}

std::optional<uint32_t> ReplayTypedKeyCode(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c);
  if (c == '-') return vk::kOemMinus;
  return std::nullopt;
}

bool ParseReplayScript(std::string_view text, std::string_view scriptName,
                       std::vector<ReplayCommand>* out, std::string* error) {
  out->clear();
  int lineNumber = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;

    line = Trim(StripComment(line));
    if (line.empty()) continue;

    ReplayCommand command;
    command.line = lineNumber;
    std::string message;
    // The editor is gone after a close request: a command after it would never be played.
    if (!out->empty() && out->back().op == ReplayOp::kClose) {
      message = "nothing may follow 'close' (line " + std::to_string(out->back().line) + ")";
    }
    if (!message.empty() || !ParseLine(line, &command, &message)) {
      *error = std::string(scriptName) + ":" + std::to_string(lineNumber) + ": " + message;
      out->clear();
      return false;
    }
    out->push_back(std::move(command));
  }
  return true;
}

bool LoadReplayScript(const std::filesystem::path& path, std::vector<ReplayCommand>* out,
                      std::string* error) {
  out->clear();
  std::string text;
  std::string reason;
  if (!ReadInputFile(path, kMaxScriptBytes, &text, &reason)) {
    *error = path.string() + ": cannot read the script: " + reason;
    return false;
  }
  return ParseReplayScript(text, path.string(), out, error);
}

}  // namespace boxedit
