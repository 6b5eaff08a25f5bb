// The Linux backend only: Mesa's OpenGL libraries are loaded ahead only
// where OpenGL itself would load them.
#ifndef _WIN32
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <cstdlib>
#include <cstring>

#include "platform/opengl32/driver_preload.h"

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

bool mesa_loaded() {
  if (void* vendor = dlopen("libGLX_mesa.so.0", RTLD_NOW | RTLD_NOLOAD)) {
    dlclose(vendor);  // drops only the reference that this look took
    return true;
  }
  return false;
}

bool driver_loaded() {
  bool found = false;
  dl_iterate_phdr(note_driver, &found);
  return found;
}

// Exit codes of the fresh process below.
constexpr int kLoadedByThePreload = 0;
constexpr int kAlreadyLoaded = 2;
constexpr int kNotLoaded = 3;

[[noreturn]] void preload_in_a_fresh_process() {
  if (mesa_loaded() || driver_loaded()) std::_Exit(kAlreadyLoaded);
  posix::GlDriverPreload preload;
  preload.start();
  preload.wait();
  std::_Exit(mesa_loaded() && driver_loaded() ? kLoadedByThePreload : kNotLoaded);
}

// On this machine Mesa is the OpenGL in use: after the wait both the GLX
// vendor library and the driver are in the process. A process of its own,
// started afresh, shows that it was the preload that loaded them.
TEST(GlDriverPreload, LeavesTheDriverLoadedAfterTheWait) {
  if (!mesa_preload_wanted(std::getenv("__GLX_VENDOR_LIBRARY_NAME"),
                           std::getenv("LIBGL_DRIVERS_PATH"), false))
    GTEST_SKIP() << "the environment names another OpenGL";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(preload_in_a_fresh_process(), testing::ExitedWithCode(kLoadedByThePreload), "");
}

}  // namespace
#endif
