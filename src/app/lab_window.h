// Pixwell Lab: a window whose procedure is the interactive layer procedure,
// holding one layer of each kind and the 3D scene, presented by a steady
// timer, so that a person can see and drive every facility of the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/lab_pages.h"
#include "platform/win32.h"

constexpr char kLabClassName[] = "PixwellLab";
constexpr char kLabWindowTitle[] = "Pixwell Lab";
constexpr int32_t kLabWindowWidth = 960;
constexpr int32_t kLabWindowHeight = 660;
constexpr UINT_PTR kLabTimerId = 1;
constexpr UINT kLabTimerPeriod = 25;  // milliseconds: 40 presentations a second
constexpr WPARAM kLabPlayKey = 'P';   // PlayWaveAsync on load.wav
constexpr WPARAM kLabMciKey = 'M';    // OpenWaveDevice on load.wav

// Where the Lab's layers are made: the creators' x, y, width and height.
struct LabArea {
  int32_t X;
  int32_t Y;
  int32_t Width;
  int32_t Height;
};
constexpr LabArea kLabFrameArea{20, 280, 100, 100};  // layer 0, two frames
constexpr LabArea kLabFirstCaptioned{300, 20, 115, 60};
constexpr int32_t kLabCaptionedStep = 125;  // five of them, left to right
constexpr int32_t kLabCaptionedCount = 5;
constexpr LabArea kLabPanelArea{260, 100, 20, 440};
constexpr LabArea kLabTextArea{300, 100, 620, 420};
constexpr int32_t kLabHelpTop = 556;  // two lines of help, then the status line
constexpr int32_t kLabLinePitch = 18;
constexpr int32_t kLabStatusTop = kLabHelpTop + 2 * kLabLinePitch;

// Writes lines of text into the back buffer in the Lab's font, white and
// over what is there, from (20, top), one line pitch apart.
void WriteLabLines(int32_t top, const std::string* lines, size_t count);

// What the Lab shows: the document for its text view, and the folder that
// holds load.wav (made the current directory, where PlayWaveAsync looks).
struct LabOptions {
  const char* DocumentPath;
  const char* DataDirectory;
  bool Report;                     // print the presentation rate of each mode at exit
  LabPage Page = LabPage::Layers;  // the page shown first
  const char* BmpPath = "";        // the BMP page's image
  const char* WithPath = "";       // the words page's second file
  const char* Find = "";           // the words page's first search
};

extern HWND LabWindow;

// Registers the class, creates and shows the window and runs its message
// loop; returns the exit code (0 when the window is closed).
DWORD RunLab(HINSTANCE instance, const LabOptions& options);
LRESULT CALLBACK LabWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The help text the window shows, naming the release and what each key does.
extern const char* const kLabHelpLines[2];
