# The platform suite once more on each headless backend: without a display
# (SDL's offscreen driver, OpenGL through EGL where Mesa gives it) and on the
# dummy driver (no OpenGL at all). The plain run uses the test display.
if(NOT WIN32 AND TARGET test_platform)
  add_test(NAME platform_offscreen COMMAND test_platform)
  set_tests_properties(platform_offscreen PROPERTIES TIMEOUT 120 LABELS platform
                       ENVIRONMENT "DISPLAY=;WAYLAND_DISPLAY=")
  add_test(NAME platform_dummy COMMAND test_platform)
  set_tests_properties(platform_dummy PROPERTIES TIMEOUT 120 LABELS platform
                       ENVIRONMENT "SDL_VIDEODRIVER=dummy")
endif()

# The display driver starts, and the OpenGL libraries load, once per process,
# so the checks of what their start leaves behind run each in a process of
# their own.
if(NOT WIN32 AND TARGET test_platform)
  foreach(case VideoStart.PutsBackASetComposeVariable VideoStart.LeavesAnUnsetComposeVariableUnset
               VideoStart.KeepsTheComposeVariableSetWhileTheOpenGLLibrariesLoad
               GlDriverPreload.LeavesTheDriverLoadedAfterTheWait)
    add_test(NAME platform_alone_${case}
      COMMAND ${PIXWELL_TEST_LAUNCHER} $<TARGET_FILE:test_platform> --gtest_filter=${case})
    set_tests_properties(platform_alone_${case} PROPERTIES TIMEOUT 60 LABELS platform
                         FIXTURES_REQUIRED test_display)
  endforeach()
endif()
