// Figures of a running Lab: CPU while idle and while hovering the frame
// animation, and the time from a key press to the changed picture.
#pragma once

#include "lab_checks.h"

void report_lab_figures(LabScreen& screen);
