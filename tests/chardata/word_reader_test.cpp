// The word stream of the list files: words, their lines, and whole-word numbers.
#include "chardata/word_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace boxedit {
namespace {

std::vector<std::pair<std::string, int>> AllWords(std::string_view text) {
  WordReader reader(text);
  std::vector<std::pair<std::string, int>> words;
  Word w;
  while (reader.Next(&w)) words.emplace_back(std::string(w.text), w.line);
  return words;
}

TEST(WordReader, SplitsOnCWhiteSpaceAndCountsLines) {
  using W = std::vector<std::pair<std::string, int>>;
  EXPECT_EQ(AllWords("a b\n\nc\r\nd\te\vf\fg"),
            (W{{"a", 1}, {"b", 1}, {"c", 3}, {"d", 4}, {"e", 4}, {"f", 4}, {"g", 4}}));
  EXPECT_EQ(AllWords(""), W{});
  EXPECT_EQ(AllWords(" \n \n"), W{});
  EXPECT_EQ(AllWords("\n\nlast"), (W{{"last", 3}}));
  // Bytes that are not white space belong to words, NUL and high bytes included.
  EXPECT_EQ(AllWords(std::string("x\0y \xA0z", 6)), (W{{std::string("x\0y", 3), 1}, {"\xA0z", 1}}));
}

TEST(WordReader, LastLine_IsTheLineOfTheLastWord) {
  WordReader reader("a\nb\n\n\n");
  EXPECT_EQ(reader.lastLine(), 1);
  Word w;
  while (reader.Next(&w)) {
  }
  EXPECT_EQ(reader.lastLine(), 2);
}

TEST(ParseInt32, AcceptsWholeDecimalWordsWithinRange) {
  const std::pair<const char*, int32_t> good[] = {{"0", 0},
                                                  {"-0", 0},
                                                  {"+12", 12},
                                                  {"007", 7},
                                                  {"-2147483648", INT32_MIN},
                                                  {"2147483647", INT32_MAX},
                                                  {"00000000000000000001", 1}};
  for (const auto& [word, expected] : good) {
    int32_t value = 99;
    EXPECT_TRUE(ParseInt32(word, &value)) << word;
    EXPECT_EQ(value, expected) << word;
  }
  for (const char* word : {"", "-", "+", "12abc", "abc", "1.5", "0x10", "--1", "+-1", "2147483648",
                           "-2147483649", "99999999999", "99999999999999999999"}) {
    int32_t value = 99;
    EXPECT_FALSE(ParseInt32(word, &value)) << word;
    EXPECT_EQ(value, 99) << word;
  }
}

TEST(QuoteWord, CutsLongWords) {
  EXPECT_EQ(QuoteWord("abc"), "'abc'");
  EXPECT_EQ(QuoteWord(std::string(41, 'x')), "'" + std::string(40, 'x') + "...'");
}

}  // namespace
}  // namespace boxedit
