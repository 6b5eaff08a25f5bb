#include "platform/platform_helpers.h"

#include <cstring>

namespace platform_test {
namespace {

Handler current_handler = nullptr;

LRESULT CALLBACK forwarding_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (current_handler != nullptr) return current_handler(window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

MemoryCanvas::MemoryCanvas(int w, int h, bool is_bottom_up)
    : width(w), height(h), bottom_up(is_bottom_up) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = is_bottom_up ? h : -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc = CreateCompatibleDC(nullptr);
  void* pixels = nullptr;
  bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  bits = static_cast<uint32_t*>(pixels);
  previous = SelectObject(dc, bitmap);
}

MemoryCanvas::~MemoryCanvas() {
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

void MemoryCanvas::fill(uint32_t pixel) const {
  for (int i = 0; i < width * height; ++i) bits[i] = pixel;
}

std::vector<uint32_t> MemoryCanvas::snapshot() const {
  std::vector<uint32_t> copy;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) copy.push_back(at(x, y));
  return copy;
}

const char* test_class_name() {
  static const char* name = [] {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(WNDCLASSEXA);
    description.style = CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = forwarding_procedure;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = "PlatformTestWindow";
    description.hIconSm = description.hIcon;
    RegisterClassExA(&description);
    return "PlatformTestWindow";
  }();
  return name;
}

void set_handler(Handler handler) { current_handler = handler; }

HWND create_test_window(int x, int y, int width, int height) {
  return CreateWindowExA(0, test_class_name(), "Test", WS_OVERLAPPEDWINDOW, x, y, width, height,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace platform_test
