#include "chardata/list_tokens.h"

#include "chardata/list_reader.h"

namespace boxedit {

namespace {

// Character k (0-based) of a token, with "0" past its end.
char TokenChar(std::string_view word, size_t k) {
  return k < word.size() ? word[k] : '0';
}

bool IsUpperHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

int32_t DecodeGuard(std::string_view word) {
  switch (word.empty() ? '\0' : word[0]) {
    case 'U':
      return 0;
    case 'M':
      return 1;
    case 'D':
      return 2;
    case 'X':
      return 3;
    default:
      return 9;
  }
}

uint32_t DecodeFlags(std::string_view word) {
  uint32_t flags = 0;
  for (size_t k = 0; k < kFlagTokenSize; ++k) {
    if (TokenChar(word, k) == '1') flags |= 8u >> k;
  }
  return flags;
}

char GuardLetter(int32_t guard) {
  switch (guard) {
    case 0:
      return 'U';
    case 1:
      return 'M';
    case 2:
      return 'D';
    case 3:
      return 'X';
    default:  // 9, the only other code the reader gives
      return '0';
  }
}

std::string FlagToken(uint32_t flags) {
  std::string token;
  for (uint32_t bit = 8; bit != 0; bit >>= 1) token += (flags & bit) ? '1' : '0';
  return token;
}

Box DecodeBox(std::string_view word, BoxTokenProblems* problems) {
  int32_t d[kBoxTokenSize];
  bool nonHex = false;
  bool oddSign = false;
  for (size_t k = 0; k < kBoxTokenSize; ++k) {
    const char c = TokenChar(word, k);
    d[k] = HexDigitValue(c);
    if (k == 0 || k == 6) {
      oddSign |= c != '0' && c != '1';
    } else {
      nonHex |= !IsUpperHex(c);
    }
  }
  Box box;
  box.x1 = 16 * d[1] + d[2];
  box.y1 = 256 * d[3] + 16 * d[4] + d[5];
  box.x2 = 16 * d[7] + d[8];
  box.y2 = 256 * d[9] + 16 * d[10] + d[11];
  // A sign position counts as negative only when its digit value is exactly 1, i.e. "1".
  if (d[0] == 1) box.x1 = -box.x1;
  if (d[6] == 1) box.x2 = -box.x2;
  if (problems != nullptr) {
    problems->tooShort = word.size() < kBoxTokenSize;
    problems->nonHex = nonHex;
    problems->oddSign = oddSign;
  }
  return box;
}

}  // namespace boxedit
