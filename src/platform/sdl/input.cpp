// Turns SDL events into window messages: window changes are sent at once
// (as Windows sends them), mouse and keyboard input is posted to the queue
// with Windows' key codes and coordinate packing.
#include <SDL2/SDL.h>

#include "platform/user32/user_objects.h"

namespace posix {
namespace {

struct KeyPair {
  SDL_Keycode sdl;
  UINT virtual_key;
};

constexpr KeyPair kKeys[] = {{SDLK_BACKSPACE, VK_BACK},
                             {SDLK_TAB, VK_TAB},
                             {SDLK_RETURN, VK_RETURN},
                             {SDLK_KP_ENTER, VK_RETURN},
                             {SDLK_ESCAPE, VK_ESCAPE},
                             {SDLK_SPACE, VK_SPACE},
                             {SDLK_PAGEUP, VK_PRIOR},
                             {SDLK_PAGEDOWN, VK_NEXT},
                             {SDLK_END, VK_END},
                             {SDLK_HOME, VK_HOME},
                             {SDLK_LEFT, VK_LEFT},
                             {SDLK_UP, VK_UP},
                             {SDLK_RIGHT, VK_RIGHT},
                             {SDLK_DOWN, VK_DOWN},
                             {SDLK_INSERT, VK_INSERT},
                             {SDLK_DELETE, VK_DELETE},
                             {SDLK_LSHIFT, VK_SHIFT},
                             {SDLK_RSHIFT, VK_SHIFT},
                             {SDLK_LCTRL, VK_CONTROL},
                             {SDLK_RCTRL, VK_CONTROL},
                             {SDLK_LALT, VK_MENU},
                             {SDLK_RALT, VK_MENU},
                             {SDLK_PAUSE, VK_PAUSE},
                             {SDLK_CAPSLOCK, VK_CAPITAL},
                             {SDLK_KP_MULTIPLY, VK_MULTIPLY},
                             {SDLK_KP_PLUS, VK_ADD},
                             {SDLK_KP_MINUS, VK_SUBTRACT},
                             {SDLK_KP_PERIOD, VK_DECIMAL},
                             {SDLK_KP_DIVIDE, VK_DIVIDE},
                             {SDLK_SEMICOLON, VK_OEM_1},
                             {SDLK_EQUALS, VK_OEM_PLUS},
                             {SDLK_COMMA, VK_OEM_COMMA},
                             {SDLK_MINUS, VK_OEM_MINUS},
                             {SDLK_PERIOD, VK_OEM_PERIOD},
                             {SDLK_SLASH, VK_OEM_2},
                             {SDLK_BACKQUOTE, VK_OEM_3},
                             {SDLK_LEFTBRACKET, VK_OEM_4},
                             {SDLK_BACKSLASH, VK_OEM_5},
                             {SDLK_RIGHTBRACKET, VK_OEM_6},
                             {SDLK_QUOTE, VK_OEM_7}};

bool is_extended(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT:
    case SDLK_RIGHT:
    case SDLK_UP:
    case SDLK_DOWN:
    case SDLK_HOME:
    case SDLK_END:
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN:
    case SDLK_INSERT:
    case SDLK_DELETE:
    case SDLK_RCTRL:
    case SDLK_RALT:
    case SDLK_KP_ENTER:
    case SDLK_KP_DIVIDE: return true;
    default: return false;
  }
}

WPARAM mouse_flags(Uint32 buttons) {
  SDL_Keymod mods = SDL_GetModState();
  return ((buttons & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0) |
         ((buttons & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0) |
         ((buttons & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0) | ((mods & KMOD_SHIFT) ? MK_SHIFT : 0) |
         ((mods & KMOD_CTRL) ? MK_CONTROL : 0);
}

HWND window_of(Uint32 sdl_id) {
  Window* window = find_window_by_sdl_id(sdl_id);
  return window ? static_cast<HWND>(window->handle) : nullptr;
}

void on_window_event(const SDL_WindowEvent& event) {
  Window* window = find_window_by_sdl_id(event.windowID);
  if (window == nullptr) return;
  HWND handle = static_cast<HWND>(window->handle);
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: send_to_window(handle, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: resize_client(*window, event.data1, event.data2); break;
    case SDL_WINDOWEVENT_MOVED: move_client(*window, event.data1, event.data2); break;
    case SDL_WINDOWEVENT_EXPOSED:
      // Showing has already erased the window; a later exposure (the window
      // uncovered) is erased and repainted by the default handling.
      mark_dirty(*window, nullptr);
      if (window->ignore_next_expose)
        window->ignore_next_expose = false;
      else
        invalidate_window(*window, nullptr, true);
      break;
    default: break;
  }
}

void on_mouse_motion(const SDL_MouseMotionEvent& event) {
  if (HWND window = window_of(event.windowID))
    post_message(window, WM_MOUSEMOVE, mouse_flags(event.state), MAKELPARAM(event.x, event.y));
}

void on_mouse_button(const SDL_MouseButtonEvent& event) {
  HWND window = window_of(event.windowID);
  bool down = event.type == SDL_MOUSEBUTTONDOWN;
  UINT message = 0;
  if (event.button == SDL_BUTTON_LEFT) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  if (event.button == SDL_BUTTON_RIGHT) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  if (event.button == SDL_BUTTON_MIDDLE) message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  if (window && message)
    post_message(window, message, mouse_flags(SDL_GetMouseState(nullptr, nullptr)),
                 MAKELPARAM(event.x, event.y));
}

// Key messages carry a repeat count of 1, the extended-key flag, the Alt
// flag, the previous key state (set on auto-repeat and key-up) and the
// transition state (set on key-up). With Alt held they are system keys.
void on_key(const SDL_KeyboardEvent& event) {
  HWND window = window_of(event.windowID);
  UINT virtual_key = virtual_key_of(event.keysym.sym);
  if (window == nullptr || virtual_key == 0) return;
  bool down = event.type == SDL_KEYDOWN;
  bool alt = (event.keysym.mod & KMOD_ALT) != 0;
  uint32_t flags = 1 | (is_extended(event.keysym.sym) ? 1u << 24 : 0) | (alt ? 1u << 29 : 0) |
                   ((!down || event.repeat) ? 1u << 30 : 0) | (down ? 0 : 1u << 31);
  UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  post_message(window, message, virtual_key, static_cast<LPARAM>(static_cast<LONG>(flags)));
}

}  // namespace

UINT virtual_key_of(int sdl_keycode) {
  if (sdl_keycode >= SDLK_a && sdl_keycode <= SDLK_z) return 'A' + (sdl_keycode - SDLK_a);
  if (sdl_keycode >= SDLK_0 && sdl_keycode <= SDLK_9) return '0' + (sdl_keycode - SDLK_0);
  if (sdl_keycode >= SDLK_F1 && sdl_keycode <= SDLK_F12) return VK_F1 + (sdl_keycode - SDLK_F1);
  if (sdl_keycode >= SDLK_KP_1 && sdl_keycode <= SDLK_KP_9)
    return VK_NUMPAD0 + 1 + (sdl_keycode - SDLK_KP_1);
  if (sdl_keycode == SDLK_KP_0) return VK_NUMPAD0;
  for (const KeyPair& pair : kKeys)
    if (pair.sdl == sdl_keycode) return pair.virtual_key;
  return 0;
}

char character_of(UINT virtual_key) {
  SDL_Keymod mods = video_started() ? SDL_GetModState() : KMOD_NONE;
  bool shift = (mods & KMOD_SHIFT) != 0, caps = (mods & KMOD_CAPS) != 0;
  if (mods & KMOD_CTRL) return 0;
  if (virtual_key >= 'A' && virtual_key <= 'Z')
    return static_cast<char>(shift != caps ? virtual_key : virtual_key + ('a' - 'A'));
  if (virtual_key >= '0' && virtual_key <= '9' && !shift) return static_cast<char>(virtual_key);
  switch (virtual_key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    default: return 0;
  }
}

void pump_backend_events() {
  if (!video_started()) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_WINDOWEVENT: on_window_event(event.window); break;
      case SDL_MOUSEMOTION: on_mouse_motion(event.motion); break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: on_mouse_button(event.button); break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: on_key(event.key); break;
      default: break;  // wake-ups, text input and the rest carry nothing
    }
  }
}

}  // namespace posix
