# Pixwell Lab driven end to end: real pointer and key events through XTest on
# a display of its own, the screen checked by pixel values (tools/lab_driver).
# Natively the driver starts pixwell-lab; in the Windows build it starts
# pixwell-lab.exe under Wine, with the driver from the native build.
if(NOT WIN32)
  add_test(NAME lab_end_to_end
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/on_private_display.sh ${CMAKE_CURRENT_BINARY_DIR}/lab_display
            $<TARGET_FILE:pixwell-lab-driver> $<TARGET_FILE:pixwell-lab>)
  set_tests_properties(lab_end_to_end PROPERTIES TIMEOUT 180
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
  return()
endif()
set(native_driver ${PROJECT_SOURCE_DIR}/build/native/tools/lab_driver/pixwell-lab-driver)
add_test(NAME lab_end_to_end
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/on_private_display.sh ${CMAKE_CURRENT_BINARY_DIR}/lab_display
          ${native_driver} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:pixwell-lab>)
set_tests_properties(lab_end_to_end PROPERTIES TIMEOUT 240)
