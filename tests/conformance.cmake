# The conformance cases of the multimedia calls play through ALSA's default
# device, which tests/alsa_capture.conf turns into a recording in a file of
# the test's own, on both targets.
#
# The OpenGL cases run as a test of their own, in a process of their own:
# under QEMU's emulation of Wine, every whole run of the suite died at its
# first OpenGL case, while the same cases alone pass.
if(TARGET test_conformance)
  set(opengl_cases "PixelFormat.*:GlContext.*:InvalidDc.*")
  pixwell_add_gtest(conformance_opengl test_conformance)
  if(NOT WIN32)
    set_property(TEST conformance_opengl APPEND PROPERTY FIXTURES_REQUIRED test_display)
  endif()
  set_tests_properties(conformance_opengl PROPERTIES TIMEOUT 120 LABELS conformance
    ENVIRONMENT "GTEST_FILTER=${opengl_cases}")
  set_tests_properties(conformance PROPERTIES
    ENVIRONMENT "GTEST_FILTER=-${opengl_cases};ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa_capture.conf;PIXWELL_AUDIO_CAPTURE=${CMAKE_CURRENT_BINARY_DIR}/conformance_capture.wav;SDL_AUDIODRIVER=alsa")
endif()
