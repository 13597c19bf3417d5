#include "chardata/list_reader.h"

#include <array>
#include <cstring>
#include <string>

#include "chardata/input_file.h"
#include "chardata/list_header.h"
#include "chardata/list_tokens.h"
#include "chardata/word_reader.h"

namespace boxedit {

namespace {

// Words 2 to 13 of a record, in file order.
struct NumberField {
  const char* name;
  int32_t PatternRecord::*field;
};
constexpr NumberField kLeadingNumbers[] = {
    {"to", &PatternRecord::to},           {"speed", &PatternRecord::speed},
    {"picture", &PatternRecord::picture}, {"depth", &PatternRecord::depth},
    {"circo", &PatternRecord::circo},     {"voice", &PatternRecord::voice},
    {"vx", &PatternRecord::vx},           {"rx", &PatternRecord::rx},
    {"vy", &PatternRecord::vy},           {"ry", &PatternRecord::ry},
    {"extra", &PatternRecord::extra},     {"clash", &PatternRecord::clash},
};
// Words 15 to 17.
constexpr NumberField kHitNumbers[] = {
    {"damage", &PatternRecord::damage},
    {"hit-to", &PatternRecord::hitTo},
    {"hit-i", &PatternRecord::hitI},
};
constexpr int kRecordWordCount = 22;

// Slot numbers as "3, 40-45, 99".
std::string SlotRanges(const std::array<int, kPatternCount>& lines, int from) {
  std::string text;
  for (int i = from; i < kPatternCount; ++i) {
    if (lines[i] == 0) continue;
    int last = i;
    while (last + 1 < kPatternCount && lines[last + 1] != 0) ++last;
    if (!text.empty()) text += ", ";
    text += std::to_string(i);
    if (last > i) {
      text += '-';
      text += std::to_string(last);
    }
    i = last;
  }
  return text;
}

// One pass over the text of a list file into the table.
class Loader {
 public:
  Loader(MotionList& list, std::string_view text, RecordSources* sources, ReadHeader* header)
      : list_(list), words_(text), sources_(sources), header_(header) {}

  Diagnostics Run();

 private:
  void Report(int line, Severity severity, std::string message) {
    diagnostics_.push_back({line, severity, std::move(message)});
  }
  bool NextField(const char* name, Word* word);
  bool ReadNumber(const char* name, int32_t* value);
  bool ReadRecord(int32_t index);
  void SkipRecord();
  void ReadFlags(PatternRecord& record, const Word& word);
  void ReadBox(Box& box, const Word& word);
  void ReadComment(PatternRecord& record, const Word& word);
  void ReportSlotsAboveLast();

  MotionList& list_;
  WordReader words_;
  RecordSources* sources_;  // may be null
  ReadHeader* header_;      // may be null
  Diagnostics diagnostics_;
  // The line of the record that last filled each slot; 0 for none.
  std::array<int, kPatternCount> recordLines_{};
  int32_t recordIndex_ = 0;
  int recordLine_ = 0;
};

Diagnostics Loader::Run() {
  if (sources_ != nullptr) sources_->fill({});
  list_.ResetSlots();
  list_.lastPattern = 0;
  ReadHeader header;
  header.count = ReadListHeader(words_, &header.words, &diagnostics_);
  if (header.count > 4) list_.gravity = header.words.numbers[3];
  const bool complete = header.count == kHeaderWordCount;
  if (header_ != nullptr) *header_ = std::move(header);
  if (!complete) return std::move(diagnostics_);

  Word word;
  while (words_.Next(&word)) {
    int32_t index;
    if (!ParseInt32(word.text, &index)) {
      Report(word.line, Severity::kError,
             QuoteWord(word.text) +
                 " is not a number (expected a pattern index); reading stops "
                 "here");
      break;
    }
    recordIndex_ = index;
    recordLine_ = word.line;
    if (index < 0 || index >= kPatternCount) {
      Report(word.line, Severity::kError,
             "pattern index " + std::to_string(index) + " is outside 0.." +
                 std::to_string(kPatternCount - 1) + "; the record is skipped");
      SkipRecord();
      continue;
    }
    if (recordLines_[index] != 0) {
      Report(word.line, Severity::kWarning,
             "pattern " + std::to_string(index) + " was already given on line " +
                 std::to_string(recordLines_[index]) + "; the values of this line stand");
    }
    recordLines_[index] = word.line;
    if (sources_ != nullptr) (*sources_)[index].line = word.line;
    list_.lastPattern = index;
    if (!ReadRecord(index)) break;
  }
  ReportSlotsAboveLast();
  return std::move(diagnostics_);
}

// The next word of the current record; false (with an error) when the file ends first.
bool Loader::NextField(const char* name, Word* word) {
  if (words_.Next(word)) return true;
  Report(recordLine_, Severity::kError,
         "the file ends inside the record of pattern " + std::to_string(recordIndex_) + ": its " +
             name + " and the words after it are missing");
  return false;
}

bool Loader::ReadNumber(const char* name, int32_t* value) {
  Word word;
  if (!NextField(name, &word)) return false;
  if (ParseInt32(word.text, value)) return true;
  Report(word.line, Severity::kError,
         QuoteWord(word.text) + " is not a number (expected the " + name + " of pattern " +
             std::to_string(recordIndex_) + "); reading stops here");
  return false;
}

// Reads words 2 to 22 into the slot. A missing word leaves its field and every later field as
// they were; false means the reading stops.
bool Loader::ReadRecord(int32_t index) {
  PatternRecord& record = list_.patterns[index];
  for (const NumberField& f : kLeadingNumbers) {
    if (!ReadNumber(f.name, &(record.*f.field))) return false;
  }
  Word word;
  if (!NextField("code letter", &word)) return false;
  record.guard = DecodeGuard(word.text);
  if (sources_ != nullptr) (*sources_)[index].codeLetter = word.text;
  for (const NumberField& f : kHitNumbers) {
    if (!ReadNumber(f.name, &(record.*f.field))) return false;
  }
  if (!NextField("flag token", &word)) return false;
  ReadFlags(record, word);
  if (sources_ != nullptr) (*sources_)[index].flagToken = word.text;
  constexpr const char* kBoxNames[] = {"defense box 0", "defense box 1", "attack box 0"};
  Box* boxes[] = {&record.defense[0], &record.defense[1], &record.attack[0]};
  for (int b = 0; b < 3; ++b) {
    if (!NextField(kBoxNames[b], &word)) return false;
    ReadBox(*boxes[b], word);
  }
  if (!NextField("comment word", &word)) return false;
  ReadComment(record, word);
  return true;
}

// Drops the 21 words after an index that names no slot.
void Loader::SkipRecord() {
  Word word;
  for (int k = 1; k < kRecordWordCount && words_.Next(&word); ++k) {
  }
}

void Loader::ReadFlags(PatternRecord& record, const Word& word) {
  if (word.text.size() < kFlagTokenSize) {
    Report(word.line, Severity::kWarning,
           "flag token " + QuoteWord(word.text) +
               " is shorter than 4 characters; the missing flags read as 0");
  }
  record.flags = DecodeFlags(word.text);
}

void Loader::ReadBox(Box& box, const Word& word) {
  BoxTokenProblems problems;
  box = DecodeBox(word.text, &problems);
  if (problems.tooShort) {
    Report(word.line, Severity::kWarning,
           "box token " + QuoteWord(word.text) +
               " is shorter than 12 characters; the missing positions read as 0");
  }
  if (problems.nonHex) {
    Report(word.line, Severity::kWarning,
           "box token " + QuoteWord(word.text) +
               " has digits other than 0-9 and A-F; each reads as its character code minus 55");
  }
  if (problems.oddSign) {
    Report(word.line, Severity::kWarning,
           "box token " + QuoteWord(word.text) +
               " has a sign other than 0 or 1; only 1 makes a coordinate negative");
  }
}

void Loader::ReadComment(PatternRecord& record, const Word& word) {
  constexpr size_t kMax = kCommentSize - 1;
  std::string_view text = word.text;
  if (text.size() > kMax) {
    Report(word.line, Severity::kWarning,
           "comment word " + QuoteWord(text) + " is longer than " + std::to_string(kMax) +
               " characters; cut to that length");
    text = text.substr(0, kMax);
  }
  // The comment is kept as a C string, so a NUL byte in the word ends it there.
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
    Report(word.line, Severity::kWarning, "comment word holds a NUL byte; it is cut there");
    text = text.substr(0, nul);
  }
  record.comment.fill('\0');
  std::memcpy(record.comment.data(), text.data(), text.size());
}

// Records given out of index order can leave data above lastPattern, where neither navigation
// nor the save commands go.
void Loader::ReportSlotsAboveLast() {
  const std::string slots = SlotRanges(recordLines_, list_.lastPattern + 1);
  if (slots.empty()) return;
  Report(recordLines_[list_.lastPattern], Severity::kWarning,
         "records out of index order: the last record is pattern " +
             std::to_string(list_.lastPattern) + ", so slots " + slots +
             " hold data that is neither shown nor saved");
}

}  // namespace

int32_t HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  // Every other byte is its code (0..255) minus 55: 'A'..'F' give 10..15, 'a' gives 42.
  return static_cast<unsigned char>(c) - 55;
}

std::optional<KeyColour> ReadHeader::keyColour() const {
  // The first word and the three colour numbers are all that is needed.
  if (count < 4) return std::nullopt;
  return KeyColour{words.numbers[0], words.numbers[1], words.numbers[2]};
}

std::optional<ListHeader> ReadHeader::complete() const {
  if (count < kHeaderWordCount) return std::nullopt;
  return words;
}

Diagnostics LoadText(MotionList& list, std::string_view text, RecordSources* sources,
                     ReadHeader* header) {
  return Loader(list, text, sources, header).Run();
}

Diagnostics Load(MotionList& list, const std::filesystem::path& dir, ReadHeader* header) {
  std::string text;
  std::string error;
  if (!ReadInputFile(dir / kListFileName, kMaxListFileBytes, &text, &error)) {
    list.ResetSlots();
    list.lastPattern = 0;
    if (header != nullptr) *header = ReadHeader{};
    return {{0, Severity::kError, std::string("cannot read ") + kListFileName + ": " + error}};
  }
  return LoadText(list, text, nullptr, header);
}

}  // namespace boxedit
