// Figures of a running Lab: CPU while idle, while hovering the frame
// animation and on the gallery, and the time from a key press to the
// changed picture on each page that has a key to change it.
#pragma once

#include "lab_checks.h"

void report_lab_figures(LabScreen& screen);
