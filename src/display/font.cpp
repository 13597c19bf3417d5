// The font: loading the 8x16 font sheet into a Surface, and drawing numbers and text with it
// one cell per character.
#include <algorithm>
#include <array>
#include <climits>

#include "display/bitmap_resource.h"
#include "display/draw_context.h"
#include "display/surface.h"

namespace boxedit {

namespace {

constexpr int32_t kGlyphWidth = 8;
constexpr int32_t kMinusCell = 13;         // "-", also the sign of negative numbers
constexpr int32_t kDigitCell = 16;         // "0" of the glyph table
constexpr int32_t kSecondDigitCell = 96;   // the cells that DrawDigits draws its digits from
constexpr int32_t kMaxBitmapSide = 16384;  // larger bitmaps are taken as malformed

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

// Calls draw(power, cellX) for the positions j = 0 .. digits-1 of a field of 8-pixel cells that
// starts at firstX, power being digits-1-j, skipping the positions where no pixel of a cell of
// this surface could land on the back buffer (a blit never copies more columns than the
// surface has).
template <typename Draw>
void ForEachVisibleCell(const Surface& font, int64_t firstX, int32_t digits, Draw draw) {
  if (!font.surface || font.display == nullptr || !font.display->backBuffer || digits <= 0) return;
  const int64_t reach = font.surface->Width();
  const int64_t screenWidth = font.display->backBuffer->Width();
  const int64_t leftCut = -reach - firstX;  // positions j with 8j <= leftCut end left of column 0
  const int64_t firstJ = leftCut < 0 ? 0 : leftCut / kGlyphWidth + 1;
  const int64_t rightCut = screenWidth - firstX;
  const int64_t endJ =
      std::min<int64_t>(digits, rightCut <= 0 ? 0 : (rightCut + kGlyphWidth - 1) / kGlyphWidth);
  for (int64_t j = firstJ; j < endJ; ++j) {
    draw(digits - 1 - j, static_cast<int32_t>(firstX + kGlyphWidth * j));
  }
}

}  // namespace

int Surface::LoadBitmapResource(const char* name, int32_t w, int32_t h) {
  if (!surface) return 0;
  const std::span<const uint8_t> dib = FindBitmapResource(name == nullptr ? "" : name);
  if (dib.empty()) return 0;
  return LoadBitmapBytes(dib, w, h);
}

int Surface::LoadBitmapBytes(std::span<const uint8_t> dib, int32_t w, int32_t h) {
  if (!surface) return 0;
  if (dib.size() < static_cast<size_t>(kBitmapInfoHeaderSize)) return 0;
  const BitmapInfoHeader info = ParseInfoHeader(dib.first<kBitmapInfoHeaderSize>());
  if (info.biSize != kBitmapInfoHeaderSize || info.biPlanes != 1 || info.biBitCount != 8 ||
      info.biCompression != 0) {
    return 0;
  }
  // Bottom-up rows only, the layout of the font sheet.
  if (info.biWidth <= 0 || info.biHeight <= 0 || info.biWidth > kMaxBitmapSide ||
      info.biHeight > kMaxBitmapSide) {
    return 0;
  }
  const uint32_t colours = info.biClrUsed == 0 ? 256 : info.biClrUsed;
  if (colours > 256) return 0;
  const size_t stride = (static_cast<size_t>(info.biWidth) + 3) & ~size_t{3};  // rows pad to 4
  const size_t paletteAt = kBitmapInfoHeaderSize;
  const size_t pixelsAt = paletteAt + colours * 4;
  if (dib.size() < pixelsAt + stride * static_cast<size_t>(info.biHeight)) return 0;

  // Each palette colour converted once into the surface's layout. Indices past the palette
  // read as black.
  std::array<uint16_t, 256> converted{};
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t* entry = dib.data() + paletteAt + i * 4;  // blue, green, red, reserved
    converted[i] = ColourToPixel(surface->Layout(), Rgb24(entry[2], entry[1], entry[0]));
  }

  // Copy the top-left w x h pixels, cut to the bitmap and to the surface.
  const int32_t columns = std::min({w, info.biWidth, surface->Width()});
  const int32_t rows = std::min({h, info.biHeight, surface->Height()});
  LockedPixels locked = surface->Lock();
  for (int32_t y = 0; y < rows; ++y) {
    const uint8_t* in = dib.data() + pixelsAt + stride * static_cast<size_t>(info.biHeight - 1 - y);
    auto* out = reinterpret_cast<uint16_t*>(locked.bits + static_cast<size_t>(locked.pitch) * y);
    for (int32_t x = 0; x < columns; ++x) out[x] = converted[in[x]];
  }

  // The key is the converted top-left pixel, the sheet's background, so it matches the
  // background pixels exactly.
  colourKey = *reinterpret_cast<const uint16_t*>(locked.bits);
  hasColourKey = 1;
  return 1;
}

// The text functions step 8 pixels per character. Positions are kept in 64 bits so that a
// field starting near the end of the 32-bit range cannot overflow; characters wholly off the
// back buffer are not drawn (they could not show), which also bounds the work of a field of
// absurd width.

void Surface::DrawNumber(int32_t x, int32_t y, int32_t digits, int32_t value) {
  int64_t v = value;  // negating the most negative 32-bit value needs the wider type
  if (v < 0) {
    BlitCell(x, y, kMinusCell);
    v = -v;
  }
  const int64_t fieldX = static_cast<int64_t>(x) + kGlyphWidth;
  // Only the lowest `digits` digits show; leading zeros stay undrawn and the last digit is
  // always drawn. A digit shows when the shown part of the number reaches its position.
  const int64_t shown = digits > kMaxPower ? v : v % Pow10(std::max(digits, 0));
  auto draw = [&](int64_t power, int32_t cellX) {
    const int64_t upper = DivPow10(shown, power);
    if (upper != 0 || power == 0) BlitCell(cellX, y, kDigitCell + static_cast<int32_t>(upper % 10));
  };
  ForEachVisibleCell(*this, fieldX, digits, draw);
}

void Surface::DrawDigits(int32_t x, int32_t y, int32_t digits, int32_t value) {
  // Every position is drawn, leading zeros included. A negative value gives negative digits and
  // cells below kSecondDigitCell (87 to 95), which still lie inside the cell table.
  auto draw = [&](int64_t power, int32_t cellX) {
    const auto d = static_cast<int32_t>(DivPow10(value, power) % 10);
    BlitCell(cellX, y, kSecondDigitCell + d);
  };
  ForEachVisibleCell(*this, x, digits, draw);
}

void Surface::DrawString(int32_t x, int32_t y, const char* text) {
  if (text == nullptr) return;
  int64_t cellX = x;
  for (const char* c = text; *c != '\0'; ++c, cellX += kGlyphWidth) {
    // The byte is taken as signed: bytes below 0x20 or from 0x80 on give a negative cell
    // number, which has no entry and draws nothing.
    const int32_t cell = static_cast<signed char>(*c) - 0x20;
    if (cell == 0 || cell < 0) continue;  // a space leaves the back buffer as it was
    if (cellX > INT32_MAX) return;
    BlitCell(static_cast<int32_t>(cellX), y, cell);
  }
}

}  // namespace boxedit
