// Window classes and windows: creation with WM_CREATE inside the call,
// showing, moving, destruction, the default window procedure, painting and
// the device contexts of a window.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/shared/unsupported.h"
#include "platform/user32/user_objects.h"

namespace posix {
namespace {

constexpr DWORD kErrorClassNotFound = 1407;
constexpr DWORD kErrorClassExists = 1410;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kLargestExtent = 32767;

struct WindowClass {
  std::string name;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  HBRUSH background = nullptr;
};

std::vector<WindowClass>& classes() {
  static std::vector<WindowClass>* instance = new std::vector<WindowClass>;
  return *instance;
}

std::vector<HWND>& window_order() {
  static std::vector<HWND>* instance = new std::vector<HWND>;
  return *instance;
}

bool same_name(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

WindowClass* find_class(const char* name) {
  if (name == nullptr || reinterpret_cast<uintptr_t>(name) < 0x10000) return nullptr;
  for (WindowClass& window_class : classes())
    if (same_name(window_class.name, name)) return &window_class;
  return nullptr;
}

bool class_has_windows(const WindowClass& window_class) {
  for (HWND handle : window_order())
    if (Window* window = find_window(handle); window && window->class_name == window_class.name)
      return true;
  return false;
}

// Minimizing and maximizing are not provided: such a command shows the
// window as it is, and says so once.
void report_unprovided_show(int command) {
  switch (command) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      report_unsupported("ShowWindow", "minimizing (the window is only shown)");
      break;
    case SW_SHOWMAXIMIZED:
      report_unsupported("ShowWindow", "maximizing (the window is only shown)");
      break;
    default: break;
  }
}

// Returns the frame width and caption height that a window style draws.
POINT frame_of(DWORD style) {
  int frame = (style & WS_THICKFRAME)              ? kFrameWidth
              : (style & WS_CAPTION) == WS_CAPTION ? 3
              : (style & WS_BORDER)                ? 1
                                                   : 0;
  int caption = (style & WS_CAPTION) == WS_CAPTION ? kCaptionHeight : 0;
  return POINT{frame, caption};
}

RECT intersect(RECT a, RECT b) {
  RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (result.left >= result.right || result.top >= result.bottom) return RECT{};
  return result;
}

bool is_empty(const RECT& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }

// The smallest rectangle holding both.
RECT bounding(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// Sizes the framebuffer to the client area; new pixels are black until
// erased.
void size_framebuffer(Window& window, int width, int height) {
  if (width <= 0 || height <= 0) {
    std::free(window.framebuffer.pixels);
    window.framebuffer.pixels = nullptr;
    window.framebuffer.width = window.framebuffer.height = 0;
    return;
  }
  if (window.framebuffer.pixels == nullptr) {
    std::unique_ptr<Bitmap> fresh = make_bitmap(width, height, false);
    if (!fresh) return;
    std::swap(window.framebuffer.pixels, fresh->pixels);
    window.framebuffer.width = width;
    window.framebuffer.height = height;
    return;
  }
  resize_bitmap(window.framebuffer, width, height, 0);
}

LRESULT erase_background(HWND handle, HDC dc) {
  Window* window = find_window(handle);
  if (window == nullptr || window->background == nullptr) return 0;
  RECT everything{0, 0, INT32_MAX, INT32_MAX};  // a window DC ends at its client area
  return FillRect(dc, &everything, window->background) ? 1 : 0;
}

LRESULT default_paint(HWND handle) {
  PAINTSTRUCT paint{};
  BeginPaint(handle, &paint);
  EndPaint(handle, &paint);
  return 0;
}

// Erases the update region now, as showing a window does before returning.
void erase_now(Window& window) {
  if (!window.needs_erase) return;
  HWND handle = static_cast<HWND>(window.handle);
  HDC dc = GetDC(handle);
  window.needs_erase = send_to_window(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  ReleaseDC(handle, dc);
}

void send_size_and_move(Window& window) {
  HWND handle = static_cast<HWND>(window.handle);
  RECT client = client_rect(window);
  POINT offset = client_offset(window);
  send_to_window(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  send_to_window(handle, WM_MOVE, 0,
                 MAKELPARAM(window.outer.left + offset.x, window.outer.top + offset.y));
}

HICON stock_resource(HINSTANCE instance, LPCSTR name, uintptr_t first, uintptr_t last) {
  auto id = reinterpret_cast<uintptr_t>(name);
  if (instance != nullptr || id < first || id > last) return nullptr;
  // Stock resources are odd values, never the handle of an object.
  return reinterpret_cast<HICON>(id * 2 + 1);
}

// Returns the outer rectangle of a new window; defaults stand in for
// CW_USEDEFAULT and sizes are kept within what a screen can show.
RECT placement(int x, int y, int width, int height) {
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = kDefaultWidth;
    height = kDefaultHeight;
  }
  x = std::clamp(x, -kLargestExtent, kLargestExtent);
  y = std::clamp(y, -kLargestExtent, kLargestExtent);
  width = std::clamp(width, 0, kLargestExtent);
  height = std::clamp(height, 0, kLargestExtent);
  return RECT{x, y, x + width, y + height};
}

// Makes the record of a new window and registers its handle.
HWND add_window(const WindowClass& window_class, DWORD style, LPCSTR title, RECT outer) {
  auto window = std::make_unique<Window>();
  window->procedure = window_class.procedure;
  window->class_style = window_class.style;
  window->background = window_class.background;
  window->style = style & ~WS_VISIBLE;
  window->class_name = window_class.name;
  window->title = title ? title : "";
  window->outer = outer;
  POINT frame = frame_of(style);
  size_framebuffer(*window, outer.right - outer.left - 2 * frame.x,
                   outer.bottom - outer.top - 2 * frame.x - frame.y);
  Window* created = window.get();
  auto handle = static_cast<HWND>(add_handle(std::move(window)));
  window_order().push_back(handle);
  create_backend_window(*created);
  return handle;
}

}  // namespace

Window* find_window(HWND window) { return find_as<Window>(window); }

Window* find_window_by_sdl_id(uint32_t id) {
  for (HWND handle : window_order())
    if (Window* window = find_window(handle); window && window->sdl && window->sdl_id == id)
      return window;
  return nullptr;
}

std::vector<HWND> all_windows() { return window_order(); }

POINT client_offset(const Window& window) {
  POINT frame = frame_of(window.style);
  return POINT{frame.x, frame.x + frame.y};
}

RECT client_rect(const Window& window) {
  return RECT{0, 0, window.framebuffer.width, window.framebuffer.height};
}

void invalidate_window(Window& window, const RECT* area, bool erase) {
  RECT client = client_rect(window);
  RECT added = area ? intersect(*area, client) : client;
  if (is_empty(added)) return;
  window.update = window.needs_paint ? bounding(window.update, added) : added;
  window.needs_paint = true;
  window.needs_erase = window.needs_erase || erase;
}

void resize_client(Window& window, int width, int height) {
  if (width == window.framebuffer.width && height == window.framebuffer.height) return;
  POINT frame = frame_of(window.style);
  size_framebuffer(window, width, height);
  window.outer.right = window.outer.left + width + 2 * frame.x;
  window.outer.bottom = window.outer.top + height + 2 * frame.x + frame.y;
  mark_dirty(window, nullptr);
  send_to_window(static_cast<HWND>(window.handle), WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(width, height));
  if (Window* alive = find_window(static_cast<HWND>(window.handle)))
    invalidate_window(*alive, nullptr, true);
}

void move_client(Window& window, int x, int y) {
  POINT offset = client_offset(window);
  LONG width = window.outer.right - window.outer.left;
  LONG height = window.outer.bottom - window.outer.top;
  if (window.outer.left == x - offset.x && window.outer.top == y - offset.y) return;
  window.outer = RECT{x - offset.x, y - offset.y, x - offset.x + width, y - offset.y + height};
  send_to_window(static_cast<HWND>(window.handle), WM_MOVE, 0, MAKELPARAM(x, y));
}

void mark_dirty(Window& window, const RECT* area) {
  RECT client = client_rect(window);
  RECT added = area ? intersect(*area, client) : client;
  if (is_empty(added)) return;
  window.dirty_area = window.dirty ? bounding(window.dirty_area, added) : added;
  window.dirty = true;
}

Window* window_needing_paint(HWND filter) {
  for (HWND handle : window_order()) {
    Window* window = find_window(handle);
    if (window && window->needs_paint && window->visible && (!filter || filter == handle))
      return window;
  }
  return nullptr;
}

LRESULT send_to_window(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = find_window(handle);
  if (window == nullptr || window->procedure == nullptr) return 0;
  return window->procedure(handle, message, wParam, lParam);
}

}  // namespace posix

using namespace posix;

ATOM RegisterClassExA(const WNDCLASSEXA* description) {
  if (description == nullptr || description->cbSize != sizeof(WNDCLASSEXA) ||
      description->lpfnWndProc == nullptr || description->lpszClassName == nullptr ||
      reinterpret_cast<uintptr_t>(description->lpszClassName) < 0x10000 ||
      description->cbClsExtra < 0 || description->cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (find_class(description->lpszClassName) != nullptr) {
    SetLastError(kErrorClassExists);
    return 0;
  }
  classes().push_back(WindowClass{description->lpszClassName, description->style,
                                  description->lpfnWndProc, description->hbrBackground});
  return static_cast<ATOM>(0xC000 + classes().size());
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE) {
  WindowClass* found = find_class(name);
  if (found == nullptr) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (class_has_windows(*found)) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  classes().erase(classes().begin() + (found - classes().data()));
  return TRUE;
}

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID parameter) {
  WindowClass* window_class = find_class(class_name);
  if (window_class == nullptr) {
    SetLastError(kErrorClassNotFound);
    return nullptr;
  }
  HWND handle = add_window(*window_class, style, title, placement(x, y, width, height));
  CREATESTRUCTA creation{
      parameter, instance,   menu,    parent, height, width, y, x, static_cast<LONG>(style),
      title,     class_name, ex_style};
  LPARAM creation_parameter = reinterpret_cast<LPARAM>(&creation);
  if (!send_to_window(handle, WM_NCCREATE, 0, creation_parameter) ||
      send_to_window(handle, WM_CREATE, 0, creation_parameter) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if ((style & WS_VISIBLE) && IsWindow(handle)) ShowWindow(handle, SW_SHOW);
  return IsWindow(handle) ? handle : nullptr;
}

namespace {
// The live window behind a handle; null with ERROR_INVALID_WINDOW_HANDLE,
// as Windows' window calls say it, when there is none.
Window* window_or_error(HWND handle) {
  Window* window = find_window(handle);
  if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}
}  // namespace

BOOL DestroyWindow(HWND handle) {
  Window* window = find_window(handle);
  if (window == nullptr || window->destroying) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  window->destroying = true;
  if (window->visible) ShowWindow(handle, SW_HIDE);
  send_to_window(handle, WM_DESTROY, 0, 0);
  send_to_window(handle, WM_NCDESTROY, 0, 0);
  drop_window_timers(handle);
  drop_window_messages(handle);
  window = find_window(handle);
  if (window->own_dc != nullptr) {
    SelectObject(window->own_dc, stock_font());  // as ReleaseDC does for other DCs
    remove_handle(window->own_dc);
  }
  release_window_gl(*window);
  destroy_backend_window(*window);
  auto& order = window_order();
  order.erase(std::remove(order.begin(), order.end(), handle), order.end());
  remove_handle(handle);
  return TRUE;
}

BOOL IsWindow(HWND handle) { return find_window(handle) != nullptr; }

BOOL IsWindowVisible(HWND handle) {
  Window* window = find_window(handle);
  return window != nullptr && window->visible;
}

// Showing invalidates and erases the client area at once and, the first
// time, reports the window's size and place, as Windows does.
BOOL ShowWindow(HWND handle, int command) {
  Window* window = find_window(handle);
  if (window == nullptr) return FALSE;
  report_unprovided_show(command);
  BOOL was_visible = window->visible;
  bool show = command != SW_HIDE;
  if (show == static_cast<bool>(was_visible)) return was_visible;
  send_to_window(handle, WM_SHOWWINDOW, show, 0);
  if ((window = find_window(handle)) == nullptr) return was_visible;
  window->visible = show;
  if (show) mark_dirty(*window, nullptr);
  window->ignore_next_expose = show;
  create_backend_window(*window);
  if (!show) return was_visible;
  invalidate_window(*window, nullptr, true);
  erase_now(*window);
  if ((window = find_window(handle)) != nullptr && !window->sizes_sent) {
    window->sizes_sent = true;
    send_size_and_move(*window);
  }
  return was_visible;
}

BOOL UpdateWindow(HWND handle) {
  Window* window = find_window(handle);
  if (window == nullptr) return FALSE;
  if (window->needs_paint && window->visible) send_to_window(handle, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  Window* window = window_or_error(handle);
  if (window == nullptr) return FALSE;
  POINT frame = frame_of(window->style);
  window->outer = placement(x, y, width, height);
  size_framebuffer(*window, window->outer.right - window->outer.left - 2 * frame.x,
                   window->outer.bottom - window->outer.top - 2 * frame.x - frame.y);
  window->sizes_sent = true;
  create_backend_window(*window);
  send_size_and_move(*window);
  if ((window = find_window(handle)) != nullptr && repaint) {
    invalidate_window(*window, nullptr, true);
    mark_dirty(*window, nullptr);
  }
  return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect) {
  Window* window = window_or_error(handle);
  if (window == nullptr || rect == nullptr) return FALSE;
  *rect = window->outer;
  return TRUE;
}

namespace {
// Copies a window's text or class name as Win32 does: at most size − 1
// bytes and a terminator, returning the bytes copied (0 on failure).
int copy_window_string(HWND handle, const std::string Window::*field, LPSTR buffer, int size) {
  Window* window = window_or_error(handle);
  if (window == nullptr || buffer == nullptr || size <= 0) return 0;
  const std::string& text = window->*field;
  int length = std::min(static_cast<int>(text.size()), size - 1);
  text.copy(buffer, static_cast<size_t>(length));
  buffer[length] = '\0';
  return length;
}
}  // namespace

int GetWindowTextA(HWND handle, LPSTR buffer, int size) {
  return copy_window_string(handle, &Window::title, buffer, size);
}

// As in Windows, the text reaches the window as WM_SETTEXT, which
// DefWindowProcA stores as the title.
BOOL SetWindowTextA(HWND handle, LPCSTR text) {
  if (find_window(handle) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return send_to_window(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int GetClassNameA(HWND handle, LPSTR buffer, int size) {
  return copy_window_string(handle, &Window::class_name, buffer, size);
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
  Window* window = window_or_error(handle);
  if (window == nullptr || rect == nullptr) return FALSE;
  *rect = client_rect(*window);
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL) {
  if (rect == nullptr) return FALSE;
  POINT frame = frame_of(style);
  rect->left -= frame.x;
  rect->top -= frame.x + frame.y;
  rect->right += frame.x;
  rect->bottom += frame.x;
  return TRUE;
}

namespace {
LRESULT set_title(HWND handle, LPCSTR text) {
  Window* window = find_window(handle);
  if (window == nullptr) return FALSE;
  window->title = text != nullptr ? text : "";
  show_title(*window);
  return TRUE;
}
}  // namespace

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_CLOSE: DestroyWindow(handle); return 0;
    case WM_ERASEBKGND: return erase_background(handle, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: return default_paint(handle);
    case WM_SETTEXT: return set_title(handle, reinterpret_cast<LPCSTR>(lParam));
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) send_to_window(handle, WM_CLOSE, 0, 0);
      return 0;
    case WM_SYSKEYDOWN:
      // Alt+F4 closes the window.
      if (wParam == VK_F4 && (lParam & (1 << 29)))
        send_to_window(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    default: return 0;
  }
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  return stock_resource(instance, name, 32512, 32518);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  return stock_resource(instance, name, 32512, 32651);
}

// A CS_OWNDC window has one DC for its life, which keeps what is selected
// and set in it; ReleaseDC leaves it as it is.
HDC GetDC(HWND handle) {
  Window* window = handle != nullptr ? find_window(handle) : nullptr;
  if (handle != nullptr && window == nullptr) return nullptr;
  if (window != nullptr && window->own_dc != nullptr) return window->own_dc;
  auto dc = std::make_unique<DeviceContext>();
  dc->dc_kind = handle ? DcKind::kWindow : DcKind::kScreen;
  dc->window = handle;
  HDC result = static_cast<HDC>(add_handle(std::move(dc)));
  SelectObject(result, stock_font());
  SelectObject(result, stock_brush(WHITE_BRUSH));
  if (window != nullptr && (window->class_style & CS_OWNDC) != 0) window->own_dc = result;
  return result;
}

int ReleaseDC(HWND handle, HDC dc_handle) {
  DeviceContext* dc = find_as<DeviceContext>(dc_handle);
  if (dc == nullptr || dc->dc_kind == DcKind::kMemory || dc->window != handle) return 0;
  Window* window = find_window(handle);
  if (window != nullptr && window->own_dc == dc_handle) return 1;
  SelectObject(dc_handle, stock_font());
  remove_handle(dc_handle);
  return 1;
}

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
  if (handle == nullptr) {
    for (HWND each : window_order())
      if (Window* window = find_window(each)) invalidate_window(*window, nullptr, erase);
    return TRUE;
  }
  Window* window = find_window(handle);
  if (window == nullptr) return FALSE;
  invalidate_window(*window, rect, erase);
  return TRUE;
}

// A validated area that covers the update region empties it; smaller areas
// leave it as it is (the region is kept as one rectangle).
BOOL ValidateRect(HWND handle, const RECT* rect) {
  Window* window = find_window(handle);
  if (window == nullptr) return FALSE;
  RECT covered = rect ? intersect(*rect, window->update) : window->update;
  if (rect == nullptr || std::memcmp(&covered, &window->update, sizeof(RECT)) == 0) {
    window->needs_paint = false;
    window->needs_erase = false;
  }
  return TRUE;
}

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
  Window* window = find_window(handle);
  if (window == nullptr || paint == nullptr) return nullptr;
  *paint = PAINTSTRUCT{};
  paint->rcPaint = window->needs_paint ? window->update : RECT{};
  bool erase = window->needs_erase;
  window->needs_paint = false;
  window->needs_erase = false;
  paint->hdc = GetDC(handle);
  if (erase)
    paint->fErase =
        send_to_window(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
  return paint->hdc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return FALSE;
  ReleaseDC(handle, paint->hdc);
  return TRUE;
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return screen_size().cx;
    case SM_CYSCREEN: return screen_size().cy;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXFRAME:
    case SM_CYFRAME: return kFrameWidth;
    case SM_CYCAPTION: return kCaptionHeight;
    default: return 0;
  }
}

// The default system colours of current Windows versions.
DWORD GetSysColor(int index) {
  static const COLORREF kColours[] = {RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209),
                                      RGB(191, 205, 219), RGB(240, 240, 240), RGB(255, 255, 255),
                                      RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),
                                      RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
                                      RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
                                      RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109),
                                      RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255)};
  if (index < 0 || index >= static_cast<int>(sizeof(kColours) / sizeof(kColours[0]))) return 0;
  return kColours[index];
}
