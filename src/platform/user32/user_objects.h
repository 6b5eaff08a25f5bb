// Windows and the shared machinery of the USER files of the POSIX platform
// layer: the window table, the SDL video backend, the message queue's wait,
// timers and presentation.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi32/gdi_objects.h"

struct SDL_Window;

namespace posix {

// Fixed frame metrics of an overlapped window: the client area lies inside a
// frame of this width on every side and a caption above it.
constexpr int kFrameWidth = 4;
constexpr int kCaptionHeight = 19;

struct Window : HandleObject {
  static constexpr HandleKind kKind = HandleKind::kWindow;
  Window() : HandleObject(kKind) {}
  WNDPROC procedure = nullptr;
  UINT class_style = 0;
  HBRUSH background = nullptr;
  DWORD style = 0;
  std::string class_name;
  std::string title;
  RECT outer{};        // screen coordinates, frame and caption included
  Bitmap framebuffer;  // the client area as the window shows it, top-down
  SDL_Window* sdl = nullptr;
  uint32_t sdl_id = 0;
  bool visible = false;
  bool sizes_sent = false;
  bool ignore_next_expose = false;
  bool needs_paint = false;
  bool needs_erase = false;
  RECT update{};  // client coordinates; meaningful while needs_paint
  bool dirty = false;
  RECT dirty_area{};  // client coordinates; meaningful while dirty
  bool destroying = false;
  int pixel_format = 0;
  bool gl_capable = false;
  void* spare_gl_context = nullptr;  // made when the pixel format was set, not yet handed out
  HDC own_dc = nullptr;              // a CS_OWNDC window's one DC, made at its first GetDC
};

Window* find_window(HWND window);
Window* find_window_by_sdl_id(uint32_t id);
// Returns the offset of the client area from the window's outer corner.
POINT client_offset(const Window& window);
RECT client_rect(const Window& window);
// Adds an area (client coordinates, null for all) to the update region.
void invalidate_window(Window& window, const RECT* area, bool erase);
// Follows a new client size reported by the backend.
void resize_client(Window& window, int width, int height);
// Follows a new client position (screen coordinates) reported by the backend.
void move_client(Window& window, int x, int y);
// Adds an area (client coordinates, null for all) to what the window must
// show again.
void mark_dirty(Window& window, const RECT* area);
// Shows the changed part of every window's framebuffer.
void present_dirty_windows();
// Returns the window that needs painting and matches the filter, or null.
Window* window_needing_paint(HWND filter);
// Every live window handle, in creation order.
std::vector<HWND> all_windows();

// Starts SDL's video on first use: the display's backend, or a headless one
// when there is no display. False when no backend starts at all.
bool ensure_video();
// True once the backend has started.
bool video_started();
// Waits for backend events for up to the given milliseconds (-1: no limit);
// false when the backend can't wait, so the caller waits by itself.
bool wait_for_backend(int timeout_ms);
// Makes a backend wait return, from any thread.
void wake_backend();
bool is_wake_event(uint32_t type);
// Closes the backend before the process exits.
void shut_down_video();
// Shows the window's title on its backend window, if it has one.
void show_title(const Window& window);
// Windows' virtual-key code of an SDL key, 0 for keys without one.
UINT virtual_key_of(int sdl_keycode);
// The character that a key gives with the current shift state, or 0.
char character_of(UINT virtual_key);
// The screen's size, or a default one when headless.
SIZE screen_size();
// Turns pending SDL events into messages.
void pump_backend_events();

// The message queue.
void post_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void drop_window_messages(HWND window);
// Wakes a GetMessageA that waits, from any thread.
void wake_message_loop();

// Timers.
void drop_window_timers(HWND window);
// Milliseconds until the next timer is due, 0 if one is, -1 with no timers.
int next_timer_delay();
// Takes the first due timer matching the filter and builds its WM_TIMER.
bool take_due_timer(HWND filter, MSG* message, bool remove);
// True when (window, id) is a live timer with that procedure.
bool is_timer_procedure(HWND window, UINT_PTR id, LPARAM procedure);

// Milliseconds of the monotonic clock, for timers and message times.
uint64_t monotonic_ms();

}  // namespace posix

namespace posix {

// Sends a message straight to a window's procedure; 0 for a dead window.
LRESULT send_to_window(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Lets go of the OpenGL state that a window being destroyed holds.
void release_window_gl(Window& window);
// Brings up or down an SDL window for a window record.
bool create_backend_window(Window& window);
void destroy_backend_window(Window& window);

}  // namespace posix
