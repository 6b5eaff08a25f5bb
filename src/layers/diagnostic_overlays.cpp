#include "layers/diagnostic_overlays.h"

#include <cstring>

#include "display/graphics_startup.h"
#include "layers/layer_images.h"
#include "layers/layer_table.h"

namespace {

constexpr int32_t kFpsTop = 100;
constexpr int32_t kFpsRowPitch = 15;
constexpr int32_t kFpsBottom = 250;  // rows are drawn while above this
constexpr int32_t kFpsLabelX = 125;
constexpr int32_t kFpsValueX = 155;
constexpr int32_t kInfoValueOffset = 100;
constexpr int32_t kInfoRowPitch = 15;

void print_decimal(HDC dc, int32_t x, int32_t y, uint32_t value) {
  char digits[11];
  TextOutA(dc, x, y, digits, FormatDecimal(value, digits));
}

// The record's address as eight digits: its low 32 bits where pointers are
// wider.
uint32_t address_bits(const Layer* layer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(layer));
}

}  // namespace

int32_t FormatDecimal(uint32_t value, char* buffer) {
  return wsprintfA(buffer, "%lu", static_cast<unsigned long>(value));
}

void FormatHex8(uint32_t value, char* buffer) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  buffer[8] = '\0';
  for (int position = 7; position >= 0; --position) {
    buffer[position] = kDigits[value & 0xF];
    value >>= 4;
  }
}

void DrawFpsHistory(HDC dc, uint32_t* history, uint32_t value) {
  if (history == nullptr) return;
  std::memmove(history, history + 1, (kFpsHistoryLength - 1) * sizeof(uint32_t));
  history[kFpsHistoryLength - 1] = value;
  for (int32_t k = 0, y = kFpsTop; y < kFpsBottom; ++k, y += kFpsRowPitch) {
    print_decimal(dc, kFpsValueX, y, history[k]);
    TextOutA(dc, kFpsLabelX, y, "FPS:", 4);
  }
}

// Values print unsigned: a position of -1 shows as 4294967295.
void DrawLayerInfo(int32_t index, int32_t x, int32_t y) {
  const Layer* layer = ExistingLayer(index);
  if (layer == nullptr) return;
  char address[9];
  FormatHex8(address_bits(layer), address);
  TextOutA(BackDC, x, y, address, 8);
  int32_t value_x = layers::wrap_add(x, kInfoValueOffset);
  // The kind tag as four characters, lowest byte first.
  TextOutA(BackDC, value_x, y, reinterpret_cast<const char*>(&layer->Kind), 4);
  const int32_t fields[] = {layer->X, layer->Y, layer->Width, layer->Height};
  for (int32_t row = 0; row < 4; ++row)
    print_decimal(BackDC, value_x, layers::wrap_add(y, kInfoRowPitch * (row + 1)),
                  static_cast<uint32_t>(fields[row]));
}
