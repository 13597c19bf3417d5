#include "chardata/word_reader.h"

namespace boxedit {

bool WordReader::Next(Word* word) {
  while (pos_ < text_.size() && IsListSpace(text_[pos_])) {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
  if (pos_ == text_.size()) return false;
  const size_t start = pos_;
  while (pos_ < text_.size() && !IsListSpace(text_[pos_])) ++pos_;
  word->text = text_.substr(start, pos_ - start);
  word->line = line_;
  lastLine_ = line_;
  return true;
}

bool ParseInt32(std::string_view word, int32_t* value) {
  size_t i = 0;
  bool negative = false;
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) {
    negative = word[0] == '-';
    i = 1;
  }
  if (i == word.size()) return false;
  // Accumulate the magnitude in 64 bits and give up as soon as it leaves the 32-bit range.
  const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : int64_t{INT32_MAX};
  int64_t magnitude = 0;
  for (; i < word.size(); ++i) {
    const char c = word[i];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return false;
  }
  *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

std::string QuoteWord(std::string_view word) {
  constexpr size_t kShown = 40;
  std::string quoted = "'";
  // Bytes that a terminal would act on, that would end the message, or that are not ASCII (and
  // so may not be text in the terminal's encoding) are shown as \xNN.
  for (const char c : word.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) {
      constexpr char kHex[] = "0123456789ABCDEF";
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 15];
    } else {
      quoted += c;
    }
  }
  quoted += word.size() > kShown ? "...'" : "'";
  return quoted;
}

}  // namespace boxedit
