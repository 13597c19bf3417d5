// Decoding the text words of a record (the code letter, the flag token and the box tokens), and
// writing the first two back as the save does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chardata/pattern_table.h"

namespace boxedit {

inline constexpr size_t kFlagTokenSize = 4;
inline constexpr size_t kBoxTokenSize = 12;

// Guard code of a code letter: only its first character counts, U 0, M 1, D 2, X 3, else 9.
int32_t DecodeGuard(std::string_view word);

// Flag bits 8, 4, 2, 1 from characters 1..4; only "1" sets a bit. Positions past the end of a
// short token read as "0".
uint32_t DecodeFlags(std::string_view word);

// The code letter the save writes for a guard code: U, M, D, X, or 0 for any other code.
char GuardLetter(int32_t guard);

// The four-digit flag token the save writes for flag bits 8, 4, 2, 1.
std::string FlagToken(uint32_t flags);

// What is odd about a box token; the token is decoded all the same.
struct BoxTokenProblems {
  bool tooShort = false;  // fewer than 12 characters; the missing ones read as "0"
  bool nonHex = false;    // a digit position holds something other than 0-9 or A-F
  bool oddSign = false;   // a sign position holds something other than 0 or 1
};

// One box from the first 12 characters of a box token: a sign and two hex digits for each x,
// three hex digits for each y, in the order x1, y1, x2, y2.
Box DecodeBox(std::string_view word, BoxTokenProblems* problems = nullptr);

}  // namespace boxedit
