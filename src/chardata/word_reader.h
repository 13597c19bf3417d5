// The list files as a stream of white-space-separated words, each with the line it starts on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace boxedit {

// White space as the C library's isspace sees it in the "C" locale.
inline constexpr bool IsListSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct Word {
  std::string_view text;
  int line = 0;  // 1-based line on which the word starts
};

class WordReader {
 public:
  explicit WordReader(std::string_view text) : text_(text) {}

  // The next word; false at the end of the text.
  bool Next(Word* word);

  // The line of the last word returned (1 before the first), for problems found at the end.
  int lastLine() const { return lastLine_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  int lastLine_ = 1;
};

// A whole word as a decimal number: an optional sign and digits, within signed 32 bits.
bool ParseInt32(std::string_view word, int32_t* value);

// A word in single quotes for a message, cut after 40 characters (with "...").
std::string QuoteWord(std::string_view word);

}  // namespace boxedit
