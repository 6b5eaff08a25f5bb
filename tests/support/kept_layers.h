// Layers live until the process ends: nothing releases them, and ClearLayers
// only forgets them. These keep every record the table has held reachable,
// so that the leak checker sees what the system sees.
#pragma once

void keep_layer_records();
// ClearLayers after keep_layer_records.
void forget_layers();
