# The interactive window's tests open the wave device on the Lab's own wave
# file; ALSA's file plugin takes the sound, as for the sound tests.
if(TARGET test_layer_window)
  set(lab_wave ${PROJECT_SOURCE_DIR}/data/lab/load.wav)
  if(WIN32)  # Wine reaches the host's files through drive Z:
    string(REPLACE "/" "\\\\" lab_wave "Z:${lab_wave}")
  endif()
  target_compile_definitions(test_layer_window PRIVATE "PIXWELL_LAB_WAVE=\"${lab_wave}\"")
  set_tests_properties(layer_window PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa_capture.conf;PIXWELL_AUDIO_CAPTURE=${CMAKE_CURRENT_BINARY_DIR}/layer_window_capture.wav;SDL_AUDIODRIVER=alsa")
endif()
