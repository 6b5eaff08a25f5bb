#include "app/lab_window.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/lab_document.h"
#include "app/lab_overlays.h"
#include "app/lab_page_bmp.h"
#include "app/lab_page_words.h"
#include "app/lab_paths.h"
#include "app/lab_sound_status.h"
#include "app/main_window.h"
#include "app/version.h"
#include "audio/sound_playback.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "layers/captioned_layer.h"
#include "layers/frame_layer.h"
#include "layers/layer_table.h"
#include "layers/layer_window.h"
#include "layers/panel_layer.h"
#include "layers/startup.h"
#include "layers/text_view.h"
#include "scene3d/scene.h"

HWND LabWindow;

const char* const kLabHelpLines[2] = {
    "Pixwell Lab " PIXWELL_VERSION
    ".  Mouse: hovering selects a layer and steps the discs; the right button switches "
    "between the layers and the 3D scene.",
    "Keys: Up/Down page the text, Left/Right shift it.  In 3D: A/D and W/S spin, Z/X zoom out "
    "and in.  P: play load.wav.  M: play it through MCI.",
};

namespace {

// Colour components stay below 0x80: a gradient brightens each to about
// twice its value, and above that it would wrap round to dark.
struct CaptionedLayerLook {
  uint32_t Colour;
  const char* Caption;
};

constexpr CaptionedLayerLook kCaptionedLayers[kLabCaptionedCount] = {
    {0x701818, "Red"},   {0x186830, "Green"},  {0x183070, "Blue"},
    {0x705010, "Amber"}, {0x502070, "Violet"},
};

struct LabState {
  LabOptions Options{};
  std::string Status;
  std::string WavePath;
  uint32_t FpsHistory[10] = {};
  uint32_t Presentations = 0;
  DWORD SecondStart = 0;
  uint32_t ModePresentations[2] = {};  // over the whole run, by display mode
  DWORD ModeMilliseconds[2] = {};
  DWORD LastTick = 0;
  TextDocument* Document = nullptr;
};

LabState Lab;

// Layer 0 is the frame animation, so that RenderDiscFrames makes it ready.
void build_layers(HWND window, TextDocument* document) {
  const LabArea& frame = kLabFrameArea;
  CreateFrameLayer(window, frame.X, frame.Y, frame.Width, frame.Height, RenderDiscFrames, 2);
  LabArea captioned = kLabFirstCaptioned;
  for (const CaptionedLayerLook& look : kCaptionedLayers) {
    CreateCaptionedLayer(window, captioned.X, captioned.Y, captioned.Width, captioned.Height,
                         look.Colour, look.Caption);
    captioned.X += kLabCaptionedStep;
  }
  CreatePanelLayer(window, kLabPanelArea.X, kLabPanelArea.Y, kLabPanelArea.Height, 0x606060);
  const LabArea& text = kLabTextArea;
  int32_t view = CreateTextView(window, text.X, text.Y, text.Width, text.Height, 0x183060);
  if (document != nullptr && view >= 0) AttachTextDocument(GetLayer(view), document);
}

void load_document() {
  LabDocument loaded = LoadLabDocument(Lab.Options.DocumentPath);
  Lab.Status =
      loaded.Problem.empty() ? "Showing " + DisplayPath(Lab.Options.DocumentPath) : loaded.Problem;
  if (loaded.CutFrom != 0)
    Lab.Status += ": only its first " + std::to_string(loaded.CutFrom) +
                  " bytes (with carriage returns added); the text view holds no more";
  Lab.Document = loaded.Document;
}

LRESULT on_create(HWND window) {
  LabWindow = window;
  GraphicsStartup(window);
  // Without OpenGL neither the scene nor the window's pictures can be shown:
  // the window is refused and RunLab says why.
  if (GLContext == nullptr) return -1;
  // The buffers write in the surfaces' small monospace face, so the text
  // view's lines and the 15-pixel frame-rate rows read as they are laid out.
  SelectIntoBuffers(CreateFontIndirectA(&SurfaceFont));
  InitScene();
  RECT rect{};
  GetWindowRect(window, &rect);
  ResizeScene(rect.right, rect.bottom);
  build_layers(window, Lab.Document);
  SendMessageA(window, kRepaintRequest, 0, kRebuildAndRepaint);
  KeepOverlayBackground(window);
  Lab.SecondStart = Lab.LastTick = GetTickCount();
  SetTimer(window, kLabTimerId, kLabTimerPeriod, nullptr);
  return 0;
}

double presentations_per_second(int mode) {
  DWORD milliseconds = Lab.ModeMilliseconds[mode];
  return milliseconds == 0 ? 0.0 : Lab.ModePresentations[mode] * 1000.0 / milliseconds;
}

void print_report() {
  std::printf("presentations per second: layer mode %.1f (%u), 3D mode %.1f (%u)\n",
              presentations_per_second(0), Lab.ModePresentations[0], presentations_per_second(1),
              Lab.ModePresentations[1]);
  std::fflush(stdout);
}

LRESULT on_destroy(HWND window) {
  KillTimer(window, kLabTimerId);
  close_open_wave_devices();  // those still playing have no one else to close them
  if (Lab.Options.Report) print_report();
  if (GLContext != nullptr) ReleaseScene();
  PostQuitMessage(0);
  return 0;
}

// Counts presentations and, once a second, shifts the count into the history.
void count_presentation() {
  ++Lab.Presentations;
  DWORD now = GetTickCount();
  if (CurrentLabPage == LabPage::Layers && (DisplayMode == 0 || DisplayMode == 1)) {
    ++Lab.ModePresentations[DisplayMode];
    Lab.ModeMilliseconds[DisplayMode] += now - Lab.LastTick;
  }
  Lab.LastTick = now;
  if (now - Lab.SecondStart < 1000) return;
  std::memmove(Lab.FpsHistory, Lab.FpsHistory + 1, sizeof(uint32_t) * 9);
  Lab.FpsHistory[9] = Lab.Presentations * 1000 / (now - Lab.SecondStart);
  Lab.Presentations = 0;
  Lab.SecondStart = now;
}

// In layer mode the overlays go into the back buffer before it is shown;
// over the scene they are written onto the window after it.
LRESULT on_tick(HWND window) {
  count_presentation();
  if (PresentLabPage(window, Lab.Status, Lab.FpsHistory)) return 0;
  LabOverlayText text{Lab.FpsHistory, kLabHelpLines, 2, &Lab.Status};
  if (DisplayMode == 0) {
    DrawLabOverlays(BackDC, text);
    DrawPageBar(BackDC);
  }
  RepaintWindow(window, 0, 0, 0);
  if (DisplayMode != 0) {
    DrawLabOverlays(WindowDC, text);
    DrawPageBar(WindowDC);
  }
  DrawLabLoupe();
  return 0;
}

// Keys and buttons change what the window shows: it is presented at once
// rather than at the next tick, so the picture follows the press.
bool changes_the_picture(UINT message) {
  return message == WM_KEYDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONUP;
}

LRESULT present_at_once(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = LayerWindowProc(window, message, wparam, lparam);
  on_tick(window);
  return result;
}

bool is_lab_key(UINT message, WPARAM key) {
  return message == WM_KEYDOWN && (key == kLabPlayKey || key == kLabMciKey);
}

// Holding P or M starts its sound once: the key's auto-repeat (bit 30 of
// lParam, the key already down) would restart it many times a second.
bool is_auto_repeat(LPARAM lparam) { return (lparam & (1 << 30)) != 0; }

LRESULT on_lab_key(HWND window, WPARAM key, LPARAM lparam) {
  if (is_auto_repeat(lparam)) return 0;
  if (key == kLabPlayKey) {
    WaveFileState load_wav = check_wave_file("load.wav");  // where PlayWaveAsync looks
    Lab.Status = PlayWaveStatus(PlayWaveAsync(), load_wav);
  } else if (OpenWaveDevice(window, Lab.WavePath.c_str(), 0, 0) == 0) {
    Lab.Status = "OpenWaveDevice: playing " + DisplayPath(Lab.WavePath) + " through MCI";
  } else {
    Lab.Status = "OpenWaveDevice: could not open " + DisplayPath(Lab.WavePath);
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK LabWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT page_result = 0;
  if (LabPageTakes(window, message, wparam, lparam, page_result)) {
    if (message == WM_KEYDOWN) on_tick(window);  // the picture follows the key
    return page_result;
  }
  if (is_lab_key(message, wparam)) return on_lab_key(window, wparam, lparam);
  // The layer procedure closes the device; the status line tells the outcome.
  if (message == MM_MCINOTIFY)
    Lab.Status = WaveNotificationStatus(wparam, DisplayPath(Lab.WavePath));
  switch (message) {
    case WM_CREATE: return on_create(window);
    case WM_DESTROY: return on_destroy(window);
    case WM_TIMER: return on_tick(window);
    default: break;
  }
  if (changes_the_picture(message)) return present_at_once(window, message, wparam, lparam);
  // The rest go on to DefWindowProcA, so the window can be moved, sized and
  // closed.
  if (layer_window_acts_on(message)) return LayerWindowProc(window, message, wparam, lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

DWORD RunLab(HINSTANCE instance, const LabOptions& options) {
  Lab.Options = options;
  CurrentLabPage = options.Page;
  Lab.WavePath = std::string(options.DataDirectory) + "load.wav";
  load_document();  // before the directory changes, so a relative name works
  SetBmpPageFile(options.BmpPath);
  SetWordsPage(Lab.Document, options.WithPath, options.Find);
  SetCurrentDirectoryA(options.DataDirectory);
  register_standard_window_class(instance, kLabClassName, LabWindowProc);
  HWND window =
      CreateWindowExA(0, kLabClassName, kLabWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0, kLabWindowWidth,
                      kLabWindowHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "pixwell-lab: %s\n",
                 LabWindow != nullptr && GLContext == nullptr
                     ? "no OpenGL context could be made on this display, so the Lab cannot "
                       "show its window"
                     : "the window could not be made (no display?)");
    return 1;
  }
  ShowWindow(LabWindow, SW_SHOWNORMAL);
  UpdateWindow(LabWindow);
  return run_message_loop();
}

void WriteLabLines(int32_t top, const std::string* lines, size_t count) {
  static HFONT font = CreateFontIndirectA(&SurfaceFont);
  HGDIOBJ previous = SelectObject(BackDC, font);
  COLORREF colour = SetTextColor(BackDC, 0x00FFFFFF);
  int mode = SetBkMode(BackDC, TRANSPARENT);
  for (size_t i = 0; i < count; ++i)
    TextOutA(BackDC, 20, top + static_cast<int32_t>(i) * kLabLinePitch, lines[i].c_str(),
             static_cast<int>(lines[i].size()));
  SetBkMode(BackDC, mode);
  SetTextColor(BackDC, colour);
  SelectObject(BackDC, previous);
}
