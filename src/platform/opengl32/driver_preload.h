// Loads Mesa's OpenGL libraries on a thread of their own while the display
// driver starts. Loading them is tens of milliseconds of the dynamic
// loader's work (the driver links LLVM), and every window here is made able
// to carry an OpenGL context, so they are loaded at start-up in any case:
// begun early, that work overlaps the display connection's round trips.
#pragma once

#include <thread>

namespace posix {

// Whether Mesa's libraries are the ones OpenGL will load: not when another
// vendor is named or present, nor when the driver search path is the
// user's own (a driver there may want a different LLVM).
bool mesa_preload_wanted(const char* vendor_name, const char* drivers_path,
                         bool nvidia_driver_present);

class GlDriverPreload {
 public:
  GlDriverPreload() = default;
  ~GlDriverPreload() { wait(); }
  GlDriverPreload(const GlDriverPreload&) = delete;
  GlDriverPreload& operator=(const GlDriverPreload&) = delete;

  // Starts the loading thread where Mesa's libraries are wanted. The caller
  // must have made its own library loads first: one made while the thread
  // holds the dynamic loader's lock waits for the whole driver.
  void start();
  // Returns once the libraries are loaded (or the thread never started).
  void wait();

 private:
  std::thread loader_;
};

}  // namespace posix
