# The test_display fixture: before the native tests it finds a display (the
# caller's DISPLAY) or starts a private Xvfb, and stops that Xvfb after them,
# so the tests pass on a headless machine and under any `ctest -j`.
if(WIN32)
  return()
endif()
add_test(NAME test_display_start
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/test_display.sh start ${PIXWELL_TEST_DISPLAY_DIR})
add_test(NAME test_display_stop
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/test_display.sh stop ${PIXWELL_TEST_DISPLAY_DIR})
set_tests_properties(test_display_start PROPERTIES FIXTURES_SETUP test_display TIMEOUT 30)
set_tests_properties(test_display_stop PROPERTIES FIXTURES_CLEANUP test_display TIMEOUT 30)
foreach(area IN LISTS test_areas)
  if(TEST ${area})
    set_property(TEST ${area} APPEND PROPERTY FIXTURES_REQUIRED test_display)
  endif()
endforeach()
