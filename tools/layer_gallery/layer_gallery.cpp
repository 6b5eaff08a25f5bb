// Shows a window with one layer of each kind: a frame animation rendered by
// RenderDiscFrames, a captioned layer in its normal and one in its selected
// look, a panel, and a text view paged twice through the text file given on
// the command line (CR LF lines), with the frame-rate and layer overlays.
// The window answers the repaint request WM_USER with the interactive
// window's own repaint, and closes itself after the seconds given.
//
// Usage: layer_gallery TEXT_FILE [SECONDS]      (default 4 seconds)
//        layer_gallery TEXT_FILE --measure      prints the time of a text
//        view's redraw and of a repaint of every layer, then exits
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/graphics_startup.h"
#include "display/surface.h"
#include "layers/captioned_layer.h"
#include "layers/diagnostic_overlays.h"
#include "layers/frame_layer.h"
#include "layers/layer_window.h"
#include "layers/panel_layer.h"
#include "layers/startup.h"
#include "layers/text_view.h"
#include "text/text_document.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr char kClassName[] = "PixwellLayerGallery";

struct Gallery {
  int32_t text_view = -1;
  int32_t selected = -1;
  uint32_t fps_history[kFpsHistoryLength] = {48, 50, 50, 49, 51, 50, 50, 47, 50, 50};
};
Gallery gallery;

void present() { BitBlt(WindowDC, 0, 0, kBufferWidth, kBufferHeight, BackDC, 0, 0, SRCCOPY); }

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kRepaintRequest: return AnswerRepaintRequest(lParam);
    case WM_PAINT: return ValidateRect(window, nullptr), present(), 0;
    case WM_TIMER: return DestroyWindow(window), 0;
    case WM_DESTROY: return PostQuitMessage(0), 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND create_window() {
  WNDCLASSEXA description{};
  description.cbSize = sizeof(description);
  description.lpfnWndProc = procedure;
  description.hInstance = GetModuleHandleA(nullptr);
  description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  description.lpszClassName = kClassName;
  RegisterClassExA(&description);
  return CreateWindowExA(0, kClassName, "Layers", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                         nullptr, description.hInstance, nullptr);
}

// The frame animation comes first: RenderDiscFrames renders layer 0.
void create_layers(HWND window, TextDocument* document) {
  CreateFrameLayer(window, 10, 10, 100, 100, RenderDiscFrames, 3);
  CreateCaptionedLayer(window, 10, 270, 190, 50, 0x00601040, "Captioned layer\r");
  gallery.selected = CreateCaptionedLayer(window, 10, 330, 190, 50, 0x00106040, "Selected\r");
  CreatePanelLayer(window, 212, 10, 420, 0x00402060);
  gallery.text_view = CreateTextView(window, 240, 10, 540, 420, 0x00203048);
  AttachTextDocument(GetLayer(gallery.text_view), document);
}

// Two pages on, as two presses of the up arrow do.
void page_text_view() {
  for (int page = 0; page < 2; ++page) {
    LastKey = VK_UP;
    DrawLayer(gallery.text_view);
  }
  LastKey = 0;
}

void draw_overlays() {
  DrawFpsHistory(BackDC, gallery.fps_history, 50);
  DrawLayerInfo(gallery.text_view, 10, 400);
  DrawLayerInfo(gallery.selected, 10, 480);
}

void build_picture(HWND window, TextDocument* document) {
  // The buffers draw their text in the Surfaces' face too.
  SelectIntoBuffers(CreateFontIndirectA(&SurfaceFont));
  create_layers(window, document);
  page_text_view();
  SelectedLayer = gallery.selected;
  SendMessageA(window, WM_USER, 0, 0);
  draw_overlays();
}

template <typename Action>
double milliseconds_per_call(int calls, Action action) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; ++i) action();
  std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / calls;
}

int measure(HWND window) {
  constexpr int kCalls = 200;
  double redraw = milliseconds_per_call(kCalls, [] { RedrawTextView(gallery.text_view); });
  double code1 = milliseconds_per_call(kCalls, [&] { SendMessageA(window, WM_USER, 0, 1); });
  std::printf("RedrawTextView, 540 x 420 view, full page: %.3f ms\n", redraw);
  std::printf("repaint code 1 with %u layers: %.3f ms\n", LayerCount(), code1);
  return 0;
}

int run_window(HWND window, int seconds) {
  ShowWindow(window, SW_SHOWNORMAL);
  present();
  SetTimer(window, kCloseTimer, static_cast<UINT>(seconds * 1000), nullptr);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return static_cast<int>(message.wParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: layer_gallery TEXT_FILE [SECONDS | --measure]\n");
    return 2;
  }
  TextDocument* document = LoadTextDocument(argv[1]);
  if (document == nullptr) {
    std::fprintf(stderr, "layer_gallery: cannot load %s\n", argv[1]);
    return 1;
  }
  HWND window = create_window();
  GraphicsStartup(window);
  build_picture(window, document);
  if (argc > 2 && std::strcmp(argv[2], "--measure") == 0) return measure(window);
  return run_window(window, argc > 2 ? std::atoi(argv[2]) : 4);
}
