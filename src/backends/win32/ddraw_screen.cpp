#include "backends/win32/ddraw_screen.h"

#include <algorithm>
#include <cstring>

namespace boxedit {

namespace {

std::string Failed(const char* step, HRESULT result) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string(step) + " failed (" + code + ")";
}

}  // namespace

bool DirectDrawScreen::Open(HWND window, int width, int height, bool* is565, std::string* error) {
  Close();
  auto fail = [&](const char* step, HRESULT result) {
    if (error != nullptr) *error = Failed(step, result);
    Close();
    return false;
  };
  HRESULT r = DirectDrawCreate(nullptr, &directDraw_, nullptr);
  if (FAILED(r)) return fail("DirectDrawCreate", r);
  window_ = window;
  r = directDraw_->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
  if (FAILED(r)) return fail("exclusive mode", r);
  r = directDraw_->SetDisplayMode(width, height, 16);
  if (FAILED(r)) return fail("the 16-bit mode", r);

  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = 1;
  r = directDraw_->CreateSurface(&desc, &primary_, nullptr);
  if (FAILED(r)) return fail("the primary surface", r);
  DDSCAPS caps{};
  caps.dwCaps = DDSCAPS_BACKBUFFER;
  r = primary_->GetAttachedSurface(&caps, &back_);
  if (FAILED(r)) return fail("the back buffer", r);
  width_ = width;
  height_ = height;
  // The window covers the new mode's screen, so its client pixels are the screen's.
  SetWindowPos(window, HWND_TOP, 0, 0, width, height, SWP_NOACTIVATE);
  if (!Probe(is565)) return fail("reading the back buffer", DDERR_GENERIC);
  return true;
}

void DirectDrawScreen::Close() {
  if (back_ != nullptr) {
    back_->Release();
    back_ = nullptr;
  }
  if (primary_ != nullptr) {
    primary_->Release();
    primary_ = nullptr;
  }
  if (directDraw_ != nullptr) {
    directDraw_->RestoreDisplayMode();
    if (window_ != nullptr) directDraw_->SetCooperativeLevel(window_, DDSCL_NORMAL);
    directDraw_->Release();
    directDraw_ = nullptr;
  }
  window_ = nullptr;
}

// Pure red and pure green drawn through the surface's device context, read back through a lock:
// red is 0xF800 in 5-6-5 and 0x7C00 in 5-5-5, green 0x07E0 and 0x03E0.
bool DirectDrawScreen::Probe(bool* is565) {
  HDC dc = nullptr;
  if (FAILED(back_->GetDC(&dc))) return false;
  SetPixel(dc, 0, 0, RGB(255, 0, 0));
  SetPixel(dc, 1, 0, RGB(0, 255, 0));
  back_->ReleaseDC(dc);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  if (FAILED(back_->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return false;
  uint16_t p[2];
  std::memcpy(p, desc.lpSurface, sizeof p);
  back_->Unlock(nullptr);
  *is565 = (p[0] & 0x8000) != 0 || (p[0] & 0x400) == 0 || (p[1] & 0x400) != 0;
  return true;
}

bool DirectDrawScreen::Restore() {
  return primary_ != nullptr && SUCCEEDED(primary_->Restore());
}

bool DirectDrawScreen::Present(const uint16_t* pixels, int pitchBytes, int width, int height) {
  if (!IsOpen() || pixels == nullptr) return false;
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  HRESULT r = back_->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
  if (r == DDERR_SURFACELOST && Restore()) {
    r = back_->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
  }
  if (FAILED(r)) return false;  // never drawn into a surface that is not there
  const int rows = std::min(height, height_);
  const size_t rowBytes = static_cast<size_t>(std::min(width, width_)) * 2;
  const auto* in = reinterpret_cast<const uint8_t*>(pixels);
  auto* out = static_cast<uint8_t*>(desc.lpSurface);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(out + static_cast<size_t>(desc.lPitch) * y,
                in + static_cast<size_t>(pitchBytes) * y, rowBytes);
  }
  back_->Unlock(nullptr);
  r = primary_->Flip(nullptr, DDFLIP_WAIT);
  if (r == DDERR_SURFACELOST) Restore();
  return SUCCEEDED(r);
}

}  // namespace boxedit
