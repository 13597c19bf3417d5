#include "chardata/list_header.h"

#include <string>

#include "chardata/character_files.h"
#include "chardata/input_file.h"

namespace boxedit {

namespace {

constexpr const char* kHeaderWordNames[kHeaderWordCount] = {
    "first header word", "red", "green", "blue", "gravity", "second header word"};

void Report(Diagnostics* diagnostics, int line, Severity severity, std::string message) {
  if (diagnostics != nullptr) diagnostics->push_back({line, severity, std::move(message)});
}

// A text word of the header, cut to its longest allowed length.
std::string HeaderText(const Word& word, int position, Diagnostics* diagnostics) {
  if (word.text.size() <= kMaxHeaderWordSize) return std::string(word.text);
  Report(diagnostics, word.line, Severity::kWarning,
         std::string("the ") + kHeaderWordNames[position] + " is longer than " +
             std::to_string(kMaxHeaderWordSize) + " characters; cut to that length");
  return std::string(word.text.substr(0, kMaxHeaderWordSize));
}

}  // namespace

int ReadListHeader(WordReader& words, ListHeader* header, Diagnostics* diagnostics) {
  for (int position = 0; position < kHeaderWordCount; ++position) {
    Word word;
    if (!words.Next(&word)) {
      Report(diagnostics, words.lastLine(), Severity::kError,
             std::string("the file ends where the header's ") + kHeaderWordNames[position] +
                 " should be");
      return position;
    }
    if (position == 0) {
      header->firstWord = HeaderText(word, position, diagnostics);
    } else if (position == kHeaderWordCount - 1) {
      header->secondWord = HeaderText(word, position, diagnostics);
    } else {
      int32_t& number = header->numbers[position - 1];
      if (!ParseInt32(word.text, &number)) {
        Report(diagnostics, word.line, Severity::kError,
               QuoteWord(word.text) + " is not a number (expected the header's " +
                   kHeaderWordNames[position] + "); reading stops here");
        return position;
      }
      // Red, green and blue name a colour; values outside 0..255 make no sensible key colour.
      if (position <= 3 && (number < 0 || number > 255)) {
        Report(diagnostics, word.line, Severity::kWarning,
               std::string("the header's ") + kHeaderWordNames[position] + " " +
                   std::to_string(number) + " is outside 0..255");
      }
    }
  }
  return kHeaderWordCount;
}

bool ReadHeaderOfList(const std::filesystem::path& dir, ListHeader* header, std::string* error) {
  std::string text;
  std::string reason;
  if (!ReadInputFile(dir / kListFileName, kMaxListFileBytes, &text, &reason)) {
    if (error != nullptr) *error = std::string("cannot read ") + kListFileName + ": " + reason;
    return false;
  }
  WordReader words(text);
  if (ReadListHeader(words, header) < kHeaderWordCount) {
    if (error != nullptr)
      *error = std::string(kListFileName) + " has no complete header of six words";
    return false;
  }
  return true;
}

}  // namespace boxedit
