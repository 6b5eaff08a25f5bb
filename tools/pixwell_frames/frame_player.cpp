#include "frame_player.h"

#include <cstdio>

#include "app/animation_strip.h"
#include "app/main_window.h"
#include "window_capture.h"

namespace {

std::string frame_path(const std::string& directory, int index) {
  char name[32];
  std::snprintf(name, sizeof(name), "frame_%02d.png", index);
  return directory + "/" + name;
}

bool is_strip_tick(const MSG& message) {
  return message.message == WM_TIMER && message.hwnd == MainWindow &&
         message.wParam == kStripTimerId;
}

void open_main_window() {
  ModuleHandle = GetModuleHandleA(nullptr);
  register_main_window_class(ModuleHandle);
  create_main_window(ModuleHandle);
  show_main_window();
}

}  // namespace

int play_and_save_frames(int ticks, const std::string& directory) {
  open_main_window();
  int ticks_seen = 0;
  int frames_saved = 0;
  MSG message{};
  while (ticks_seen < ticks && GetMessageA(&message, nullptr, 0, 0)) {
    bool strip_tick = is_strip_tick(message);
    bool playing = ActiveStrip->Rendered != 0;  // this tick shows a frame
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (!strip_tick) continue;
    ++ticks_seen;
    if (!playing) continue;
    FrameImage frame = capture_client_area(MainWindow, kStripFrameWidth, kStripFrameHeight);
    std::string path = frame_path(directory, frames_saved);
    if (!write_png(frame, path)) {
      std::fprintf(stderr, "pixwell-frames: %s can't be written\n", path.c_str());
      return -1;
    }
    ++frames_saved;
  }
  if (ticks_seen == ticks) return frames_saved;
  std::fprintf(stderr, "pixwell-frames: the window's messages ended after %d of %d ticks\n",
               ticks_seen, ticks);
  return -1;
}
