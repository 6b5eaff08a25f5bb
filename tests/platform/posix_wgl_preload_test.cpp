// The Linux backend only: Mesa's OpenGL libraries are loaded ahead only
// where OpenGL itself would load them.
#ifndef _WIN32
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <cstdlib>
#include <cstring>

#include "platform/posix_wgl_driver_preload.h"

namespace {

using posix::mesa_preload_wanted;

TEST(GlDriverPreload, LoadsMesaOnlyWhereOpenGLWouldLoadIt) {
  EXPECT_TRUE(mesa_preload_wanted(nullptr, nullptr, false));
  EXPECT_TRUE(mesa_preload_wanted("", "", false));
  EXPECT_TRUE(mesa_preload_wanted("mesa", nullptr, true)) << "Mesa named by the user";
  EXPECT_FALSE(mesa_preload_wanted("nvidia", nullptr, false));
  EXPECT_FALSE(mesa_preload_wanted(nullptr, nullptr, true)) << "NVIDIA's driver is present";
  EXPECT_FALSE(mesa_preload_wanted(nullptr, "/opt/mesa/dri", false));
  EXPECT_FALSE(mesa_preload_wanted("mesa", "/opt/mesa/dri", false)) << "the user's own drivers";
}

int note_driver(dl_phdr_info* info, size_t, void* found) {
  if (std::strstr(info->dlpi_name, "/dri/swrast_dri.so") != nullptr)
    *static_cast<bool*>(found) = true;
  return 0;
}

// On this machine Mesa is the OpenGL in use: after the wait both the GLX
// vendor library and the driver are in the process.
TEST(GlDriverPreload, LeavesTheDriverLoadedAfterTheWait) {
  if (!mesa_preload_wanted(std::getenv("__GLX_VENDOR_LIBRARY_NAME"),
                           std::getenv("LIBGL_DRIVERS_PATH"), false))
    GTEST_SKIP() << "the environment names another OpenGL";
  posix::GlDriverPreload preload;
  preload.start();
  preload.wait();
  EXPECT_NE(dlopen("libGLX_mesa.so.0", RTLD_NOW | RTLD_NOLOAD), nullptr);
  bool driver_loaded = false;
  dl_iterate_phdr(note_driver, &driver_loaded);
  EXPECT_TRUE(driver_loaded);
}

}  // namespace
#endif
