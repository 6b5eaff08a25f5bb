// The interactive window's tests: one window per process whose procedure is
// LayerWindowProc (the messages it does not act on going to DefWindowProcA),
// with graphics start-up and the 3D scene made ready on it.
#pragma once

#include <string>

#include "layers/layer_table.h"
#include "platform/win32.h"
#include "text/text_document.h"

HWND interactive_window();
// No layers, no selection, layer mode, no key, the scene's starting view.
void reset_interactive_window();
// The back buffer's bytes, as SetBitmapBits gave them.
std::string back_buffer_bytes();
std::string background_page_bytes();
// A document of `lines` numbered lines ended by CR LF.
TextDocument* numbered_document(int lines);
// The wave file that ships with the Lab, as this target spells its path.
std::string lab_wave_path();
