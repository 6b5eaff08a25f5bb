# The tool-launching tests start a stand-in tool built here, beside the test
# programs, and (natively) Debian's flat assembler. The build places "Copy of
# Pixwell.exe" next to the program; a check here compares it with the program.
if(TARGET test_host)
  add_executable(stand_in_tool ${CMAKE_CURRENT_SOURCE_DIR}/stand_in_tool.cpp)
  pixwell_static_runtime(stand_in_tool)
  set_target_properties(stand_in_tool PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  add_dependencies(test_host stand_in_tool)
  if(TARGET test_platform)
    add_dependencies(test_platform stand_in_tool)
  endif()
endif()

if(TARGET Pixwell)
  add_test(NAME copy_of_pixwell
    COMMAND ${CMAKE_COMMAND} -E compare_files $<TARGET_FILE:Pixwell>
            "$<TARGET_FILE_DIR:Pixwell>/Copy of Pixwell.exe")
endif()

# The real assembler's test skips itself where i386 programs do not run; CTest
# reports it as skipped, not passed.
if(TEST assembler)
  set_tests_properties(assembler PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] 1 test")
endif()
