// The end-to-end checks of Pixwell Lab: each drives the running program with
// real pointer and key events and judges what the screen shows by its pixels.
#pragma once

#include <sys/types.h>

#include <string>

#include "x_session.h"

struct LabScreen {
  XSession* x;
  Window window;
  int left;  // the client area's top-left corner on the screen
  int top;
  pid_t pid;
  std::string program;    // the Lab's executable, whose folder holds its data
  bool emulated = false;  // started under an emulator (Wine)
};

// Waits for the Lab's window and its first presentation; false on time-out.
bool wait_for_lab(XSession& x, pid_t pid, LabScreen& screen, std::string& problem);

bool hover_shows_selected_band(LabScreen& screen, std::string& problem);
bool hover_steps_frame_animation(LabScreen& screen, std::string& problem);
bool up_key_pages_text_view(LabScreen& screen, std::string& problem);
bool right_button_switches_modes(LabScreen& screen, std::string& problem);
bool gallery_shows_no_differing_pixels(LabScreen& screen, std::string& problem);
bool close_ends_with_exit_code_0(LabScreen& screen, std::string& problem);
