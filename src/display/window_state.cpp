#include "display/window_state.h"

int32_t DisplayMode = 0;
uint32_t LastKey = 0;
