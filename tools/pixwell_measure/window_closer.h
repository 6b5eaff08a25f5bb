// Asks a top-level X window to close, as a window manager's close button does.
#pragma once

// Sends WM_DELETE_WINDOW to the first top-level window titled `title`
// (or `title`, ": " and a detail);
// returns false when there is no such window.
bool close_window_titled(const char* title);
