// wsprintfA: the Win32 formatter. Integers are 32-bit unless "I64" (64-bit)
// or "I" (pointer-sized) says otherwise ("l" and "h" change nothing: long is
// 32-bit on Windows), "%p" is a pointer in upper-case hex digits, there is
// no floating point, and the output stops at 1024 bytes, terminator
// included.
#include <cstdarg>
#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

constexpr size_t kLargestOutput = 1024;

struct Conversion {
  bool left = false, zero = false, alternate = false;
  int width = 0, precision = -1;
  size_t bytes = 4;  // of an integer argument
  char letter = 0;
};

const char* parse_conversion(const char* at, Conversion& field) {
  for (;; ++at) {
    if (*at == '-')
      field.left = true;
    else if (*at == '0')
      field.zero = true;
    else if (*at == '#')
      field.alternate = true;
    else
      break;
  }
  while (*at >= '0' && *at <= '9') field.width = field.width * 10 + (*at++ - '0');
  if (*at == '.') {
    field.precision = 0;
    for (++at; *at >= '0' && *at <= '9'; ++at) field.precision = field.precision * 10 + (*at - '0');
  }
  for (;;) {
    if (*at == 'l' || *at == 'h') {
      ++at;
    } else if (std::strncmp(at, "I64", 3) == 0) {
      field.bytes = 8;
      at += 3;
    } else if (std::strncmp(at, "I32", 3) == 0) {
      field.bytes = 4;
      at += 3;
    } else if (*at == 'I') {
      field.bytes = sizeof(void*);
      ++at;
    } else {
      break;
    }
  }
  field.letter = *at;
  if (field.letter == 'p') field.bytes = sizeof(void*);
  return *at ? at + 1 : at;
}

std::string digits(uint64_t value, unsigned base, bool upper) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), symbols[value % base]);
    value /= base;
  } while (value != 0);
  return text;
}

std::string format_integer(const Conversion& field, va_list& arguments) {
  uint64_t raw = field.bytes == 8 ? va_arg(arguments, uint64_t) : va_arg(arguments, uint32_t);
  const int bits = field.bytes == 8 ? 64 : 32;
  const bool negative = raw >> (bits - 1) & 1;
  std::string sign, prefix, body;
  switch (field.letter) {
    case 'd':
    case 'i': {
      if (negative) sign = "-";
      uint64_t magnitude = negative ? 0 - raw : raw;
      body = digits(bits == 32 ? magnitude & 0xFFFFFFFFu : magnitude, 10, false);
      break;
    }
    case 'u': body = digits(raw, 10, false); break;
    case 'p':
      body = digits(raw, 16, true);
      body.insert(0, field.bytes * 2 - body.size(), '0');
      break;
    default:
      body = digits(raw, 16, field.letter == 'X');
      if (field.alternate && raw != 0) prefix = field.letter == 'X' ? "0X" : "0x";
  }
  if (field.precision >= 0 && static_cast<int>(body.size()) < field.precision)
    body.insert(0, static_cast<size_t>(field.precision) - body.size(), '0');
  std::string text = sign + prefix + body;
  if (field.zero && !field.left && static_cast<int>(text.size()) < field.width)
    text.insert(sign.size() + prefix.size(), static_cast<size_t>(field.width) - text.size(), '0');
  return text;
}

std::string format_one(const Conversion& field, va_list& arguments) {
  std::string text;
  switch (field.letter) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
    case 'p': return format_integer(field, arguments);
    case 'c':
    case 'C': return std::string(1, static_cast<char>(va_arg(arguments, int)));
    case 's':
    case 'S': {
      const char* string = va_arg(arguments, const char*);
      text = string ? string : "(null)";
      if (field.precision >= 0 && text.size() > static_cast<size_t>(field.precision))
        text.resize(static_cast<size_t>(field.precision));
      return text;
    }
    default: return std::string(1, field.letter);  // "%%" and unknown ones
  }
}

void pad(std::string& text, const Conversion& field) {
  if (static_cast<int>(text.size()) >= field.width) return;
  size_t fill = static_cast<size_t>(field.width) - text.size();
  if (field.left)
    text.append(fill, ' ');
  else
    text.insert(0, fill, ' ');
}

}  // namespace

int wvsprintfA(LPSTR buffer, LPCSTR format, va_list arguments) {
  if (buffer == nullptr || format == nullptr) return -1;
  va_list pending;
  va_copy(pending, arguments);
  std::string out;
  for (const char* at = format; *at && out.size() < kLargestOutput;) {
    if (*at != '%') {
      out += *at++;
      continue;
    }
    Conversion field;
    at = parse_conversion(at + 1, field);
    if (field.letter == 0) break;
    std::string text = format_one(field, pending);
    pad(text, field);
    out += text;
  }
  va_end(pending);
  if (out.size() > kLargestOutput - 1) out.resize(kLargestOutput - 1);
  std::memcpy(buffer, out.c_str(), out.size() + 1);
  return static_cast<int>(out.size());
}

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int written = wvsprintfA(buffer, format, arguments);
  va_end(arguments);
  return written;
}
