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
  # Where no OpenGL context can be made the Lab says so and fails, rather
  # than ending with 0 and nothing shown.
  add_test(NAME lab_without_opengl
    COMMAND sh -c "\"$1\"; echo \"exit code $?\"" sh $<TARGET_FILE:pixwell-lab>)
  set_tests_properties(lab_without_opengl PROPERTIES TIMEOUT 30
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy"
    PASS_REGULAR_EXPRESSION "no OpenGL context.*exit code 1")
  return()
endif()
# The driver is a Linux program: the Windows build makes a native build of
# the project (its library and the driver only) with the host's compiler, so
# this test needs no other build.
include(ExternalProject)
set(host_driver_dir ${CMAKE_BINARY_DIR}/host-native)
ExternalProject_Add(host_lab_driver
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${host_driver_dir}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DPIXWELL_TESTS=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target pixwell-lab-driver
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${host_driver_dir}/tools/lab_driver/pixwell-lab-driver)
add_dependencies(pixwell-lab host_lab_driver)
add_test(NAME lab_end_to_end
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/on_private_display.sh ${CMAKE_CURRENT_BINARY_DIR}/lab_display
          ${host_driver_dir}/tools/lab_driver/pixwell-lab-driver ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:pixwell-lab>)
set_tests_properties(lab_end_to_end PROPERTIES TIMEOUT 240
  ENVIRONMENT "PIXWELL_TIMEOUT_SCALE=${PIXWELL_TIMEOUT_SCALE}")
