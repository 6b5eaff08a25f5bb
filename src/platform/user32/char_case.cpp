#include "platform/user32/char_case.h"

#include <array>

namespace {

// The upper case of one Windows-1252 byte. Besides ASCII a-z, the lower-case
// Latin-1 letters move down by 0x20; the letters whose capitals sit in the
// 0x80-0x9F block map there (š Š, œ Œ, ž Ž, ÿ Ÿ). ß, µ and ÷ have no capital
// in the code page and stay.
constexpr BYTE upper_case_1252(BYTE c) {
  if (c >= 'a' && c <= 'z') return static_cast<BYTE>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<BYTE>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

constexpr std::array<BYTE, 256> make_upper_table() {
  std::array<BYTE, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = upper_case_1252(static_cast<BYTE>(c));
  return table;
}

constexpr std::array<BYTE, 256> kUpperTable = make_upper_table();

}  // namespace

LPSTR CharUpperA(LPSTR text) {
  auto address = reinterpret_cast<UINT_PTR>(text);
  if (address <= 0xFFFF) {
    // Windows treats such a "pointer" as a character (it cannot be a string).
    return reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(kUpperTable[address & 0xFF]));
  }
  for (auto* byte = reinterpret_cast<BYTE*>(text); *byte != 0; ++byte) *byte = kUpperTable[*byte];
  return text;
}
