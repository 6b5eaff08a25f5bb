#include "layers/layer_window.h"

#include "audio/sound_playback.h"
#include "display/graphics_startup.h"
#include "layers/layer_table.h"
#include "raster/lines.h"
#include "scene3d/scene.h"

namespace {

constexpr uint32_t kBackgroundColour = 0x007F7F;  // red 0, green 127, blue 127

// The gradient at (-1, -1) covers exactly the page's rows 0..767 and columns
// 0..1023; the canvas points at the background page for this one fill.
void rebuild_background_page() {
  void* screen_page = ScreenCanvas.Pixels;
  ScreenCanvas.Pixels = BackgroundPage();
  FillGradientRect(ScreenCanvas, -1, -1, kBufferWidth, kBufferHeight, kBackgroundColour);
  ScreenCanvas.Pixels = screen_page;
}

// Every repaint starts from the background page, then draws the layers in
// table order, so a higher index is drawn over the ones before it.
LRESULT repaint_layers() {
  SetBitmapBits(BackBitmap, kPageBytes, BackgroundPage());
  for (uint32_t index = 0; index < LayerCount(); ++index) DrawLayer(static_cast<int32_t>(index));
  return 0;
}

void request_repaint(HWND window, LPARAM code) {
  SendMessageA(window, kRepaintRequest, static_cast<WPARAM>(SelectedLayer), code);
}

// Each answer takes what LayerWindowProc receives, whether it reads it or not.
LRESULT on_mouse_move(HWND, WPARAM, LPARAM position) {
  return SetMousePosition(static_cast<uint32_t>(position));
}

LRESULT on_repaint_request(HWND, WPARAM, LPARAM code) { return AnswerRepaintRequest(code); }

LRESULT on_right_button_up(HWND, WPARAM, LPARAM) {
  DisplayMode = DisplayMode == 0 ? 1 : 0;
  return 0;
}

// The code 15 request does nothing; the code 1 request redraws every layer.
LRESULT on_left_button_up(HWND window, WPARAM, LPARAM) {
  request_repaint(window, 15);
  request_repaint(window, kRepaint);
  return 0;
}

// The scene gets the window rectangle's right and bottom edges, in screen
// coordinates, as its width and height.
void resize_scene_to_window(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  ResizeScene(rect.right, rect.bottom);
}

LRESULT on_size(HWND window, WPARAM, LPARAM) {
  resize_scene_to_window(window);
  return 0;
}

// Every layer sees the new key through one repaint (the text views scroll),
// in both modes; then the mode's own key handling.
LRESULT on_key_down(HWND window, WPARAM key, LPARAM) {
  LastKey = static_cast<uint32_t>(key);
  request_repaint(window, kRepaint);
  if (DisplayMode == 0) LayerModeKey(window);
  if (DisplayMode == 1) SceneKey(window);
  return 0;
}

LRESULT on_key_up(HWND, WPARAM, LPARAM) {
  LastKey = 0;
  return 0;
}

// Whatever the notification says, the device that it names (lParam) has
// done its work; a later OpenWaveDevice may have replaced WaveDeviceId.
LRESULT on_mci_notify(HWND, WPARAM, LPARAM device) {
  close_wave_device(static_cast<MCIDEVICEID>(device));
  return 0;
}

// The messages the procedure acts on, each with its answer; it answers every
// other message with 0.
struct MessageAnswer {
  UINT Message;
  LRESULT (*Answer)(HWND window, WPARAM wparam, LPARAM lparam);
};

constexpr MessageAnswer kAnswers[] = {
    {WM_MOUSEMOVE, on_mouse_move},
    {kRepaintRequest, on_repaint_request},
    {WM_RBUTTONUP, on_right_button_up},
    {WM_LBUTTONUP, on_left_button_up},
    {WM_SIZE, on_size},
    {WM_KEYDOWN, on_key_down},
    {WM_KEYUP, on_key_up},
    {MM_MCINOTIFY, on_mci_notify},
};

const MessageAnswer* answer_to(UINT message) {
  for (const MessageAnswer& answer : kAnswers)
    if (answer.Message == message) return &answer;
  return nullptr;
}

}  // namespace

LRESULT AnswerRepaintRequest(LPARAM code) {
  if (code == kRebuildAndRepaint) rebuild_background_page();
  if (code == kRebuildAndRepaint || code == kRepaint) return repaint_layers();
  return 0;
}

uint32_t* BackgroundPage() {
  return static_cast<uint32_t*>(ScreenCanvas.Pixels) + kPageBytes / sizeof(uint32_t);
}

LRESULT CALLBACK LayerWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const MessageAnswer* answer = answer_to(message);
  return answer == nullptr ? 0 : answer->Answer(window, wparam, lparam);
}

// Mode 0 shows the back buffer and then hit-tests from the top layer down: a
// hit that changes the selection repaints the back buffer at once, and the
// window shows it at the next call. Mode 1 renders the scene.
LRESULT CALLBACK RepaintWindow(HWND window, UINT, WPARAM, LPARAM) {
  if (DisplayMode == 0) {
    BitBlt(WindowDC, 0, 0, kBufferWidth, kBufferHeight, BackDC, 0, 0, SRCCOPY);
    for (uint32_t index = LayerCount(); index-- > 0;)
      HitTestLayer(window, static_cast<int32_t>(index));
  } else if (DisplayMode == 1) {
    resize_scene_to_window(window);
    RenderScene();
  }
  return 0;
}

void LayerModeKey(HWND) {}

bool layer_window_acts_on(UINT message) { return answer_to(message) != nullptr; }
