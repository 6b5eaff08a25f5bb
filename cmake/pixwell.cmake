# Shared build settings and small helpers for every target of the project.

set(PIXWELL_WARNINGS -Wall -Wextra -Wno-unused-parameter)

# Links a target statically with the C and C++ runtimes on Windows, so that
# the executables need no DLL beyond the ones the system ships.
function(pixwell_static_runtime target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# Adds a GoogleTest executable made of every *.cpp file in tests/<area>/ and
# registers it with CTest (through the cross-compiling emulator on Windows).
function(pixwell_add_test_dir area)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target test_${area})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE pixwell_core pixwell_test_support)
  target_compile_options(${target} PRIVATE ${PIXWELL_WARNINGS})
  pixwell_static_runtime(${target})
  pixwell_add_gtest(${area} ${target})
  set_tests_properties(${area} PROPERTIES TIMEOUT 300 LABELS ${area})
endfunction()

# A CTest test that runs a GoogleTest executable. PIXWELL_TEST_LAUNCHER, when
# set, runs it through a wrapper; the bare target name lets CMake add the
# emulator when cross-compiling.
function(pixwell_add_gtest name target)
  if(PIXWELL_TEST_LAUNCHER)
    add_test(NAME ${name} COMMAND ${PIXWELL_TEST_LAUNCHER} $<TARGET_FILE:${target}>)
  else()
    add_test(NAME ${name} COMMAND ${target})
  endif()
  pixwell_require_gtest_summary(${name})
endfunction()

# Under Wine a test process that dies can still end with exit code 0 (seen
# under QEMU, after "wine client error: partial wakeup read"), so there a
# GoogleTest run passes only when it printed its summary and no failure.
function(pixwell_require_gtest_summary test)
  if(WIN32)
    set_tests_properties(${test} PROPERTIES
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\."
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
  endif()
endfunction()
