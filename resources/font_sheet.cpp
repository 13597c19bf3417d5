#include "resources/font_sheet.h"

#include <charconv>
#include <vector>

namespace boxedit {

namespace {

struct Line {
  int number;  // 1-based
  std::string_view text;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  int number = 1;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({number++, line});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// A whole word as a decimal number, or nothing.
std::optional<int> ParseInt(std::string_view word) {
  int value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

bool IsSkipped(std::string_view line) {
  return Words(line).empty() || line.starts_with("//");
}

class FontParser {
 public:
  explicit FontParser(std::string_view text)
      : lines_(SplitLines(text)), sheet_(kFontSheetWidth, kFontSheetHeight, kFontBackgroundIndex) {}

  std::optional<IndexedImage> Run(std::string* error) {
    for (size_t i = 0; i < lines_.size() && message_.empty(); ++i) {
      const Line& line = lines_[i];
      if (IsSkipped(line.text)) continue;
      const std::vector<std::string_view> words = Words(line.text);
      if (words[0] == "glyph") {
        i = Glyph(i, words);
      } else if (words[0] == "copy") {
        Copy(line, words);
      } else {
        Fail(line.number, "expected \"glyph CELL LABEL\" or \"copy FIRST-LAST from CELL\"");
      }
    }
    if (!message_.empty()) {
      if (error) *error = message_;
      return std::nullopt;
    }
    return std::move(sheet_);
  }

 private:
  void Fail(int line, const std::string& message) {
    if (message_.empty()) message_ = std::to_string(line) + ": " + message;
  }

  bool TakeCell(int line, int cell) {
    if (cell < 0 || cell >= kFontCells) {
      Fail(line, "cell " + std::to_string(cell) + " is outside 0..599");
      return false;
    }
    if (defined_[cell]) {
      Fail(line, "cell " + std::to_string(cell) + " is given twice");
      return false;
    }
    defined_[cell] = true;
    return true;
  }

  // Reads the header at lines_[i] and the 16 rows after it; returns the index of the last row.
  size_t Glyph(size_t i, const std::vector<std::string_view>& words) {
    const int number = lines_[i].number;
    const std::optional<int> cell = words.size() == 3 ? ParseInt(words[1]) : std::nullopt;
    if (!cell) {
      Fail(number, "expected \"glyph CELL LABEL\"");
      return i;
    }
    const int code = *cell + 0x20;
    if (*cell == 0 && words[2] != "space") {
      Fail(number, "cell 0 is the space and must be labelled \"space\"");
      return i;
    }
    if (code > 0x20 && code < 0x7F && words[2] != std::string(1, static_cast<char>(code))) {
      Fail(number, "cell " + std::to_string(*cell) + " shows '" + static_cast<char>(code) +
                       "', not \"" + std::string(words[2]) + "\"");
      return i;
    }
    if (!TakeCell(number, *cell)) return i;
    if (i + kGlyphHeight >= lines_.size()) {
      Fail(number, "a glyph needs 16 rows after its header");
      return lines_.size();
    }
    for (int row = 0; row < kGlyphHeight; ++row) {
      const Line& line = lines_[i + 1 + row];
      if (line.text.size() != kGlyphWidth) {
        Fail(line.number, "a glyph row has exactly 8 characters of '.', '#' and '+'");
        return i + 1 + row;
      }
      for (int x = 0; x < kGlyphWidth; ++x) {
        uint8_t index;
        switch (line.text[x]) {
          case '.':
            index = kFontBackgroundIndex;
            break;
          case '#':
            index = kFontGlyphIndex;
            break;
          case '+':
            index = kFontShadingIndex;
            break;
          default:
            Fail(line.number,
                 std::string("unknown pixel '") + line.text[x] + "' (use '.', '#' or '+')");
            return i + 1 + row;
        }
        sheet_.set(CellX(*cell) + x, CellY(*cell) + row, index);
      }
    }
    return i + kGlyphHeight;
  }

  // "copy FIRST-LAST from CELL": cells FIRST..LAST take the pixels of CELL, CELL + 1, ...
  void Copy(const Line& line, const std::vector<std::string_view>& words) {
    const size_t dash = words.size() == 4 ? words[1].find('-') : std::string_view::npos;
    const std::optional<int> first =
        dash != std::string_view::npos ? ParseInt(words[1].substr(0, dash)) : std::nullopt;
    const std::optional<int> last =
        dash != std::string_view::npos ? ParseInt(words[1].substr(dash + 1)) : std::nullopt;
    const std::optional<int> from = words.size() == 4 ? ParseInt(words[3]) : std::nullopt;
    if (!first || !last || !from || words[2] != "from" || *last < *first) {
      Fail(line.number, "expected \"copy FIRST-LAST from CELL\"");
      return;
    }
    const int count = *last - *first + 1;
    if (*from < 0 || *from + count > kFontCells) {
      Fail(line.number, "the cells copied from lie outside 0..599");
      return;
    }
    for (int k = 0; k < count; ++k) {
      const int source = *from + k;
      if (!defined_[source]) {
        Fail(line.number, "cell " + std::to_string(source) + " is copied before it is drawn");
        return;
      }
      if (!TakeCell(line.number, *first + k)) return;
      for (int y = 0; y < kGlyphHeight; ++y) {
        for (int x = 0; x < kGlyphWidth; ++x) {
          sheet_.set(CellX(*first + k) + x, CellY(*first + k) + y,
                     sheet_.at(CellX(source) + x, CellY(source) + y));
        }
      }
    }
  }

  std::vector<Line> lines_;
  IndexedImage sheet_;
  std::array<bool, kFontCells> defined_{};
  std::string message_;
};

}  // namespace

Palette FontPalette() {
  Palette palette{};
  palette[kFontGlyphIndex] = {255, 255, 0};
  palette[kFontShadingIndex] = {220, 178, 43};
  palette[kFontBlackIndex] = {0, 0, 0};
  palette[kFontBackgroundIndex] = {0, 63, 0};
  return palette;
}

std::optional<IndexedImage> ParseFontText(std::string_view text, std::string* error) {
  return FontParser(text).Run(error);
}

}  // namespace boxedit
