#include "layers/startup.h"

#include "display/graphics_startup.h"
#include "layers/layer_table.h"

void GraphicsStartup(HWND window) {
  StartDisplayBuffers(window);
  CreateLayerTable();
  StartDrawingTables(window);
}
