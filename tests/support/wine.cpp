#include "support/wine.h"

#include "platform/win32.h"

// Wine's ntdll exports its version; Windows' does not.
bool running_under_wine() {
#ifdef _WIN32
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}
