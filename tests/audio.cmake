# The sound tests play through ALSA's default device, which the configuration
# tests/alsa_capture.conf turns into a recording in a file of the test's own,
# on both targets (Wine's sound driver uses the host's ALSA). The wave files
# they play are made by SoX when the tests run, as a fixture of its own.
if(TARGET test_audio)
  set(audio_samples ${CMAKE_CURRENT_BINARY_DIR}/audio_samples)
  add_test(NAME audio_samples COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/audio_samples.sh ${audio_samples})
  set_tests_properties(audio_samples PROPERTIES FIXTURES_SETUP audio_samples LABELS audio)
  set_tests_properties(audio PROPERTIES FIXTURES_REQUIRED audio_samples RUN_SERIAL FALSE
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa_capture.conf;PIXWELL_AUDIO_CAPTURE=${CMAKE_CURRENT_BINARY_DIR}/audio_capture.wav;SDL_AUDIODRIVER=alsa")
  if(WIN32)
    target_link_libraries(test_audio PRIVATE advapi32)
  endif()
endif()

# The same program on a machine without any sound device: only the tests
# named WithoutDevice run, and they expect every device to be missing.
if(TARGET test_audio)
  add_test(NAME audio_without_device COMMAND test_audio --gtest_filter=WithoutDevice.*)
  set_tests_properties(audio_without_device PROPERTIES FIXTURES_REQUIRED audio_samples LABELS audio
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa_no_device.conf;PIXWELL_NO_SOUND_DEVICE=1;SDL_AUDIODRIVER=alsa")
endif()

# The same program where the device takes two channels at most: the surround
# devices that SDL asks for 4 and 6 channels fail to open, and only the
# tests named StereoOnlyDevice run.
if(TARGET test_audio AND NOT WIN32)
  add_test(NAME audio_stereo_only_device COMMAND test_audio --gtest_filter=StereoOnlyDevice.*)
  set_tests_properties(audio_stereo_only_device PROPERTIES FIXTURES_REQUIRED audio_samples LABELS audio
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa_capture.conf:${CMAKE_CURRENT_SOURCE_DIR}/alsa_stereo_only.conf;PIXWELL_STEREO_ONLY_DEVICE=1;PIXWELL_AUDIO_CAPTURE=${CMAKE_CURRENT_BINARY_DIR}/audio_capture_stereo_only.wav;SDL_AUDIODRIVER=alsa")
endif()
