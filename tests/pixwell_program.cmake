# Checks of the program as a whole, from outside: its prompt exit where no
# OpenGL pixel format can be set, its exit code 0 when its window is closed
# (both targets), and on Windows the PE files themselves and the icon.
add_test(NAME pixwell_without_opengl
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/run_without_gl.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
          $<TARGET_FILE:Pixwell>)
set_tests_properties(pixwell_without_opengl PROPERTIES TIMEOUT 60)

if(NOT WIN32)
  # Closed as a window manager's close button does, once a frame shows. It
  # watches the screen for the animation's colours, so it has a display of
  # its own where no other test's window can show.
  add_test(NAME pixwell_closes_with_exit_code_0
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/on_private_display.sh
            ${CMAKE_BINARY_DIR}/private_display/pixwell_closes
            $<TARGET_FILE:pixwell-measure> --close $<TARGET_FILE:Pixwell>)
  # Under the sanitizers a leak would change the exit code too: the blocks
  # that the libraries keep are in tests/lsan.supp.
  set_tests_properties(pixwell_closes_with_exit_code_0 PROPERTIES TIMEOUT 60)
  return()
endif()

add_executable(pixwell_exe_check ${CMAKE_CURRENT_SOURCE_DIR}/pixwell_exe_check.cpp)
pixwell_static_runtime(pixwell_exe_check)

find_program(PIXWELL_OBJDUMP NAMES i686-w64-mingw32-objdump objdump REQUIRED)
set(windows_exes $<TARGET_FILE:pixwell-lab> $<TARGET_FILE:pixwell-frames> $<TARGET_FILE:pixwell_exe_check>)
foreach(area IN LISTS test_areas)
  if(TARGET test_${area})
    list(APPEND windows_exes $<TARGET_FILE:test_${area}>)
  endif()
endforeach()
add_test(NAME pe_files
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.sh ${PIXWELL_OBJDUMP} $<TARGET_FILE:Pixwell>
          ${windows_exes})

add_test(NAME pixwell_closes_with_exit_code_0
  COMMAND pixwell_exe_check close $<TARGET_FILE:Pixwell>)
add_test(NAME pixwell_icon COMMAND pixwell_exe_check icon $<TARGET_FILE:Pixwell>)
set_tests_properties(pixwell_closes_with_exit_code_0 pixwell_icon PROPERTIES TIMEOUT 60)
