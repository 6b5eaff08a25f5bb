// Builds the process-wide angle table the first time a test needs it.
#pragma once

#include "geometry/angle_table.h"

inline void ensure_angle_table() {
  static const bool built = (BuildAngleTable(), true);
  (void)built;
}
