// Runs the program's start-up path (its window class, window, WM_CREATE and
// timer) and saves the client area after every tick that showed a frame.
#pragma once

#include <string>

// Plays `ticks` timer ticks and writes frame_00.png, frame_01.png, ... into
// `directory` in the order the frames were shown. Returns the number of
// frames written, or -1 when the window ended or a file could not be written.
int play_and_save_frames(int ticks, const std::string& directory);
