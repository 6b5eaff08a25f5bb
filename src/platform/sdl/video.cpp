// The SDL video backend: picks the display's driver or a headless one,
// keeps one SDL window per window, shows framebuffers and waits for events.
#include <SDL2/SDL.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/opengl32/driver_preload.h"
#include "platform/user32/user_objects.h"

namespace posix {
namespace {

struct Video {
  bool tried = false;
  bool ready = false;
  bool blocking = false;   // the driver waits on the display connection
  bool gl_loaded = false;  // SDL_GL_LoadLibrary succeeded, to be undone at exit
  Uint32 wake_event = 0;
};

Video& video() {
  static Video state;
  return state;
}

// Xlib's error event, as far as the handler below reads it.
struct XErrorHead {
  int type;
  void* display;
  unsigned long resource;
  unsigned long serial;
  unsigned char error_code;
};
using XErrorHandler = int (*)(void*, XErrorHead*);
constexpr unsigned char kBadWindow = 3;
XErrorHandler previous_x_error_handler = nullptr;

// A request about a window that has just been destroyed (a wake-up sent to a
// window closing on another thread, say) is answered with BadWindow; Xlib's
// default handler would end the process for it. Windows shrugs such races
// off, and so do we; every other error goes on to the previous handler.
int tolerate_vanished_window(void* display, XErrorHead* error) {
  if (error->error_code == kBadWindow || previous_x_error_handler == nullptr) return 0;
  return previous_x_error_handler(display, error);
}

// Set before SDL starts its X11 driver, which keeps the handler it finds and
// puts it back when it quits: errors still unread then (a wake-up SDL sent to
// a window already closed) reach this handler, not the one that exits. SDL
// loads Xlib itself, so the handler is set through the same library, which
// stays loaded for the process.
void tolerate_vanished_windows() {
  void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_GLOBAL);
  if (xlib == nullptr) return;
  using SetHandler = XErrorHandler (*)(XErrorHandler);
  auto set_handler = reinterpret_cast<SetHandler>(dlsym(xlib, "XSetErrorHandler"));
  if (set_handler != nullptr) previous_x_error_handler = set_handler(tolerate_vanished_window);
}

// SDL's display driver opens an input method, and the one Xlib (or, under
// Wayland, xkbcommon) provides reads the locale's whole compose table
// (thousands of lines: most of the X11 driver's start-up time) for sequences
// that only text input uses. Windows here get their keys as virtual keys and
// TranslateMessage makes the characters, so the table is pointed at an empty
// file while the driver starts; no key press is then held back as part of a
// compose sequence, as Windows holds none. The variable is put back
// afterwards for the programs this one starts. It is set before the thread
// that loads the OpenGL libraries starts and put back after that thread is
// joined: setenv is not safe against a getenv in their constructors.
class EmptyComposeTable {
 public:
  EmptyComposeTable() {
    if (const char* value = std::getenv(kVariable)) saved_ = value;
    setenv(kVariable, "/dev/null", 1);
  }
  ~EmptyComposeTable() {
    if (saved_)
      setenv(kVariable, saved_->c_str(), 1);
    else
      unsetenv(kVariable);
  }
  EmptyComposeTable(const EmptyComposeTable&) = delete;
  EmptyComposeTable& operator=(const EmptyComposeTable&) = delete;

 private:
  static constexpr char kVariable[] = "XCOMPOSEFILE";
  std::optional<std::string> saved_;
};

bool start_driver(const char* name) {
  if (name != nullptr) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, name, SDL_HINT_OVERRIDE);
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

bool has_display() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

// A chosen driver first (SDL_VIDEODRIVER), else the display's; then the
// headless ones, so that windows, messages and GDI work without a display.
// SDL loads its own libraries (D-Bus) as its first subsystem starts, so that
// is done before the OpenGL libraries start loading beside the display
// driver's start.
bool start_video(GlDriverPreload& gl_preload) {
  const bool display = has_display();
  if (display) tolerate_vanished_windows();
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_InitSubSystem(SDL_INIT_EVENTS);
  if (display) gl_preload.start();
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  bool started = ((chosen && *chosen) || display) && start_driver(nullptr);
  if (!started) started = start_driver("offscreen") || start_driver("dummy");
  if (!started) SDL_QuitSubSystem(SDL_INIT_EVENTS);
  return started;
}

void set_gl_attributes() {
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 1);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 1);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 1);
}

void present(Window& window) {
  window.dirty = false;
  if (window.sdl == nullptr || !window.visible || window.framebuffer.pixels == nullptr) return;
  SDL_Surface* shown = SDL_GetWindowSurface(window.sdl);
  if (shown == nullptr) return;
  const Bitmap& frame = window.framebuffer;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      frame.pixels, frame.width, frame.height, 32, frame.width * 4, SDL_PIXELFORMAT_RGB888);
  if (source == nullptr) return;
  // Only the changed area goes to the screen, so GDI output over an OpenGL
  // picture replaces just what it drew, as on Windows.
  const RECT& area = window.dirty_area;
  SDL_Rect changed{area.left, area.top, area.right - area.left, area.bottom - area.top};
  SDL_Rect target = changed;
  SDL_BlitSurface(source, &changed, shown, &target);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurfaceRects(window.sdl, &changed, 1);
}

}  // namespace

bool ensure_video() {
  Video& state = video();
  if (!state.tried) {
    state.tried = true;
    EmptyComposeTable empty_compose_table;  // outlives the loading thread below
    GlDriverPreload gl_preload;
    state.ready = start_video(gl_preload);
    if (state.ready) {
      const char* driver = SDL_GetCurrentVideoDriver();
      state.blocking =
          driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
      state.wake_event = SDL_RegisterEvents(1);
      set_gl_attributes();
      // Held for the process, so that destroying the last OpenGL window
      // doesn't unload the driver and load it again for the next one.
      gl_preload.wait();
      state.gl_loaded = SDL_GL_LoadLibrary(nullptr) == 0;
    }
  }
  return state.ready;
}

bool video_started() { return video().ready; }

bool create_backend_window(Window& window) {
  if (!ensure_video()) return false;
  RECT client = client_rect(window);
  POINT offset = client_offset(window);
  int width = std::max<LONG>(client.right, 1), height = std::max<LONG>(client.bottom, 1);
  if (window.sdl == nullptr) {
    Uint32 flags = SDL_WINDOW_HIDDEN | ((window.style & WS_THICKFRAME) ? SDL_WINDOW_RESIZABLE : 0);
    int x = window.outer.left + offset.x, y = window.outer.top + offset.y;
    // Every window is made able to carry an OpenGL context where the driver
    // allows it, since the pixel format is set only after creation.
    window.sdl =
        SDL_CreateWindow(window.title.c_str(), x, y, width, height, flags | SDL_WINDOW_OPENGL);
    window.gl_capable = window.sdl != nullptr;
    if (window.sdl == nullptr)
      window.sdl = SDL_CreateWindow(window.title.c_str(), x, y, width, height, flags);
    if (window.sdl == nullptr) return false;
    window.sdl_id = SDL_GetWindowID(window.sdl);
    return true;
  }
  int shown_width = 0, shown_height = 0;
  SDL_GetWindowSize(window.sdl, &shown_width, &shown_height);
  if (shown_width != width || shown_height != height) SDL_SetWindowSize(window.sdl, width, height);
  SDL_SetWindowPosition(window.sdl, window.outer.left + offset.x, window.outer.top + offset.y);
  bool shown = (SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_SHOWN) != 0;
  if (window.visible && !shown) SDL_ShowWindow(window.sdl);
  if (!window.visible && shown) SDL_HideWindow(window.sdl);
  return true;
}

void destroy_backend_window(Window& window) {
  if (window.sdl != nullptr) SDL_DestroyWindow(window.sdl);
  window.sdl = nullptr;
  window.sdl_id = 0;
}

void present_dirty_windows() {
  for (HWND handle : all_windows())
    if (Window* window = find_window(handle); window && window->dirty) present(*window);
}

SIZE screen_size() {
  SDL_Rect bounds{};
  if (ensure_video() && SDL_GetDisplayBounds(0, &bounds) == 0 && bounds.w > 0)
    return SIZE{bounds.w, bounds.h};
  return SIZE{1024, 768};
}

bool wait_for_backend(int timeout_ms) {
  Video& state = video();
  // SDL blocks on the display connection only while it has a window.
  if (!state.ready || !state.blocking || all_windows().empty()) return false;
  SDL_WaitEventTimeout(nullptr, timeout_ms);
  return true;
}

void wake_backend() {
  Video& state = video();
  if (!state.ready || !state.blocking) return;
  SDL_Event event{};
  event.type = state.wake_event;
  SDL_PushEvent(&event);
}

bool is_wake_event(Uint32 type) { return video().ready && type == video().wake_event; }

// SDL_Quit leaves the driver's OpenGL state allocated while a load of the
// library is still held, so that load is undone first.
void show_title(const Window& window) {
  if (window.sdl != nullptr) SDL_SetWindowTitle(window.sdl, window.title.c_str());
}

void shut_down_video() {
  Video& state = video();
  if (state.gl_loaded) SDL_GL_UnloadLibrary();
  state.gl_loaded = false;
  if (state.ready) SDL_Quit();
  state.ready = false;
}

}  // namespace posix
