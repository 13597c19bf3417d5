#include "backends/win32/win32_platform.h"

#include <algorithm>
#include <cstring>

namespace boxedit {

namespace {

constexpr wchar_t kClassName[] = L"Sample";
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kWindowedStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // the titles are plain ASCII
}

// The modifiers held as of the input message taken last; VK_CONTROL, VK_SHIFT and VK_MENU
// answer for the left and the right key alike.
HeldKeys HeldNow() {
  HeldKeys held = 0;
  if (GetKeyState(VK_CONTROL) < 0) held |= kHeldControl;
  if (GetKeyState(VK_SHIFT) < 0) held |= kHeldShift;
  if (GetKeyState(VK_MENU) < 0) held |= kHeldMenu;
  return held;
}

bool IsEditorMessage(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CLOSE:
      return true;
    default:
      return false;
  }
}

bool IsMouseMessage(UINT message) {
  return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
  timeBeginPeriod(1);
}

Win32Platform::~Win32Platform() {
  fullScreen_.Close();
  if (window_ != nullptr) ::DestroyWindow(window_);
  timeEndPeriod(1);
}

bool Win32Platform::OpenWindow(const std::string& title, WindowProc proc, std::string* error) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Win32Platform::WndProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconW(instance_, L"BOXEDIT");
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    if (error != nullptr) *error = "cannot register the window class";
    return false;
  }
  proc_ = std::move(proc);
  window_ = CreateWindowExW(0, kClassName, Wide(title).c_str(), kFullScreenStyle, 0, 0,
                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                            nullptr, instance_, this);
  if (window_ == nullptr) {
    proc_ = nullptr;
    if (error != nullptr) *error = "cannot create the window";
    return false;
  }
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  return true;
}

void Win32Platform::DestroyWindow() {
  if (window_ == nullptr) return;
  fullScreen_.Close();
  // The destroy message reaches the editor's procedure from inside this call, as it should.
  ::DestroyWindow(window_);
  window_ = nullptr;
  proc_ = nullptr;
}

bool Win32Platform::OpenScreen(int width, int height, bool* is565, std::string* error) {
  if (window_ == nullptr) {
    if (error != nullptr) *error = "cannot open the screen: there is no window";
    return false;
  }
  width_ = width;
  height_ = height;
  bool layout565 = true;
  if (!fullScreen_.Open(window_, width, height, &layout565, &fullScreenRefusal_)) {
    layout565 = true;  // GDI converts whichever layout the frames are in
    EnterWindowed();
  }
  is565_ = layout565;
  *is565 = layout565;
  screenOpen_ = true;
  return true;
}

void Win32Platform::CloseScreen() {
  fullScreen_.Close();
  screenOpen_ = false;
}

void Win32Platform::Present(const uint16_t* pixels, int pitchBytes, int width, int height) {
  if (!screenOpen_ || pixels == nullptr || width != width_ || height != height_ ||
      pitchBytes < width * 2) {
    return;
  }
  // Most frames of an idle editor are the frame before: showing it again would only cost the
  // copy and the flip. Whatever may have covered or lost the screen makes the next one show.
  const size_t rowBytes = static_cast<size_t>(width) * 2;
  const int stride = (width * 2 + 3) & ~3;
  const auto* bytes = reinterpret_cast<const uint8_t*>(pixels);
  bool same = !mustPresent_ && lastFrame_.size() == static_cast<size_t>(stride / 2) * height;
  for (int y = 0; same && y < height; ++y) {
    same = std::memcmp(lastFrame_.data() + static_cast<size_t>(stride / 2) * y,
                       bytes + static_cast<size_t>(pitchBytes) * y, rowBytes) == 0;
  }
  if (same) return;
  lastFrame_.resize(static_cast<size_t>(stride / 2) * height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(lastFrame_.data() + static_cast<size_t>(stride / 2) * y,
                bytes + static_cast<size_t>(pitchBytes) * y, rowBytes);
  }
  mustPresent_ = false;
  if (fullScreen_.IsOpen()) {
    // A frame that could not be shown (a lost surface) is shown again with the next one.
    if (!fullScreen_.Present(pixels, pitchBytes, width, height)) mustPresent_ = true;
    return;
  }
  PaintLastFrame();
}

void Win32Platform::PresentAgain() {
  if (!mustPresent_ || !screenOpen_ || lastFrame_.empty()) return;
  mustPresent_ = false;
  if (fullScreen_.IsOpen()) {
    const int stride = (width_ * 2 + 3) & ~3;
    if (!fullScreen_.Present(lastFrame_.data(), stride, width_, height_)) mustPresent_ = true;
    return;
  }
  PaintLastFrame();
}

// Shows the last frame stretched over the client area; GDI converts it from the frames' layout.
void Win32Platform::PaintLastFrame() {
  if (lastFrame_.empty()) return;
  const int width = width_, height = height_;
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = -height;  // top-down rows
  info.header.biPlanes = 1;
  info.header.biBitCount = 16;
  info.header.biCompression = BI_BITFIELDS;
  info.masks[0] = is565_ ? 0xF800 : 0x7C00;
  info.masks[1] = is565_ ? 0x07E0 : 0x03E0;
  info.masks[2] = 0x001F;
  RECT client{};
  GetClientRect(window_, &client);
  HDC dc = GetDC(window_);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, width, height, lastFrame_.data(),
                reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
  ReleaseDC(window_, dc);
}

void Win32Platform::EnterWindowed() {
  fullScreen_.Close();
  mustPresent_ = true;
  SetWindowLongPtrW(window_, GWL_STYLE, kWindowedStyle);
  RECT frame{0, 0, width_, height_};
  AdjustWindowRect(&frame, kWindowedStyle, FALSE);
  SetWindowPos(window_, HWND_NOTOPMOST, 40, 40, frame.right - frame.left, frame.bottom - frame.top,
               SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

void Win32Platform::ToggleFullScreen() {
  if (!screenOpen_) return;
  if (fullScreen_.IsOpen()) {
    EnterWindowed();
    return;
  }
  mustPresent_ = true;
  SetWindowLongPtrW(window_, GWL_STYLE, kFullScreenStyle);
  SetWindowPos(window_, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
               GetSystemMetrics(SM_CYSCREEN), SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  bool layout565 = is565_;
  std::string error;
  // The layout of the frames stays what it was at start; a full screen of another layout is
  // not taken.
  if (!fullScreen_.Open(window_, width_, height_, &layout565, &error) || layout565 != is565_) {
    EnterWindowed();
  }
}

LPARAM Win32Platform::ScreenPosition(LPARAM client) const {
  const int x = static_cast<short>(LOWORD(client)), y = static_cast<short>(HIWORD(client));
  RECT area{0, 0, width_, height_};
  if (!fullScreen_.IsOpen()) GetClientRect(window_, &area);
  const int w = std::max<int>(area.right, 1), h = std::max<int>(area.bottom, 1);
  const int sx = std::clamp(static_cast<int>(static_cast<int64_t>(x) * width_ / w), 0, width_ - 1);
  const int sy =
      std::clamp(static_cast<int>(static_cast<int64_t>(y) * height_ / h), 0, height_ - 1);
  return static_cast<LPARAM>(MakeMouseLParam(static_cast<uint16_t>(sx), static_cast<uint16_t>(sy)));
}

bool Win32Platform::PeekMessage() {
  MSG msg;
  return ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

bool Win32Platform::GetMessage(Message* out) {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      *out = Message{msg::kQuit, msg.wParam, 0};
      return false;
    }
    if (msg.hwnd == window_ && window_ != nullptr && IsEditorMessage(msg.message)) {
      const LPARAM lParam = IsMouseMessage(msg.message) ? ScreenPosition(msg.lParam) : msg.lParam;
      *out = Message{msg.message, msg.wParam, lParam, HeldNow()};
      return true;
    }
    DispatchMessageW(&msg);
  }
  *out = Message{0, 0, 0};
  return true;
}

void Win32Platform::PostMessage(const Message& m) {
  ::PostMessageW(window_, m.message, m.wParam, m.lParam);
}

void Win32Platform::PostQuitMessage(int exitCode) {
  ::PostQuitMessage(exitCode);
}

intptr_t Win32Platform::DefWindowProc(const Message& m) {
  if (window_ == nullptr || m.message == 0) return 0;
  return ::DefWindowProcW(window_, m.message, m.wParam, m.lParam);
}

LRESULT CALLBACK Win32Platform::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<Win32Platform*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

// What reaches the window without passing the editor's loop: messages the system sends.
LRESULT Win32Platform::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:  // Alt+F4 or the close button: the editor's own close request
    case WM_DESTROY:
      if (proc_) {
        const WindowProc proc = proc_;  // the procedure may destroy the window and with it proc_
        proc(Message{message, wParam, lParam});
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_RETURN) {
        if ((lParam & (1 << 30)) == 0) ToggleFullScreen();  // not on auto-repeat
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_ACTIVATEAPP:  // back from Alt+Tab: the surfaces may have been lost meanwhile
    case WM_DISPLAYCHANGE:
      mustPresent_ = true;
      break;
    case WM_PAINT:
      if (!fullScreen_.IsOpen() && !lastFrame_.empty()) {
        PAINTSTRUCT paint;
        BeginPaint(window_, &paint);
        EndPaint(window_, &paint);
        PaintLastFrame();
        return 0;
      }
      mustPresent_ = true;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace boxedit
