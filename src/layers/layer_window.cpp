#include "layers/layer_window.h"

int32_t DisplayMode = 0;
uint32_t LastKey = 0;
