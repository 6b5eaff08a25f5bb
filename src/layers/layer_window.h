// The interactive window procedure: mouse, keyboard, size and multimedia
// messages turned into layer selection, key state, display-mode changes and
// repaint requests, and the repaint that shows the layers or the 3D scene.
#pragma once

#include <cstdint>

#include "display/window_state.h"
#include "platform/win32.h"

// The repaint request: WM_USER sent to the window, its code in lParam.
constexpr UINT kRepaintRequest = WM_USER;
constexpr LPARAM kRebuildAndRepaint = 0;  // rebuild the background page first
constexpr LPARAM kRepaint = 1;            // background page, then every layer

// The repaint request's work, for windows that answer it as this one does:
// code 0 rebuilds the background page, codes 0 and 1 copy it into the back
// buffer and draw every layer over it; every code answers 0.
LRESULT AnswerRepaintRequest(LPARAM code);
LRESULT CALLBACK LayerWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK RepaintWindow(HWND window, UINT, WPARAM, LPARAM);
void LayerModeKey(HWND window);

// Whether LayerWindowProc acts on the message; a window that uses it as its
// procedure passes the others to DefWindowProcA.
bool layer_window_acts_on(UINT message);

// The second page of the pixel store: the layer mode's background.
uint32_t* BackgroundPage();
