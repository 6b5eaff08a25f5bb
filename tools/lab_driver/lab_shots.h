// Screenshots of a running Lab for the documentation: the layers with a
// captioned layer hovered and the text paged once, then the 3D scene after
// a few presses of D and Z, then each other page and the loupe
// (lab-PAGE.ppm). Written as binary PPM files.
#pragma once

#include <string>

#include "lab_checks.h"

bool take_lab_shots(LabScreen& screen, const std::string& directory);
