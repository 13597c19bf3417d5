// Loading the font sheet and drawing text with it.
#include "display/font.h"

#include <algorithm>
#include <climits>

#include "chardata/bmp.h"
#include "display/draw_context.h"
#include "resources/bitmap_resource.h"
#include "resources/font_sheet.h"

namespace boxedit {

namespace {

// Cells of the sheet: cell n shows the character with code n + 0x20.
constexpr int32_t kMinusCell = 13;        // "-", also the sign of negative numbers
constexpr int32_t kDigitCell = 16;        // "0"
constexpr int32_t kSecondDigitCell = 96;  // the cells that DrawDigits draws its digits from

// 10 to the power k for k in 0..18; every larger power exceeds any value drawn here.
constexpr int64_t Pow10(int k) {
  int64_t p = 1;
  for (int i = 0; i < k; ++i) p *= 10;
  return p;
}
constexpr int kMaxPower = 18;

// value / 10^k, for the non-negative or negative 64-bit values of the drawing functions.
int64_t DivPow10(int64_t value, int64_t k) {
  return k > kMaxPower ? 0 : value / Pow10(int(k));
}

}  // namespace

bool LoadBitmapResource(Surface& font, const char* name, int32_t w, int32_t h) {
  if (!font.surface) return false;
  const std::span<const uint8_t> dib = FindBitmapResource(name == nullptr ? "" : name);
  if (dib.empty()) return false;
  return LoadBitmapBytes(font, dib, w, h);
}

bool LoadBitmapBytes(Surface& font, std::span<const uint8_t> dib, int32_t w, int32_t h) {
  if (!font.surface) return false;
  IndexedImage image;
  Palette palette;
  if (!DecodeIndexedDib(dib, &image, &palette)) return false;

  // Each palette colour converted once into the surface's layout.
  Surface16& pixels = *font.surface;
  std::array<uint16_t, kPaletteEntries> converted{};
  for (size_t i = 0; i < palette.size(); ++i) {
    const Rgb c = palette[i];
    converted[i] = ColourToPixel(pixels.Layout(), Rgb24(c.red, c.green, c.blue));
  }
  // Copy the top-left w x h pixels, cut to the bitmap and to the surface.
  const int32_t columns = std::min({w, image.width(), pixels.Width()});
  const int32_t rows = std::min({h, image.height(), pixels.Height()});
  for (int32_t y = 0; y < rows; ++y) {
    uint16_t* out = pixels.Row(y);
    for (int32_t x = 0; x < columns; ++x) out[x] = converted[image.at(x, y)];
  }
  // The key is the converted top-left pixel, the sheet's background, so it matches the
  // background pixels exactly.
  font.colourKey = pixels.At(0, 0);
  font.hasColourKey = 1;
  return true;
}

// The text functions step 8 pixels per character. Positions are kept in 64 bits so that a field
// starting near the end of the 32-bit range cannot overflow; characters wholly off the back
// buffer are not drawn (they could not show), which also bounds the work of a field of absurd
// width.
//
// Calls draw(power, cellX) for the positions j = 0 .. digits-1 of a field of 8-pixel cells that
// starts at firstX, power being digits-1-j, skipping the positions where no pixel of a cell of
// the sheet could land on the back buffer (a blit never copies more columns than the sheet has).
template <typename Draw>
void Font::ForEachVisibleCell(int64_t firstX, int32_t digits, Draw draw) const {
  if (!sheet_.surface || !display_.backBuffer || digits <= 0) return;
  const int64_t reach = sheet_.surface->Width();
  const int64_t screenWidth = display_.backBuffer->Width();
  const int64_t leftCut = -reach - firstX;  // positions j with 8j <= leftCut end left of column 0
  const int64_t firstJ = leftCut < 0 ? 0 : leftCut / kGlyphWidth + 1;
  const int64_t rightCut = screenWidth - firstX;
  const int64_t endJ =
      std::min<int64_t>(digits, rightCut <= 0 ? 0 : (rightCut + kGlyphWidth - 1) / kGlyphWidth);
  for (int64_t j = firstJ; j < endJ; ++j) {
    draw(digits - 1 - j, static_cast<int32_t>(firstX + kGlyphWidth * j));
  }
}

void Font::DrawNumber(int32_t x, int32_t y, int32_t digits, int32_t value) const {
  int64_t v = value;  // negating the most negative 32-bit value needs the wider type
  if (v < 0) {
    sheet_.BlitCell(display_, x, y, kMinusCell);
    v = -v;
  }
  const int64_t fieldX = static_cast<int64_t>(x) + kGlyphWidth;
  // Only the lowest `digits` digits show; leading zeros stay undrawn and the last digit is
  // always drawn. A digit shows when the shown part of the number reaches its position.
  const int64_t shown = digits > kMaxPower ? v : v % Pow10(std::max(digits, 0));
  auto draw = [&](int64_t power, int32_t cellX) {
    const int64_t upper = DivPow10(shown, power);
    if (upper != 0 || power == 0)
      sheet_.BlitCell(display_, cellX, y, kDigitCell + static_cast<int32_t>(upper % 10));
  };
  ForEachVisibleCell(fieldX, digits, draw);
}

void Font::DrawDigits(int32_t x, int32_t y, int32_t digits, int32_t value) const {
  // Every position is drawn, leading zeros included. A negative value gives negative digits and
  // cells below kSecondDigitCell (87 to 95), which still lie inside the cell table.
  auto draw = [&](int64_t power, int32_t cellX) {
    const auto d = static_cast<int32_t>(DivPow10(value, power) % 10);
    sheet_.BlitCell(display_, cellX, y, kSecondDigitCell + d);
  };
  ForEachVisibleCell(x, digits, draw);
}

void Font::DrawString(int32_t x, int32_t y, const char* text) const {
  if (text == nullptr) return;
  int64_t cellX = x;
  for (const char* c = text; *c != '\0'; ++c, cellX += kGlyphWidth) {
    // The byte is taken as signed: bytes below 0x20 or from 0x80 on give a negative cell
    // number, which has no entry and draws nothing.
    const int32_t cell = static_cast<signed char>(*c) - 0x20;
    if (cell == 0 || cell < 0) continue;  // a space leaves the back buffer as it was
    if (cellX > INT32_MAX) return;
    sheet_.BlitCell(display_, static_cast<int32_t>(cellX), y, cell);
  }
}

}  // namespace boxedit
