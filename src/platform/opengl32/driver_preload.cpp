#include "platform/opengl32/driver_preload.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace posix {
namespace {

constexpr char kMesaGlxVendor[] = "libGLX_mesa.so.0";
// Mesa's drivers are one file under several names; the software one is in
// every installation and, loaded once, is the same library for all of them.
constexpr char kMesaDriver[] = "dri/swrast_dri.so";

bool nvidia_driver_present() {
  struct stat info {};
  return stat("/proc/driver/nvidia", &info) == 0;
}

// The handles are kept: the libraries stay loaded for the process, as
// OpenGL keeps them once it has loaded them itself.
void load_mesa_libraries() {
  void* vendor = dlopen(kMesaGlxVendor, RTLD_NOW | RTLD_LOCAL);
  if (vendor == nullptr) return;
  char folder[PATH_MAX] = {};
  if (dlinfo(vendor, RTLD_DI_ORIGIN, folder) != 0) return;
  std::string driver = std::string(folder) + "/" + kMesaDriver;
  dlopen(driver.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

bool mesa_preload_wanted(const char* vendor_name, const char* drivers_path, bool nvidia_present) {
  if (drivers_path != nullptr && *drivers_path != 0) return false;
  if (vendor_name != nullptr && *vendor_name != 0) return std::strcmp(vendor_name, "mesa") == 0;
  return !nvidia_present;
}

void GlDriverPreload::start() {
  if (loader_.joinable()) return;
  if (!mesa_preload_wanted(std::getenv("__GLX_VENDOR_LIBRARY_NAME"),
                           std::getenv("LIBGL_DRIVERS_PATH"), nvidia_driver_present()))
    return;
  loader_ = std::thread(load_mesa_libraries);
}

void GlDriverPreload::wait() {
  if (loader_.joinable()) loader_.join();
}

}  // namespace posix
