# The conformance cases of the multimedia calls play through ALSA's default
# device, which tests/alsa_capture.conf turns into a recording in a file of
# the test's own, on both targets.
if(TARGET test_conformance)
  set_tests_properties(conformance PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa_capture.conf;PIXWELL_AUDIO_CAPTURE=${CMAKE_CURRENT_BINARY_DIR}/conformance_capture.wav;SDL_AUDIODRIVER=alsa")
endif()
