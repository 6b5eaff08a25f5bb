#include "platform/shared/unsupported.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

namespace posix {

void report_unsupported(const char* call, const char* what) {
  static std::mutex lock;
  static std::set<std::string> reported;
  std::lock_guard<std::mutex> guard(lock);
  if (!reported.insert(std::string(call) + '\n' + what).second) return;
  std::fprintf(stderr, "%s: %s is not supported by the Linux platform layer\n", call, what);
}

}  // namespace posix
