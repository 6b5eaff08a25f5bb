# Libraries the POSIX platform layer builds on, all from Debian's packages.
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(PIXWELL_POSIX_DEPS REQUIRED IMPORTED_TARGET sdl2 freetype2 fontconfig gl glu)
target_link_libraries(pixwell_core PUBLIC PkgConfig::PIXWELL_POSIX_DEPS Threads::Threads)
