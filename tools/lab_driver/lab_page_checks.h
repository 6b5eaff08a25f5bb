// The end-to-end checks of the Lab's pages F3 to F6 and of the loupe: each
// opens its page with its function key, drives it with real key events and
// leaves on F1.
#pragma once

#include <string>

#include "lab_checks.h"

bool bmp_sample_shown_and_moved(LabScreen& screen, std::string& problem);
bool geometry_box_turns_and_returns(LabScreen& screen, std::string& problem);
bool words_highlights_match_find_word(LabScreen& screen, std::string& problem);
bool tools_assembler_writes_output(LabScreen& screen, std::string& problem);
bool loupe_magnifies_pixels_round_pointer(LabScreen& screen, std::string& problem);

// Why a check cannot run with this Lab on this machine, or "" when it can.
std::string why_words_cannot_run(const LabScreen& screen);
std::string why_assembler_cannot_run(const LabScreen& screen);
