#include "layer_window/interactive_window.h"

#include <vector>

#include "display/graphics_startup.h"
#include "layers/layer_window.h"
#include "layers/startup.h"
#include "scene3d/scene.h"
#include "support/kept_layers.h"
#include "support/plain_window.h"

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (layer_window_acts_on(message)) return LayerWindowProc(window, message, wparam, lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND interactive_window() {
  static HWND window = [] {
    HWND created =
        create_plain_window("PixwellInteractiveTest", procedure, WS_OVERLAPPEDWINDOW, 600, 480);
    GraphicsStartup(created);
    InitScene();
    ShowWindow(created, SW_SHOWNORMAL);
    UpdateWindow(created);
    return created;
  }();
  return window;
}

void reset_interactive_window() {
  HWND window = interactive_window();
  forget_layers();
  SelectedLayer = -1;
  DisplayMode = 0;
  LastKey = 0;
  FieldOfView = 5.0;
  MoveWindow(window, 0, 0, 600, 480, TRUE);
  SendMessageA(window, WM_USER, 0, 0);
}

std::string back_buffer_bytes() {
  std::string bytes(kPageBytes, '\0');
  GetBitmapBits(BackBitmap, kPageBytes, bytes.data());
  return bytes;
}

std::string background_page_bytes() {
  return std::string(reinterpret_cast<const char*>(BackgroundPage()), kPageBytes);
}

// Kept for the process, as the text views that show it never let it go.
TextDocument* numbered_document(int lines) {
  static auto* kept = new std::vector<TextDocument*>;
  std::string text;
  for (int line = 1; line <= lines; ++line) text += "line " + std::to_string(line) + "\r\n";
  kept->push_back(MakeTextDocument(text.data(), static_cast<int32_t>(text.size())));
  return kept->back();
}

// The build gives the path in the target's own spelling.
std::string lab_wave_path() { return PIXWELL_LAB_WAVE; }
