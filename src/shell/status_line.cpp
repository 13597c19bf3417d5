#include "shell/status_line.h"

#include "base/screen_layout.h"

namespace boxedit {

std::string StatusText(std::string_view message) {
  // A longer message ends in "..." within the line: the log has all of it.
  std::string text(message.size() <= kStatusMaxChars
                       ? message
                       : std::string(message.substr(0, kStatusMaxChars - 3)) + "...");
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    // The font's cells hold space to '_' (upper case only); the cells above hold other glyphs.
    if (c < ' ' || c > '_') c = ' ';
  }
  return text;
}

void StatusLine::Show(std::string_view message) {
  text = StatusText(message);
  framesLeft = kStatusFrames;
}

void StatusLine::Draw(const Font& font) {
  if (framesLeft <= 0) return;
  font.DrawString(kStatusX, kStatusY, text.c_str());
  --framesLeft;
}

}  // namespace boxedit
